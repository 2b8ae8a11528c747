// Menu 130, the main window's menu bar: popups left to right, items top to bottom.
#pragma once

#include <string_view>
#include <vector>

struct MenuItemTemplate {
    std::string_view caption; // "&" marks the mnemonic letter
    int id;
};

struct MenuPopupTemplate {
    std::string_view caption;
    std::vector<MenuItemTemplate> items;
};

struct MenuTemplate {
    int id;
    std::vector<MenuPopupTemplate> popups;
};

const MenuTemplate& MainMenuTemplate();
