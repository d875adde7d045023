#include "skin_design.h"

#include "art.h"
#include "exact_math.h"
#include "control_features.h"
#include "frame_features.h"
#include "layer_frame.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace skinart {
namespace {

// Brushed-metal grain: a small, fixed brightness offset per row.
int grain(int y)
{
    static const int table[] = {0, 2, -1, 0, 3, -1, 1, -2, 0, 2, -1, 1, -2, 0, 3, -1, 0, 2, -2, 1, 0, -1, 2, 0, -2, 1, 2, -1, 0, 1};
    return table[size_t(y) % (sizeof table / sizeof table[0])];
}

QColor shift(const QColor& c, int d)
{
    auto f = [d](int v) { return std::clamp(v + d, 0, 255); };
    return QColor(f(c.red()), f(c.green()), f(c.blue()), c.alpha());
}

// The colour of one caption row (window rows 0 .. kCaption - 1) between the
// side borders. It does not change along the row, so the caption stretches
// to any width without seams and the caption buttons can carry the same
// rows as their background.
QColor captionRow(const FramePalette& f, int y)
{
    if (y <= 0)
        return f.outline;
    if (y == 1)
        return f.captionHighlight;
    if (y >= frame::kCaption - 1)
        return f.innerLine;
    QColor base;
    if (y <= 13)
        base = mix(f.captionUpperTop, f.captionUpperBottom, (y - 2) / 11.0);
    else
        base = mix(f.captionLowerTop, f.captionLowerBottom, (y - 14) / 13.0);
    return f.grain ? shift(base, grain(y)) : base;
}

// ---- the frame -------------------------------------------------------------

QColor frameBase(const FramePalette& f, int x, int y)
{
    using namespace frame;
    const int w = kWidth, h = kHeight;
    if (x == 0 || x == w - 1 || y == 0 || y == h - 1)
        return f.outline;
    if (y < kCaption) {
        const QColor row = captionRow(f, y);
        if (y == kCaption - 1) {
            // the line over the client area, inside the side borders
            if (x <= 2)
                return x == 1 ? f.borderLight : f.borderMid;
            if (x >= w - 3)
                return x == w - 2 ? f.borderDark : f.borderMid;
            return f.innerLine;
        }
        if (x == 1)
            return f.captionLeftEdge.over(row);
        if (x == w - 2)
            return f.captionRightEdge.over(row);
        return row;
    }
    // side and bottom borders: 1 outline, 2 metal, 1 inner line
    if (x == 1)
        return f.borderLight;
    if (x == w - 2 || y == h - 2)
        return f.borderDark;
    if (x == 2 || x == w - 3 || y == h - 3)
        return f.borderMid;
    if (x == 3 || x == w - 4 || y == h - 4)
        return f.innerLine;
    return f.client;
}

void drawFrame(const FramePalette& f, QImage& picture, QImage& mask)
{
    using namespace frame;
    const int radius = f.cornerRadius;
    picture = blank(kWidth, kHeight);
    mask = blank(kWidth, kHeight, Qt::black);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            picture.setPixelColor(x, y, frameBase(f, x, y));

    // Rounded top corners: outline band, highlight band and caption fill
    // blended by how much of each pixel they cover; pixels less than half
    // inside the outline fall outside the window shape.
    const double r = radius;
    const QRectF outer(0, 0, kWidth, kHeight + 20);
    const QRectF band(1, 1, kWidth - 2, kHeight + 20);
    const QRectF inner(2, 2, kWidth - 4, kHeight + 20);
    for (int y = 0; y <= radius; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (x > radius && x < kWidth - 1 - radius)
                continue;
            const double c1 = roundRectCoverage(outer, r, TopLeft | TopRight, x, y);
            const double c2 = roundRectCoverage(band, r - 1, TopLeft | TopRight, x, y);
            const double c3 = roundRectCoverage(inner, r - 2, TopLeft | TopRight, x, y);
            if (c1 < 0.5) {
                mask.setPixelColor(x, y, Qt::white);
                picture.setPixelColor(x, y, f.outline);
                continue;
            }
            const QColor fill = captionRow(f, std::max(y, 2));
            const QColor light = f.cornerHighlight.over(fill);
            auto ch = [&](int o, int l, int f) {
                return int(std::lround((o * (c1 - c2) + l * (c2 - c3) + f * c3) / c1));
            };
            picture.setPixelColor(x, y, QColor(ch(f.outline.red(), light.red(), fill.red()),
                                               ch(f.outline.green(), light.green(), fill.green()),
                                               ch(f.outline.blue(), light.blue(), fill.blue())));
        }
    }
}

