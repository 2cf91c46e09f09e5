// Heap growth in large, huge-page-backed steps.
#include "platform/heap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {
// Room for the textures, the picture buffers and the renderer's bins.
constexpr size_t kHeapStep = size_t(32) << 20;
constexpr size_t kHugePage = size_t(2) << 20;
}  // namespace

void prepareHeap() {
    // Blocks below the step come from the heap, which grows by the step.
    if (!mallopt(M_MMAP_THRESHOLD, kHeapStep) || !mallopt(M_TOP_PAD, kHeapStep)) return;
    auto before = reinterpret_cast<uintptr_t>(sbrk(0));
    // Grows the heap now, and it stays grown; volatile, or the pair is optimised away.
    void* volatile block = std::malloc(kHugePage);
    std::free(block);
    auto after = reinterpret_cast<uintptr_t>(sbrk(0));
    // Only whole 2 MB stretches inside get huge pages; the rest keeps small ones.
    uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    uintptr_t start = (before + page - 1) & ~(page - 1);
    if (after > start) madvise(reinterpret_cast<void*>(start), after - start, MADV_HUGEPAGE);
}
