#pragma once
// Entry points that feed arbitrary bytes to the text logic reading what
// users type or open. The libFuzzer targets call them, and a unit test
// replays the saved inputs under fuzz/corpus/<name>/ through them on every
// run, so that a fault once found stays fixed.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ink::fuzz {

using Entry = void (*)(const uint8_t* data, size_t size);

struct Target {
    const char* name;  // also the corpus folder's name
    Entry run;
};

const std::vector<Target>& targets();
const Target* target(const std::string& name);

// Called when an entry finds a result that breaks a rule of the code it
// drives (a round trip that loses bytes, a node outside the text). The
// fuzzer aborts; the unit test records a failure. Sanitizers report the
// rest.
void setFailureHandler(std::function<void(const std::string&)> handler);
void fail(const std::string& what);

}