// ---- caption buttons -------------------------------------------------------

enum class CapState { Normal, Hot, Pressed, Inactive, Disabled };
constexpr CapState kCapStates[] = {CapState::Normal, CapState::Hot, CapState::Pressed, CapState::Inactive,
                                   CapState::Disabled};
constexpr int kCellW = 32;
constexpr int kCellH = frame::kButtonHeight + 1;

// The caption glyphs share one box of 9 rows, so that they read as one
// size: the window glyphs are 10 x 9 (maximise, restore, minimise) and the
// cross 10 x 10 with strokes two pixels wide (a cross looks smaller than a
// box of the same size).
constexpr int kGlyphBoxHeight = 9;
const Glyph kCloseGlyph{{"##......##", "###....###", ".###..###.", "..######..", "...####...", "...####...",
                         "..######..", ".###..###.", "###....###", "##......##"}};
const Glyph kMaxGlyph{{"##########", "##########", "#........#", "#........#", "#........#", "#........#",
                       "#........#", "#........#", "##########"}};
// Two windows of 8 x 7 and 8 x 6, the back one two pixels up and right:
// the same outer box as the maximise glyph.
const Glyph kRestoreGlyph{{"..########", "..########", "..#......#", "########.#", "########.#", "#......#.#",
                           "#......###", "#......#..", "########.."}};
const Glyph kMinGlyph{{"..........", "..........", "..........", "..........", "..........", "..........",
                       "..........", "##########", "##########"}};
const Glyph kRollUpGlyph{{"....#....", "...###...", "..##.##..", ".##...##.", "##.....##"}};
const Glyph kTrayGlyph{{"....#....", "....#....", "..#####..", "...###...", "....#....", "#.......#",
                        "#########"}};

// The program's mark, as on the About window's logo: a pewter tile with a
// bold white check, 16 x 16 and drawn on whole pixels.
constexpr int kMarkSize = 16;
const Glyph kMarkCheck{{"........##", ".......###", "......###.", "##...###..", "###.###...", ".#####....",
                        "..###.....", "...#......"}};

// `tint` lies over the tile, under the check (lighter under the pointer,
// darker when pressed).
QImage programMark(const CaptionButtonPalette& c, const QColor& tint = Qt::transparent)
{
    QImage mark = blank(kMarkSize, kMarkSize);
    Plate tile = c.markTile;
    tile.radius = 3;
    drawPlate(mark, QRect(0, 0, kMarkSize, kMarkSize), tile);
    if (tint.alpha() > 0)
        tintAtop(mark, tint);
    stamp(mark, kMarkCheck, 3, 5, c.markCheckShadow); // shadow one pixel below
    stamp(mark, kMarkCheck, 3, 4, c.markCheck);
    return mark;
}

enum class CapGlyph { Close, Max, Restore, Min, RollUp, RollDown, Tray, Badge };

// The restore glyph's front window hides the back one; its inside is
// painted in the plate colour under the glyph, so only outlines show.
void drawCapGlyph(const CaptionButtonPalette& c, QImage& img, CapGlyph kind, int w, int h, const QColor& colour,
                  const QColor& emboss, int dy, bool inactive, const QColor& tint = Qt::transparent)
{
    if (kind == CapGlyph::Badge) {
        // The mark keeps its own colours and needs no plate: it lightens
        // under the pointer, darkens and sinks when pressed, fades when the
        // window is inactive and fades further when disabled.
        const int bx = (w - kMarkSize) / 2, by = (h - kMarkSize) / 2 + dy;
        QImage mark = programMark(c, tint);
        if (inactive)
            mark = inactiveGrey(mark);
        blendImage(img, mark, QPoint(bx, by), inactive ? 153 : colour.alpha()); // 153: 60 %
        return;
    }
    const Glyph* glyph = nullptr;
    switch (kind) {
    case CapGlyph::Close: glyph = &kCloseGlyph; break;
    case CapGlyph::Max: glyph = &kMaxGlyph; break;
    case CapGlyph::Restore: glyph = &kRestoreGlyph; break;
    case CapGlyph::Min: glyph = &kMinGlyph; break;
    case CapGlyph::RollUp: glyph = &kRollUpGlyph; break;
    case CapGlyph::RollDown: {
        static const Glyph down = kRollUpGlyph.flippedVertically();
        glyph = &down;
        break;
    }
    case CapGlyph::Tray: glyph = &kTrayGlyph; break;
    case CapGlyph::Badge: break;
    }
    const int gx = (w - glyph->width()) / 2;
    const int gy = (h - kGlyphBoxHeight) / 2 + dy + (kGlyphBoxHeight - glyph->height()) / 2;
    stamp(img, *glyph, gx, gy + 1, emboss);
    stamp(img, *glyph, gx, gy, colour);
}

