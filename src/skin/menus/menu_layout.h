#pragma once

// The geometry of a popup menu window, as plain functions: its size, where
// its items and scroll markers lie, and where it goes on the screen. Painting
// and hit testing both read the rectangles made here.

#include <vector>

#include "skin/data/geometry.h"

namespace tessaly::skin {

// Height of each scroll marker.
inline constexpr int kScrollMarkerHeight = 10;

// The popup record's geometry when the window is skinned: the window
// picture's size, its cut points and items rectangle (picture coordinates).
struct PopupFrameGeometry {
    bool skinned = false;
    int pictureWidth = 0;
    int pictureHeight = 0;
    Point lt;
    Point rt;
    Point lb;
    Point rb;
    Rect itemsRect;
};

struct MenuSizeInput {
    PopupFrameGeometry frame;
    // Height of every item of the window, in order.
    std::vector<int> itemHeights;
    // The widest caption (shortcut included) as drawn, plus 2.
    int captionWidth = 0;
    // The glyph column: image width + 5, or 19 without images.
    int glyphWidth = 19;
    // Skinned: the menu item record's text margins, TextRct.Left +
    // (SkinRect width − TextRct.Right).
    int textMargins = 0;
    // The height of an ordinary item (skin record or default height).
    int normalItemHeight = 20;
    // MaxMenuItemsInWindow (0: no limit).
    int maxItemsInWindow = 0;
    int workAreaHeight = 0;
};

struct MenuSize {
    int width = 0;
    int height = 0;
    // The items do not all fit: markers show and the list scrolls.
    bool scroll = false;
    // The scrolling comes from maxItemsInWindow, not from the work area.
    bool scroll2 = false;
};

MenuSize sizeMenu(const MenuSizeInput& in);

// The record's cut points and items rectangle moved to a window of
// width × height; built-in: items in (2, 2, width − 2, height − 2).
struct MenuFrameLayout {
    Point lt;
    Point rt;
    Point lb;
    Point rb;
    Rect itemsRect;
};
MenuFrameLayout layoutFrame(const PopupFrameGeometry& frame, int width, int height);

// The items from `start` on laid out top-down in the items rectangle
// (between the markers when scrolling); rects has one entry per item, those
// outside the visible range stay empty.
struct ItemsLayout {
    std::vector<Rect> rects;
    int visibleStart = 0;
    int visibleCount = 0;
    bool isVisible(int index) const { return index >= visibleStart && index < visibleStart + visibleCount; }
};
ItemsLayout layoutItems(const Rect& itemsRect, const std::vector<int>& itemHeights, int start, bool scroll);

// The start index that shows the last page: the items from the last one
// upwards that fit between the markers.
int lastPageStart(const Rect& itemsRect, const std::vector<int>& itemHeights);

// The two scroll markers.
Rect topScrollMarker(const MenuFrameLayout& layout, bool skinned, int width);
Rect bottomScrollMarker(const MenuFrameLayout& layout, bool skinned, int width, int height);

// Where a window of the given size goes against the anchor rectangle (screen
// coordinates) inside the work area.
struct PlacementInput {
    Rect anchor;
    Rect workArea;
    int width = 0;
    int height = 0;
    bool scroll = false;
    bool scroll2 = false;
    // A sub-menu, lined up with its parent item.
    bool byItem = false;
    // Opens above the anchor.
    bool up = false;
    // The top of the items rectangle in the window.
    int itemsTop = 0;
};
Point placeMenu(const PlacementInput& in);

} // namespace tessaly::skin
