// libFuzzer entry; the build names the target in DORIAN_FUZZ_TARGET.
#include "fuzz/targets.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    prepareFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DORIAN_FUZZ_TARGET(data, size);
    return 0;
}