QImage captionButton(const Palette& palette, CapGlyph kind, int w, CapState state, bool close)
{
    const CaptionButtonPalette& c = palette.captionButtons;
    const int h = frame::kButtonHeight;
    QImage img = blank(w, h);
    fillRows(img, QRect(0, 0, w, h), [&](int i) { return captionRow(palette.frame, frame::kButtonTop + i); });
    const QRect plate(0, 0, w, h);
    QColor glyph = c.glyph, emboss = c.emboss, tint = Qt::transparent;
    int dy = 0;
    switch (state) {
    case CapState::Normal:
        // The program's mark stands on the caption itself, as a window's
        // mark does; the buttons rest on quiet plates.
        if (kind != CapGlyph::Badge)
            drawPlate(img, plate, c.normal);
        break;
    case CapState::Hot:
        if (kind == CapGlyph::Badge) {
            tint = c.markHotTint;
        } else if (close) {
            drawPlate(img, plate, c.closeHot);
            glyph = c.closeGlyph;
            emboss = c.closeEmbossHot;
        } else {
            drawPlate(img, plate, c.hot);
            glyph = c.glyphHot;
        }
        break;
    case CapState::Pressed:
        if (kind == CapGlyph::Badge) {
            tint = c.markPressedTint;
        } else if (close) {
            drawPlate(img, plate, c.closePressed);
            glyph = c.closeGlyph;
            emboss = c.closeEmbossPressed;
        } else {
            drawPlate(img, plate, c.pressed);
            glyph = c.glyphPressed;
            emboss = c.embossPressed;
        }
        dy = 1;
        break;
    case CapState::Inactive:
        img = inactiveGrey(img);
        glyph = c.inactiveGlyph;
        emboss = c.inactiveEmboss;
        break;
    case CapState::Disabled:
        glyph = withAlpha(c.glyph, c.disabledGlyphAlpha);
        emboss = c.disabledEmboss;
        break;
    }
    drawCapGlyph(c, img, kind, w, h, glyph, emboss, dy, state == CapState::Inactive, tint);
    if (state == CapState::Inactive)
        img = inactiveGrey(img); // the badge and every blend stay exactly grey
    return img;
}

struct CapRow {
    std::string name;
    CapGlyph glyph;
    int width;
    bool close;
};

const CapRow kCapRows[] = {
    {"close", CapGlyph::Close, 31, true},           {"max", CapGlyph::Max, 25, false},
    {"maxrestore", CapGlyph::Restore, 25, false},   {"min", CapGlyph::Min, 25, false},
    {"minrestore", CapGlyph::Restore, 25, false},   {"rollup", CapGlyph::RollUp, 25, false},
    {"rollupdown", CapGlyph::RollDown, 25, false},  {"sysmenu", CapGlyph::Badge, 19, false},
    {"tray", CapGlyph::Tray, 25, false},
};

const char* stateName(CapState s)
{
    switch (s) {
    case CapState::Normal: return "normal";
    case CapState::Hot: return "hot";
    case CapState::Pressed: return "pressed";
    case CapState::Inactive: return "inactive";
    case CapState::Disabled: return "disabled";
    }
    return "";
}

