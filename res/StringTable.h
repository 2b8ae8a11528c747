// The string resources: the About item of the system menu and the menu items' prompts.
#pragma once

#include <string_view>

// The string with that id; empty when there is none.
std::string_view LoadResourceString(int id);
