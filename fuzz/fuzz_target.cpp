// One libFuzzer target: runs the property check named by BREZZOLO_FUZZ_TARGET on every input
// and aborts on a broken property, so that libFuzzer saves the input like a crash.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const brezzolo::fuzz::FuzzTarget* const target =
        brezzolo::fuzz::findFuzzTarget(BREZZOLO_FUZZ_TARGET);
    if (target == nullptr) {
        std::fprintf(stderr, "no fuzz target named %s\n", BREZZOLO_FUZZ_TARGET);
        std::abort();
    }
    const std::string broken = target->check({reinterpret_cast<const char*>(data), size});
    if (!broken.empty()) {
        std::fprintf(stderr, "\n%s: property broken: %s\n", BREZZOLO_FUZZ_TARGET, broken.c_str());
        std::abort();
    }
    return 0;
}
