// libFuzzer entry for one reader.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tovel::fuzz::Boosters(data, size);
}