QImage drawCaptionButtons(const Palette& palette, std::map<std::string, QRect>& tiles)
{
    const int rows = int(std::size(kCapRows));
    QImage img = blank(kCellW * 5, kCellH * rows - 1, palette.frame.client);
    for (int r = 0; r < rows; ++r) {
        for (int s = 0; s < 5; ++s) {
            const CapRow& row = kCapRows[r];
            const QImage cell = captionButton(palette, row.glyph, row.width, kCapStates[s], row.close);
            const QRect rect(s * kCellW, r * kCellH, row.width, frame::kButtonHeight);
            copyImage(img, cell, rect.topLeft());
            tiles["caption_buttons/" + row.name + "." + stateName(kCapStates[s])] = rect;
        }
    }
    return img;
}

// ---- glows -----------------------------------------------------------------

// A soft halo around a rounded button of w x h, margin pixels wide on every
// side. The colour picture holds the colour already multiplied by the
// opacity; the grey mask holds the opacity. The button itself stays clear.
void drawGlow(int w, int h, int margin, double radius, const QColor& colour, int peak, QImage& picture,
              QImage& mask)
{
    const int gw = w + 2 * margin, gh = h + 2 * margin;
    picture = blank(gw, gh, Qt::transparent);
    mask = blank(gw, gh, Qt::black);
    const QRectF button(margin, margin, w, h);
    const double sigma = margin / 2.6;
    for (int y = 0; y < gh; ++y) {
        for (int x = 0; x < gw; ++x) {
            const double d = roundRectDistance(button, radius, x + 0.5, y + 0.5);
            double a = 0;
            if (d > 0)
                a = peak * exactExp(-(d * d) / (2 * sigma * sigma));
            else if (d > -1.5)
                a = peak * (1 + d / 1.5) * 0.6;
            const int alpha = std::clamp(int(std::lround(a)), 0, 255);
            auto pm = [alpha](int c) { return c * alpha / 255; };
            picture.setPixelColor(x, y, QColor(pm(colour.red()), pm(colour.green()), pm(colour.blue()), alpha));
            mask.setPixelColor(x, y, QColor(alpha, alpha, alpha));
        }
    }
}

// ---- controls --------------------------------------------------------------

Plate buttonPlate(const ButtonPalette& b, const std::string& state, double radius)
{
    Plate p;
    if (state == "normal")
        p = b.normal;
    else if (state == "hot")
        p = b.hot;
    else if (state == "pressed")
        p = b.pressed;
    else if (state == "focused")
        p = b.focused;
    else if (state == "disabled")
        p = b.disabled;
    p.radius = radius;
    return p;
}

QImage buttonTile(const ButtonPalette& b, int w, int h, const std::string& state, double radius, const QColor& back)
{
    QImage img = blank(w, h, back);
    drawPlate(img, QRect(0, 0, w, h), buttonPlate(b, state, radius));
    if (state == "focused") {
        // a soft inner ring marks the keyboard focus
        strokeRoundRect(img, QRectF(1.5, 1.5, w - 3, h - 3), radius - 1, b.focusRing);
    }
    return img;
}

QImage shapeMask(int w, int h, double radius)
{
    QImage m = blank(w, h, Qt::black);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (roundRectCoverage(QRectF(0, 0, w, h), radius, AllCorners, x, y) < 0.5)
                m.setPixelColor(x, y, Qt::white);
    return m;
}

QColor statusRow(const BarPalette& b, int y)
{
    if (y == 0)
        return b.statusRule;
    if (y == 1)
        return b.statusHighlight;
    return mix(b.statusTop, b.statusBottom, (y - 2) / 18.0);
}

const Glyph kArrowDown{{"#####", ".###.", "..#.."}};

QImage toolMenuTile(const Palette& palette, const std::string& state)
{
    const int w = 40, h = 18;
    QImage img = blank(w, h);
    fillRows(img, QRect(0, 0, w, h), [&](int i) { return statusRow(palette.bars, 2 + i); });
    drawPlate(img, QRect(0, 0, w, h), buttonPlate(palette.buttons, state, 2.5));
    const bool disabled = state == "disabled";
    const int dy = state == "pressed" ? 1 : 0;
    stamp(img, kArrowDown, w - 8, 8 + dy + 1, palette.buttons.arrowEmboss);
    stamp(img, kArrowDown, w - 8, 8 + dy, disabled ? palette.text.textDisabled : palette.buttons.arrow);
    return img;
}

