#include "skin/menus/menu_painter.h"

#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/data/system_colors.h"
#include "skin/paint/compose.h"
#include "skin/paint/pixel_view.h"

namespace tessaly::skin {

PopupFrameGeometry popupFrameGeometry(const DataSkinPopupWindow* record, const MenuItemLook& look)
{
    PopupFrameGeometry g;
    if (!record)
        return g;
    const Picture* picture = look.skinData->activePicture(record->windowPictureIndex);
    g.skinned = true;
    g.pictureWidth = picture->width();
    g.pictureHeight = picture->height();
    g.lt = record->ltPoint;
    g.rt = record->rtPoint;
    g.lb = record->lbPoint;
    g.rb = record->rbPoint;
    g.itemsRect = record->itemsRect;
    return g;
}

namespace {

void paintBuiltInBackground(Bitmap& target, const MenuScene& scene)
{
    const int w = scene.size.width, h = scene.size.height;
    target.setSize(w, h);
    const int column = scene.look->images ? scene.look->glyphWidth + 2 : 21;
    const PixelColor shadow = colorFromValue(colors::btnShadow);
    const PixelColor window = colorFromValue(colors::window);
    target.fillRect({0, 0, column, h}, colorFromValue(colors::btnFace));
    target.fillRect({column, 0, w, h}, window);
    // A shadow-coloured edge with a window-coloured ring inside it.
    target.fillRect({0, 0, w, 1}, shadow);
    target.fillRect({0, h - 1, w, h}, shadow);
    target.fillRect({0, 0, 1, h}, shadow);
    target.fillRect({w - 1, 0, w, h}, shadow);
    target.fillRect({1, 1, w - 1, 2}, window);
    target.fillRect({1, h - 2, w - 1, h - 1}, window);
    target.fillRect({1, 1, 2, h - 1}, window);
    target.fillRect({w - 2, 1, w - 1, h - 1}, window);
}

// The normal face of an item at `place` (under a marker, or in the gap
// below the last item).
void paintItemFace(Bitmap& buffer, const MenuScene& scene, const Rect& place)
{
    const DataSkinMenuItem* r = scene.record ? scene.look->record : nullptr;
    if (!r || place.isEmpty())
        return;
    Bitmap face;
    if (r->inActiveTransparent && scene.look->paintBuffer) {
        face.setSize(place.width(), place.height());
        scene.look->paintBuffer->draw(face, 0, 0, place);
    } else {
        composeHorzSkinImage(r->itemLO, r->itemRO, face, pixelView(*scene.look->picture), r->skinRect, place.width(),
                             place.height(), r->inActiveStretchEffect);
    }
    face.draw(buffer, place);
}

// A small triangle of four rows: up widest at the bottom, down widest at
// the top.
void paintMarkerArrow(Bitmap& buffer, const Rect& marker, bool up, PixelColor color)
{
    const int cx = marker.left + marker.width() / 2, cy = marker.top + marker.height() / 2;
    for (int row = 0; row < 4; ++row) {
        const int half = up ? row : 3 - row;
        const int y = up ? cy - 2 + row : cy - 1 + row;
        buffer.fillRect({cx - half, y, cx + half + 1, y + 1}, color);
    }
}

} // namespace

void paintMenuBackground(Bitmap& target, const MenuScene& scene, bool drawClient)
{
    const DataSkinPopupWindow* record = scene.record;
    if (!record) {
        paintBuiltInBackground(target, scene);
        return;
    }
    const Picture* picture = scene.look->skinData->activePicture(record->windowPictureIndex);
    const PopupFrameGeometry g = popupFrameGeometry(record, *scene.look);
    const NineGeometry cut{g.lt, g.rt, g.lb, g.rb, g.itemsRect};
    const MenuFrameLayout& f = scene.frame;
    const NineGeometry moved{f.lt, f.rt, f.lb, f.rb, f.itemsRect};
    composeSkinImage(target, pixelView(*picture), {0, 0, g.pictureWidth, g.pictureHeight}, cut, moved,
                     scene.size.width, scene.size.height, drawClient,
                     {record->leftStretch, record->topStretch, record->rightStretch, record->bottomStretch},
                     record->stretchEffect, record->stretchType);
}

void paintMenu(Bitmap& buffer, Bitmap& paintBuffer, MenuItemLook& look, const MenuScene& scene)
{
    paintMenuBackground(buffer, scene, scene.size.scroll);
    look.paintBuffer = nullptr;
    if (scene.record && look.record && look.record->inActiveTransparent) {
        paintMenuBackground(paintBuffer, scene, true);
        look.paintBuffer = &paintBuffer;
    }
    for (const auto& it : *scene.items)
        it->draw(buffer);
    if (scene.size.scroll)
        paintScrollMarkers(buffer, scene);
}

void paintScrollMarkers(Bitmap& buffer, const MenuScene& scene)
{
    const Rect& top = scene.topMarker;
    const Rect& bottom = scene.bottomMarker;
    int lastBottom = top.bottom;
    for (const auto& it : *scene.items)
        if (it->visible)
            lastBottom = std::max(lastBottom, it->objectRect.bottom);
    if (lastBottom < bottom.top)
        paintItemFace(buffer, scene, {scene.frame.itemsRect.left, lastBottom, scene.frame.itemsRect.right, bottom.top});
    for (int marker = 1; marker <= 2; ++marker) {
        const Rect& place = marker == 1 ? top : bottom;
        paintItemFace(buffer, scene, place);
        const bool hot = scene.hotMarker == marker;
        const PixelColor color =
            scene.record ? colorFromValue(hot ? scene.record->scrollMarkerActiveColor : scene.record->scrollMarkerColor)
                         : colorFromValue(hot ? colors::btnText : colors::btnShadow);
        paintMarkerArrow(buffer, place, marker == 1, color);
    }
}

} // namespace tessaly::skin
