// Frame pacing measured for real: interval spread and CPU share of one core,
// beside a pure busy-wait loop measured in the same run.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <vector>

#include "app/pacing.h"

namespace {

constexpr int kFrames = 300;

double cpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}
double wallSeconds() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

// Stands in for a frame's world update and drawing.
void simulatedWork() {
    double start = wallSeconds();
    while (wallSeconds() - start < 0.002) {
    }
}

int busyWaitFrameEnd(int last) {
    int t = monotonicMs();
    while (static_cast<unsigned>(t) - static_cast<unsigned>(last) < static_cast<unsigned>(kFrameMs))
        t = monotonicMs();
    return t;
}

template <typename Wait>
void runPacedFrames(benchmark::State& state, Wait wait) {
    for (auto _ : state) {
        std::vector<double> intervals;
        int last = monotonicMs();
        double previousEnd = wallSeconds();
        double cpu0 = cpuSeconds(), wall0 = previousEnd;
        double waitCpu = 0;
        for (int i = 0; i < kFrames; ++i) {
            simulatedWork();
            double waitStart = cpuSeconds();
            last = wait(last);
            waitCpu += cpuSeconds() - waitStart;
            double now = wallSeconds();
            intervals.push_back((now - previousEnd) * 1000.0);
            previousEnd = now;
        }
        double wall = wallSeconds() - wall0;
        double cpuShare = (cpuSeconds() - cpu0) / wall;
        std::sort(intervals.begin(), intervals.end());
        state.counters["median_ms"] = intervals[intervals.size() / 2];
        state.counters["p99_ms"] = intervals[intervals.size() * 99 / 100];
        state.counters["max_ms"] = intervals.back();
        state.counters["min_ms"] = intervals.front();
        // Of one core: the whole loop (with 2 ms of simulated frame work)
        // and the wait alone.
        state.counters["cpu_share"] = cpuShare;
        state.counters["wait_cpu_share"] = waitCpu / wall;
    }
}

void BM_SleepThenSpinPacing(benchmark::State& state) {
    runPacedFrames(state, [](int last) { return waitForFrameEnd(last, monotonicMs, sleepMicros); });
}

void BM_BusyWaitBaseline(benchmark::State& state) {
    runPacedFrames(state, busyWaitFrameEnd);
}

BENCHMARK(BM_SleepThenSpinPacing)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BusyWaitBaseline)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