// Centred in the 9-pixel strip right of the caption, this lands the arrow
// on the same pixels as the arrow of the hot and pressed faces.
QImage markerTile(const Palette& palette)
{
    QImage img = blank(6, 5, kKey);
    stamp(img, kArrowDown, 0, 1, palette.buttons.arrow);
    return img;
}

QImage editTile(const Palette& palette, bool hot)
{
    const EditPalette& e = palette.edit;
    const int w = 40, h = 18;
    QImage img = blank(w, h, e.face);
    const QColor border = hot ? e.hotBorder : e.border;
    const QColor top = hot ? e.hotBorderTop : e.borderTop;
    const QColor bottom = hot ? e.hotBorderBottom : e.borderBottom;
    hline(img, 1, w - 2, 0, top);
    hline(img, 1, w - 2, h - 1, bottom);
    vline(img, 0, 1, h - 2, border);
    vline(img, w - 1, 1, h - 2, border);
    // softened corners
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
        img.setPixelColor(x, y, mix(border, palette.frame.client, 0.55));
    if (hot) {
        hline(img, 1, w - 2, 1, e.hotInnerTop);
        hline(img, 1, w - 2, h - 2, e.hotInnerBottom);
        vline(img, 1, 1, h - 2, e.hotInnerSides);
        vline(img, w - 2, 1, h - 2, e.hotInnerSides);
    } else {
        hline(img, 1, w - 2, 1, e.innerTop);
        vline(img, 1, 2, h - 2, e.innerLeft);
        vline(img, w - 2, 2, h - 2, e.innerRight);
    }
    return img;
}

QImage statusTile(const BarPalette& b)
{
    QImage img = blank(40, 21);
    fillRows(img, QRect(0, 0, 40, 21), [&](int y) { return statusRow(b, y); });
    return img;
}

QImage gripTile(const BarPalette& b)
{
    QImage img = blank(11, 11, kKey);
    // three diagonal rows of raised dots
    for (int k = 0; k < 3; ++k) {
        for (int j = 0; j <= k; ++j) {
            const int x = 8 - 4 * (k - j) + 0, y = 8 - 4 * j;
            img.setPixelColor(x + 1, y + 1, b.gripLight);
            img.setPixelColor(x, y, b.gripDot);
            img.setPixelColor(x + 1, y, b.gripMid);
            img.setPixelColor(x, y + 1, b.gripMid);
        }
    }
    return img;
}

QImage panelTile(const Palette& palette)
{
    const BarPalette& b = palette.bars;
    const int s = 40;
    QImage img = blank(s, s, palette.frame.client);
    hline(img, 0, s - 1, 0, b.panelOuterLight);
    hline(img, 0, s - 1, s - 1, b.panelOuterDark);
    vline(img, 0, 0, s - 1, b.panelOuterLight);
    vline(img, s - 1, 0, s - 1, b.panelOuterDark);
    hline(img, 1, s - 2, 1, b.panelInnerLight);
    vline(img, 1, 1, s - 2, b.panelInnerLight);
    hline(img, 1, s - 2, s - 2, b.panelInnerDark);
    vline(img, s - 2, 2, s - 2, b.panelInnerDark);
    return img;
}

QImage labelTile(const BarPalette& b)
{
    const int w = 40, h = 21;
    QImage img = blank(w, h, b.labelFace);
    hline(img, 0, w - 1, 0, b.labelShade);
    vline(img, 0, 0, h - 1, b.labelShade);
    hline(img, 0, w - 1, h - 1, b.labelLight);
    vline(img, w - 1, 0, h - 1, b.labelLight);
    hline(img, 1, w - 2, 1, b.labelInnerShade);
    return img;
}

// The glyph column with its two edge lines, over the rows of rect.
void glyphColumn(const MenuPalette& m, QImage& img, int left, int height)
{
    fillRows(img, QRect(left, 0, kColumn, height), [&](int) { return m.column; });
    vline(img, left + kColumn, 0, height - 1, m.columnLine);
    vline(img, left + kColumn + 1, 0, height - 1, m.columnLight);
}

