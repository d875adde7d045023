#include "control_features.h"

#include "art.h"

namespace skinart {
namespace {

// Frame k of the animation: a button plate whose light band moves from
// left to right, from the normal look towards the hot one.
QImage animationFrame(const Palette& p, int k)
{
    using namespace controlart;
    QImage tile = blank(kButtonW, kButtonH, kKey);
    const Plate& from = p.buttons.normal;
    const Plate& to = p.buttons.hot;
    Plate plate = to;
    plate.fillTop = stepBetween(from.fillTop, to.fillTop, k + 1, kFrames);
    plate.fillBottom = stepBetween(from.fillBottom, to.fillBottom, k + 1, kFrames);
    drawPlate(tile, QRect(0, 0, kButtonW, kButtonH), plate);
    const int band = 2 + (kButtonW - 12) * k / (kFrames - 1);
    for (int y = 3; y < kButtonH - 3; ++y)
        for (int x = band; x < band + 8; ++x)
            blendPixel(tile, x, y, withAlpha(Qt::white, 70));
    return tile;
}

QImage sideButton(const Palette& p, const Plate& plate, const QColor& background = kKey)
{
    using namespace controlart;
    QImage tile = blank(kSideButton, kSideButton, background);
    drawPlate(tile, QRect(0, 0, kSideButton, kSideButton), plate);
    const Glyph dots{{"#.#.#"}};
    stamp(tile, dots, 5, 7, p.text.text);
    return tile;
}

// The edit with room for its side button at the right; `button` draws the
// button's look there (the frame at rest leaves the field's own pixels).
QImage editFrame(const Palette& p, bool hot)
{
    using namespace controlart;
    QImage tile = blank(kEditW, kEditH, kKey);
    drawPlate(tile, QRect(0, 0, kEditW, kEditH),
              Plate{hot ? p.edit.hotBorder : p.edit.border, p.edit.face, p.edit.face, Qt::transparent, Qt::transparent, 0});
    // The side button at rest is part of the frame.
    blendImage(tile, sideButton(p, p.buttons.normal, Qt::transparent), QPoint(kEditRight + 1, 2));
    return tile;
}

QImage checkBox(const Palette& p, bool checked)
{
    using namespace controlart;
    // The bottom-left pixel stays the key colour: the box is drawn
    // transparently by it.
    QImage tile = blank(kCheck + 1, kCheck + 1, kKey);
    drawPlate(tile, QRect(1, 0, kCheck, kCheck),
              Plate{p.edit.border, p.edit.face, p.edit.face, Qt::transparent, Qt::transparent, 1});
    if (checked) {
        const Glyph tick{{"......#", ".....##", "#...##.", "##.##..", ".###...", "..#...."}};
        stamp(tile, tick, 3, 2, p.text.text);
    }
    return tile;
}

QImage markerFrame(const Palette& p)
{
    using namespace controlart;
    QImage tile = blank(10, 15, kKey);
    drawPlate(tile, QRect(0, 0, 10, 14), p.buttons.hot);
    return tile;
}

// A panel with a caption bar across its top.
QImage captionPanel(const Palette& p)
{
    using namespace controlart;
    QImage tile = blank(kPanelW, kPanelH, kKey);
    // Square corners: the panel has no shape of its own.
    Plate plate = p.buttons.normal;
    plate.radius = 0;
    drawPlate(tile, QRect(0, 0, kPanelW, kPanelH), plate);
    fillGradient(tile, QRect(1, 1, kPanelW - 2, kPanelCaption - 2), p.buttons.hot.fillTop, p.buttons.hot.fillBottom);
    hline(tile, 1, kPanelW - 2, kPanelCaption - 1, p.buttons.normal.border);
    return tile;
}

} // namespace

void addControlFeatures(SkinSources& skin)
{
    using namespace controlart;
    const Palette& p = *skin.palette;
    Atlas atlas(kFrames * kButtonW + 1, kKey);
    std::map<std::string, QRect> tiles;
    QImage frames = blank(kFrames * kButtonW, kButtonH, kKey);
    for (int k = 0; k < kFrames; ++k)
        copyImage(frames, animationFrame(p, k), QPoint(k * kButtonW, 0));
    tiles["animation"] = atlas.add("animation", frames);
    const std::pair<const char*, const Plate*> looks[] = {
        {"button.normal", &p.buttons.normal}, {"button.pressed", &p.buttons.pressed}, {"button.disabled", &p.buttons.disabled}};
    for (const auto& [name, plate] : looks) {
        QImage tile = blank(kButtonW, kButtonH, kKey);
        drawPlate(tile, QRect(0, 0, kButtonW, kButtonH), *plate);
        tiles[name] = atlas.add(name, tile);
    }
    tiles["edit.normal"] = atlas.add("edit.normal", editFrame(p, false));
    tiles["edit.hot"] = atlas.add("edit.hot", editFrame(p, true));
    tiles["side.hot"] = atlas.add("side.hot", sideButton(p, p.buttons.hot));
    tiles["side.down"] = atlas.add("side.down", sideButton(p, p.buttons.pressed));
    tiles["side.disabled"] = atlas.add("side.disabled", sideButton(p, p.buttons.disabled));
    tiles["check"] = atlas.add("check", checkBox(p, true));
    tiles["uncheck"] = atlas.add("uncheck", checkBox(p, false));
    tiles["marker"] = atlas.add("marker", markerFrame(p));
    tiles["panel"] = atlas.add("panel", captionPanel(p));
    for (const auto& [name, rect] : tiles)
        skin.tiles["features/" + name] = rect;
    skin.active.push_back({"control_features.bmp", atlas.image(), BmpKind::Colour24});
}

} // namespace skinart
