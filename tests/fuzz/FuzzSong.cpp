#include "tests/fuzz/FuzzSteps.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tf::fuzz::RunSongSteps({data, size});
    return 0;
}
