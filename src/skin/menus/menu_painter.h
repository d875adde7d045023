#pragma once

// The picture of one open menu level, as its popup window shows it: the
// frame from the skin's popup-window record (or the built-in look), the
// items over it, and the scroll markers where the items do not fit. The
// window keeps the state (items, highlight, scrolling); this draws it.

#include <memory>
#include <vector>

#include "skin/menus/menu_layout.h"
#include "skin/menus/skin_menu_item.h"
#include "skin/paint/bitmap.h"

namespace tessaly::skin {

class DataSkinPopupWindow;

struct MenuScene {
    // The skin's popup-window record with its window picture, or null for
    // the built-in look.
    const DataSkinPopupWindow* record = nullptr;
    const MenuItemLook* look = nullptr;
    MenuSize size;
    MenuFrameLayout frame;
    const std::vector<std::unique_ptr<SkinMenuItem>>* items = nullptr;
    Rect topMarker;
    Rect bottomMarker;
    // Which marker is hot: 1 the top one, 2 the bottom one, 0 none.
    int hotMarker = 0;
};

// Where the record's window picture is cut (nothing for the built-in look).
PopupFrameGeometry popupFrameGeometry(const DataSkinPopupWindow* record, const MenuItemLook& look);

// The frame at the scene's size; `drawClient` fills the items' area too.
void paintMenuBackground(Bitmap& target, const MenuScene& scene, bool drawClient);

// The whole picture into `buffer`. Where the skin draws items over a
// transparent face, `paintBuffer` receives the plain background they show
// through and the look points at it.
void paintMenu(Bitmap& buffer, Bitmap& paintBuffer, MenuItemLook& look, const MenuScene& scene);

// The scroll markers and the item faces under and between them.
void paintScrollMarkers(Bitmap& buffer, const MenuScene& scene);

} // namespace tessaly::skin
