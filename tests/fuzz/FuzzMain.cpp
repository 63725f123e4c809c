#include "fuzz/FuzzTargets.h"

// One fuzzer executable per entry of FuzzTargets; the build names the entry.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    R58213_FUZZ_ENTRY(data, size);
    return 0;
}
