// libFuzzer entry for the card search's parser and matcher.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tovel::fuzz::Query(data, size);
}