// A tab of the tab control: a plate with rounded top corners standing on
// the strip's base line. The chosen tab is the page's own face and has no
// base line, so it opens into the page below it; the others sit a pixel
// lower, behind it.
QImage tabTile(const Palette& palette, const std::string& state)
{
    const int w = 48, h = 20;
    const bool chosen = state == "active" || state == "focus";
    QImage img = blank(w, h, palette.frame.client);
    Plate plate = state == "hot" ? palette.buttons.hot : palette.buttons.normal;
    if (chosen) {
        plate.border = palette.edit.border;
        plate.fillTop = plate.fillBottom = palette.edit.face;
        plate.innerTop = plate.innerBottom = Qt::transparent;
    }
    plate.radius = 3;
    // The plate runs on below the tile, so only its top corners are round.
    const int top = chosen ? 0 : 2;
    QImage tall = blank(w, h + 6 - top, palette.frame.client);
    drawPlate(tall, QRect(0, 0, w, h + 6 - top), plate);
    copyImage(img, tall.copy(0, 0, w, h - top), QPoint(0, top));
    if (chosen)
        hline(img, 1, w - 2, h - 1, palette.edit.face);
    else
        hline(img, 0, w - 1, h - 1, palette.edit.border);
    if (state == "focus")
        strokeRoundRect(img, QRectF(2.5, 2.5, w - 5, h - 5), 2, palette.buttons.focusRing);
    return img;
}

// The strip behind the tabs: the window's face over the base line.
QImage tabsBackTile(const Palette& palette)
{
    QImage img = blank(40, 20, palette.frame.client);
    hline(img, 0, 39, 19, palette.edit.border);
    return img;
}

// The scroll bar's parts, 17 pixels across: the track (its edges a line
// darker than the face), the arrow buttons and the thumb as small plates.
constexpr int kScrollWidth = 17;

QImage scrollTrackTile(const Palette& palette)
{
    const int w = kScrollWidth, h = 40;
    QImage img = blank(w, h, mix(palette.frame.client, palette.edit.border, 0.18));
    vline(img, 0, 0, h - 1, mix(palette.frame.client, palette.edit.border, 0.45));
    return img;
}

QImage scrollArrowTile(const Palette& palette, const std::string& state, bool up)
{
    QImage img = buttonTile(palette.buttons, kScrollWidth, kScrollWidth, state, 2, mix(palette.frame.client, palette.edit.border, 0.18));
    const Glyph glyph = up ? kArrowDown.flippedVertically() : kArrowDown;
    const int dy = state == "pressed" ? 1 : 0;
    stamp(img, glyph, 6, 7 + dy, palette.buttons.arrow);
    return img;
}

QImage scrollThumbTile(const Palette& palette, const std::string& state)
{
    const int w = kScrollWidth, h = 24;
    QImage img = buttonTile(palette.buttons, w, h, state, 3, mix(palette.frame.client, palette.edit.border, 0.18));
    // three grip lines in the middle, which stays the thumb's centre piece
    for (int k = -2; k <= 2; k += 2)
        hline(img, 5, w - 6, h / 2 + k, palette.buttons.arrow);
    return img;
}

QImage menuItemTile(const MenuPalette& m, bool active)
{
    QImage img = blank(kItemW, kItemH, m.back);
    glyphColumn(m, img, 0, kItemH);
    if (active)
        drawPlate(img, QRect(1, 1, kItemW - 2, kItemH - 2), m.highlight);
    return img;
}

// The highlight of a menu item wiping in from the left, one frame per
// step, stacked; the last frame is the highlighted item itself.
QImage menuItemFrames(const MenuPalette& m)
{
    const QImage normal = menuItemTile(m, false);
    const QImage active = menuItemTile(m, true);
    QImage frames = blank(kItemW, kItemH * kMenuItemFrames, m.back);
    for (int k = 1; k <= kMenuItemFrames; ++k) {
        const int cut = kItemW * k / kMenuItemFrames;
        const int top = (k - 1) * kItemH;
        for (int y = 0; y < kItemH; ++y)
            for (int x = 0; x < kItemW; ++x)
                frames.setPixel(x, top + y, (x < cut ? active : normal).pixel(x, y));
    }
    return frames;
}

QImage dividerTile(const MenuPalette& m)
{
    QImage img = blank(kItemW, 7, m.back);
    glyphColumn(m, img, 0, 7);
    hline(img, kColumn + 4, kItemW - 3, 3, m.divider);
    hline(img, kColumn + 4, kItemW - 3, 4, m.dividerLight);
    return img;
}

