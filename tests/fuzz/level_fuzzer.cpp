// libFuzzer entry for the level loader.
#include "fuzz/targets.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    prepareFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzLevel(data, size);
    return 0;
}
