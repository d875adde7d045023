#pragma once

#include "skin/data/skin_types.h"
#include "skin/data/system_colors.h"

class QWidget;

namespace tessaly::skin {

class SkinData;
class SkinMenu;

// The menu settings of a window. The defaults are what a menu uses when no
// window frame gives its own.
struct MenuSettings {
    // Item font from the skin's "menuitem" record rather than defaultMenuItemFont.
    bool useSkinFont = true;
    // Item height of the built-in look.
    int defaultMenuItemHeight = 20;
    Font defaultMenuItemFont{"Arial", 14, {}, Color(0), 1};
    // At most this many items show at once (the rest by scrolling); 0: no limit.
    int maxMenuItemsInWindow = 0;
    // Translucent menu windows, their opacity (0 … 255), and a fade-in of
    // the first window. Used only while layered windows are available.
    bool alphaBlend = false;
    int alphaBlendValue = 150;
    bool alphaBlendAnimation = false;
};

// What a skinned window frame offers the menus of its window. The frame owns
// the window's menu engine (also used for its system menu), gives the
// registry and settings the menus are drawn with, and keeps its own menu
// mode in step with the engine. Open menus read the registry's records, so
// the frame hides its engine when the registry announces a change
// (SKINMSG_BEFORE_CHANGE). A popup menu without a frame runs on an engine
// of its own with the default settings and never uses translucency.
class MenuFrame {
public:
    virtual ~MenuFrame() = default;

    // The frame's menu engine.
    virtual SkinMenu& skinMenu() = 0;
    // The registry menus use when their own is not set: the frame's menu
    // registry, or its window registry when it has none (may be null).
    virtual SkinData* menusSkinData() const = 0;
    virtual MenuSettings menuSettings() const = 0;
    // True while translucent windows can be shown (a compositing manager
    // runs); without it menus stay opaque and without shadow.
    virtual bool layeredWindowsAvailable() const = 0;
    // A popup of the engine is opening: the frame enters its menu mode.
    virtual void skinMenuOpen() = 0;
    // The whole menu has closed (by whatever way): the frame leaves its
    // menu mode and releases its pressed buttons. An engine destroyed while
    // open closes first, so a frame hides its engine before it goes.
    virtual void skinMenuClose() = 0;
};

} // namespace tessaly::skin