const Glyph kCheckGlyph{{"......#", ".....##", "#...##.", "##.##..", ".###...", "..#...."}};
const Glyph kRadioGlyph{{".###.", "#####", "#####", "#####", ".###."}};
const Glyph kArrowRight{{"#...", "##..", "###.", "####", "###.", "##..", "#..."}};

QImage glyphTile(const Glyph& g, const QColor& c)
{
    QImage img = blank(g.width() + 2, g.height() + 2, kKey);
    stamp(img, g, 1, 1, c);
    return img;
}

QImage popupPicture(const MenuPalette& m)
{
    const int s = 40;
    QImage img = blank(s, s, m.back);
    // the glyph column runs on through the top and bottom margins
    glyphColumn(m, img, 3, s);
    for (int i = 0; i < s; ++i) {
        img.setPixelColor(i, 0, m.outlineLight);
        img.setPixelColor(i, s - 1, m.outlineDark);
        img.setPixelColor(0, i, m.outlineLight);
        img.setPixelColor(s - 1, i, m.outlineDark);
    }
    hline(img, 1, s - 2, 1, m.innerLight);
    vline(img, 1, 1, s - 2, m.innerLight);
    hline(img, 2, s - 2, s - 2, m.innerShade);
    vline(img, s - 2, 2, s - 2, m.innerShade);
    for (int i = 2; i < s - 2; ++i) {
        img.setPixelColor(i, 2, img.pixelColor(i, 3));
        img.setPixelColor(2, i, img.pixelColor(3, i));
    }
    return img;
}

QImage hintPicture(const MenuPalette& m)
{
    const int w = 30, h = 24;
    QImage img = blank(w, h, m.hintBorder);
    fillGradient(img, QRect(1, 1, w - 2, h - 2), m.hintTop, m.hintBottom);
    hline(img, 1, w - 2, 1, m.hintHighlight);
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
        img.setPixelColor(x, y, mix(m.hintBorder, m.hintCornerBlend, 0.6));
    return img;
}

void addGlow(SkinSources& s, const std::string& name, int w, int h, const Glow& glow)
{
    QImage picture, mask;
    drawGlow(w, h, kGlowMargin, 3, glow.colour, glow.peak, picture, mask);
    s.active.push_back({name + ".bmp", picture, BmpKind::Alpha32});
    s.active.push_back({name + "_mask.bmp", mask, BmpKind::Grey8});
}

