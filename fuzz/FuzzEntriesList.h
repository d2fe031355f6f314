#pragma once
#include "FuzzEntries.h"

namespace ink::fuzz {

void addSourceTargets(std::vector<Target>& list);
void addTextTargets(std::vector<Target>& list);

}
