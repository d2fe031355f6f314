#include "FuzzEntries.h"
#include "FuzzEntriesList.h"

#include <cstdio>
#include <cstdlib>

namespace ink::fuzz {

namespace {

std::function<void(const std::string&)>& failureHandler()
{
    static std::function<void(const std::string&)> handler;
    return handler;
}

}

const std::vector<Target>& targets()
{
    static const std::vector<Target> list = [] {
        std::vector<Target> all;
        addSourceTargets(all);
        addTextTargets(all);
        return all;
    }();
    return list;
}

const Target* target(const std::string& name)
{
    for (const Target& t : targets()) {
        if (name == t.name)
            return &t;
    }
    return nullptr;
}

void setFailureHandler(std::function<void(const std::string&)> handler)
{
    failureHandler() = std::move(handler);
}

void fail(const std::string& what)
{
    if (failureHandler()) {
        failureHandler()(what);
        return;
    }
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

}
