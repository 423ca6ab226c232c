#include "tests/fuzz/FuzzSteps.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An unstable round trip is a finding like a crash: abort so the fuzzer keeps the input.
    if (!tf::fuzz::RunKeyFileSteps({data, size})) {
        std::abort();
    }
    return 0;
}