QImage drawControls(const Palette& p, std::map<std::string, QRect>& tiles)
{
    const QColor client = p.frame.client;
    Atlas atlas(200, client);
    for (const char* st : {"normal", "hot", "pressed", "focused", "disabled"})
        atlas.add(std::string("button.") + st, buttonTile(p.buttons, 48, 25, st, 3, client));
    for (const char* st : {"normal", "hot", "pressed", "disabled"})
        atlas.add(std::string("toolbutton.") + st, buttonTile(p.buttons, 24, 21, st, 3, client));
    for (const char* st : {"normal", "hot", "pressed", "disabled"})
        atlas.add(std::string("toolmenubutton.") + st, toolMenuTile(p, st));
    atlas.add("toolmenubutton.marker", markerTile(p));
    atlas.add("edit.normal", editTile(p, false));
    atlas.add("edit.hot", editTile(p, true));
    atlas.add("statusbar", statusTile(p.bars));
    atlas.add("statusbar.grip", gripTile(p.bars));
    atlas.add("panel", panelTile(p));
    atlas.add("label", labelTile(p.bars));
    atlas.add("menuitem.normal", menuItemTile(p.menu, false));
    atlas.add("menuitem.active", menuItemTile(p.menu, true));
    atlas.add("menuitem.divider", dividerTile(p.menu));
    atlas.add("menuitem.check", glyphTile(kCheckGlyph, p.text.text));
    atlas.add("menuitem.checkactive", glyphTile(kCheckGlyph, p.text.textHot));
    atlas.add("menuitem.radio", glyphTile(kRadioGlyph, p.text.text));
    atlas.add("menuitem.radioactive", glyphTile(kRadioGlyph, p.text.textHot));
    atlas.add("menuitem.arrow", glyphTile(kArrowRight, p.text.text));
    atlas.add("menuitem.arrowactive", glyphTile(kArrowRight, p.text.textHot));
    if (p.controlFeatures) {
        atlas.add("menuitem.frames", menuItemFrames(p.menu));
        tiles["controls/menuitem.frames"] = atlas.rect("menuitem.frames");
    }
    for (const char* st : {"normal", "active", "hot", "focus"})
        atlas.add(std::string("tab.") + st, tabTile(p, st));
    atlas.add("tab.back", tabsBackTile(p));
    atlas.add("scroll.track", scrollTrackTile(p));
    for (const char* st : {"normal", "hot", "pressed"}) {
        atlas.add(std::string("scroll.up.") + st, scrollArrowTile(p, st, true));
        atlas.add(std::string("scroll.down.") + st, scrollArrowTile(p, st, false));
        atlas.add(std::string("scroll.thumb.") + st, scrollThumbTile(p, st));
    }
    for (const char* name : {"button.normal", "button.hot", "button.pressed", "button.focused", "button.disabled",
                             "toolbutton.normal", "toolbutton.hot", "toolbutton.pressed", "toolbutton.disabled",
                             "toolmenubutton.normal", "toolmenubutton.hot", "toolmenubutton.pressed",
                             "toolmenubutton.disabled", "toolmenubutton.marker", "edit.normal", "edit.hot",
                             "statusbar", "statusbar.grip", "panel", "label", "menuitem.normal", "menuitem.active",
                             "menuitem.divider", "menuitem.check", "menuitem.checkactive", "menuitem.radio",
                             "menuitem.radioactive", "menuitem.arrow", "menuitem.arrowactive", "tab.normal",
                             "tab.active", "tab.hot", "tab.focus", "tab.back", "scroll.track", "scroll.up.normal",
                             "scroll.up.hot", "scroll.up.pressed", "scroll.down.normal", "scroll.down.hot",
                             "scroll.down.pressed", "scroll.thumb.normal", "scroll.thumb.hot", "scroll.thumb.pressed"})
        tiles[std::string("controls/") + name] = atlas.rect(name);
    return atlas.image();
}

} // namespace

int SkinSources::pictureIndex(const std::string& fileName) const
{
    for (size_t i = 0; i < active.size(); ++i)
        if (active[i].fileName == fileName)
            return int(i);
    throw std::logic_error("no picture " + fileName);
}

SkinSources buildSkin(const Palette& palette)
{
    using namespace frame;
    SkinSources s;
    s.palette = &palette;
    s.frame = {"frame.bmp", {}, BmpKind::Colour24};
    s.frameMask = {"frame_mask.bmp", {}, BmpKind::Mask4};
    drawFrame(palette.frame, s.frame.image, s.frameMask.image);

    // ---- active pictures
    s.active.push_back({"caption_buttons.bmp", drawCaptionButtons(palette, s.tiles), BmpKind::Colour24});
    addGlow(s, "caption_glow", 25, kButtonHeight, palette.glows.caption);
    addGlow(s, "close_glow", 31, kButtonHeight, palette.glows.close);
    addGlow(s, "sysmenu_glow", 19, kButtonHeight, palette.glows.sysMenu);
    s.active.push_back({"controls.bmp", drawControls(palette, s.tiles), BmpKind::Colour24});
    s.active.push_back({"button_mask.bmp", shapeMask(48, 25, 3), BmpKind::Mask4});
    addGlow(s, "button_glow", 48, 25, palette.glows.button);
    s.active.push_back({"popup.bmp", popupPicture(palette.menu), BmpKind::Colour24});
    s.active.push_back({"hint.bmp", hintPicture(palette.menu), BmpKind::Colour24});

    if (palette.frameFeatures)
        addFrameFeatures(s);
    if (palette.controlFeatures)
        addControlFeatures(s);
    // Only designs with a layered border have its pictures; they come last,
    // so the other pictures keep their indices in every design. A full
    // border's caption bar has the frame's caption rows.
    if (palette.layerFrame)
        addLayerFrame(*palette.layerFrame, [&](int y) { return captionRow(palette.frame, y); }, s);

    s.description = describeSkin(s);
    return s;
}

} // namespace skinart
