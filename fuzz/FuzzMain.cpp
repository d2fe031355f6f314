// The libFuzzer program: one for every entry, which it takes from the name
// it is run by (fuzz_source_patch runs "source_patch"; the build makes one
// link of that name per entry).
#include "FuzzEntries.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const ink::fuzz::Target* entry = nullptr;

}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    std::string name = *argc > 0 ? (*argv)[0] : "";
    name = name.substr(name.find_last_of('/') + 1);
    const std::string prefix = "fuzz_";
    if (name.compare(0, prefix.size(), prefix) == 0)
        entry = ink::fuzz::target(name.substr(prefix.size()));
    if (!entry) {
        std::fprintf(stderr, "run this program as fuzz_<entry>; entries:");
        for (const ink::fuzz::Target& t : ink::fuzz::targets())
            std::fprintf(stderr, " %s", t.name);
        std::fprintf(stderr, "\n");
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    entry->run(data, size);
    return 0;
}
