// Fuzz target of the project file reader: any input either loads or is refused with an
// exception; a project that loads saves and loads again to the same bytes, and calculates
// without undefined behaviour (a damaged file may hold any value in any field); a calculated
// project also saves and loads again to the same bytes.
//
// Seed corpus: the demo projects in resources/demo and the files in tests/fuzz/seeds.

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "model/ProjectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vantrel;
    static TKdData project;
    try {
        DecodeProject(std::span<const uint8_t>(data, size), project);
    } catch (const std::runtime_error&) {
        return 0;
    }
    const std::vector<uint8_t> saved = EncodeProject(project);
    TKdData again;
    DecodeProject(saved, again);
    if (EncodeProject(again) != saved) std::abort();
    again.Calculate();
    const std::vector<uint8_t> calculated = EncodeProject(again);
    TKdData reopened;
    DecodeProject(calculated, reopened);
    if (EncodeProject(reopened) != calculated) std::abort();
    return 0;
}
