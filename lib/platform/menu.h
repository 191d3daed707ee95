// Menus as data: a bar of drop-downs, each a list of string items with an
// identifier, a check mark and a greyed state, and separators.
#pragma once

#include <string>
#include <vector>

#include "platform/messages.h"

namespace kelto::platform {

struct MenuItem {
    std::string text;  // "&" marks the mnemonic; text after '\t' is the key hint
    int id = 0;
    bool checked = false;
    bool greyed = false;
    bool separator = false;
    MenuHandle popup = 0;  // a drop-down hung from a bar item
};

struct Menu {
    bool is_bar = false;
    std::vector<MenuItem> items;
};

}  // namespace kelto::platform
