#pragma once
// Which ThirdParty group of the manager decides how a foreign control is skinned, and the skin section
// its adapter paints with.

#include <string_view>

#include "skin/engine/ThirdPartyList.h"

// The first group, in the lists' own order, that names the class; -1 when none does.
int ThirdPartyGroupOf(const ThirdPartyList &lists, std::string_view className);
// "EDIT", "BUTTON", "CHECKBOX", "GROUPBOX" or "PANEL".
std::string_view ThirdPartySection(int group);
