#include "res/Menu.h"
#include "res/ControlIds.h"

const MenuTemplate& MainMenuTemplate() {
    static const MenuTemplate menu{
        ids::IDR_MENU,
        {
            {"&Simulator",
             {{"Star&t", ids::ID_SIMULATOR_START}, {"Sto&p", ids::ID_SIMULATOR_STOP}}},
            {"&Window", {{"&Exit", ids::ID_WINDOW_EXIT}}},
            {"&Help", {{"&About", ids::ID_HELP_ABOUT}}},
        }};
    return menu;
}
