#pragma once

#include <functional>

#include "skin/menus/menu_item.h"

namespace tessaly::skin {

class ResourceStrData;

// What the system menu offers depends on the window's caption buttons and
// its state.
struct SystemMenuState {
    unsigned borderIcons = 0; // BorderIcon bits
    bool minimised = false;
    bool maximised = false;
    bool rolledUp = false;
    bool maxRollUpState = false; // rolled up while maximised
};

// The commands of the system menu's items.
struct SystemMenuActions {
    std::function<void()> minimize;
    std::function<void()> maximize;
    std::function<void()> restore;
    std::function<void()> rollUp;
    std::function<void()> minimizeToTray;
    std::function<void()> close;
};

// Adds the system menu's items to `menu` (which should be empty): the
// window commands the state allows, a separator when there is one, and
// "&Close" (shortcut text Alt+F4) last. Item names identify them. With a
// string list (the registry's) the captions come from its MI_… keys.
void buildSystemMenu(MenuItem& menu, const SystemMenuState& state, const SystemMenuActions& actions,
                     const ResourceStrData* strings = nullptr);

} // namespace tessaly::skin
