#include "pewter_design.h"

#include "art.h"
#include "pewter_palette.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace pewter {
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
QColor captionRow(int y)
{
    if (y <= 0)
        return kOutline;
    if (y == 1)
        return hex(0xF5F8FB);
    if (y >= frame::kCaption - 1)
        return kInnerLine;
    QColor base;
    if (y <= 13)
        base = mix(hex(0xE7EDF3), hex(0xD3DBE4), (y - 2) / 11.0);
    else
        base = mix(hex(0xCDD6E0), hex(0xB5C1CE), (y - 14) / 13.0);
    return shift(base, grain(y));
}

// ---- the frame -------------------------------------------------------------

QColor frameBase(int x, int y)
{
    using namespace frame;
    const int w = kWidth, h = kHeight;
    if (x == 0 || x == w - 1 || y == 0 || y == h - 1)
        return kOutline;
    if (y < kCaption) {
        const QColor row = captionRow(y);
        if (y == kCaption - 1) {
            // the line over the client area, inside the side borders
            if (x <= 2)
                return x == 1 ? kBorderLight : kBorderMid;
            if (x >= w - 3)
                return x == w - 2 ? kBorderDark : kBorderMid;
            return kInnerLine;
        }
        if (x == 1)
            return mix(row, Qt::white, 0.45);
        if (x == w - 2)
            return mix(row, Qt::black, 0.06);
        return row;
    }
    // side and bottom borders: 1 outline, 2 metal, 1 inner line
    if (x == 1)
        return kBorderLight;
    if (x == w - 2 || y == h - 2)
        return kBorderDark;
    if (x == 2 || x == w - 3 || y == h - 3)
        return kBorderMid;
    if (x == 3 || x == w - 4 || y == h - 4)
        return kInnerLine;
    return kClient;
}

void drawFrame(QImage& picture, QImage& mask)
{
    using namespace frame;
    picture = blank(kWidth, kHeight);
    mask = blank(kWidth, kHeight, Qt::black);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            picture.setPixelColor(x, y, frameBase(x, y));

    // Rounded top corners: outline band, highlight band and caption fill
    // blended by how much of each pixel they cover; pixels less than half
    // inside the outline fall outside the window shape.
    const double r = kCornerRadius;
    const QRectF outer(0, 0, kWidth, kHeight + 20);
    const QRectF band(1, 1, kWidth - 2, kHeight + 20);
    const QRectF inner(2, 2, kWidth - 4, kHeight + 20);
    for (int y = 0; y <= kCornerRadius; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (x > kCornerRadius && x < kWidth - 1 - kCornerRadius)
                continue;
            const double c1 = roundRectCoverage(outer, r, TopLeft | TopRight, x, y);
            const double c2 = roundRectCoverage(band, r - 1, TopLeft | TopRight, x, y);
            const double c3 = roundRectCoverage(inner, r - 2, TopLeft | TopRight, x, y);
            if (c1 < 0.5) {
                mask.setPixelColor(x, y, Qt::white);
                picture.setPixelColor(x, y, kOutline);
                continue;
            }
            const QColor fill = captionRow(std::max(y, 2));
            const QColor light = mix(fill, Qt::white, 0.6);
            auto ch = [&](int o, int l, int f) {
                return int(std::lround((o * (c1 - c2) + l * (c2 - c3) + f * c3) / c1));
            };
            picture.setPixelColor(x, y, QColor(ch(kOutline.red(), light.red(), fill.red()),
                                               ch(kOutline.green(), light.green(), fill.green()),
                                               ch(kOutline.blue(), light.blue(), fill.blue())));
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
QImage programMark(const QColor& tint = Qt::transparent)
{
    QImage mark = blank(kMarkSize, kMarkSize);
    Plate tile{hex(0x5A626F), hex(0xC8CDD5), hex(0x7A828E), withAlpha(Qt::white, 110),
               withAlpha(hex(0x3F4753), 60)};
    tile.radius = 3;
    drawPlate(mark, QRect(0, 0, kMarkSize, kMarkSize), tile);
    if (tint.alpha() > 0) {
        QPainter over(&mark);
        over.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        over.fillRect(mark.rect(), tint);
    }
    stamp(mark, kMarkCheck, 3, 5, withAlpha(hex(0x2E3540), 110)); // shadow one pixel below
    stamp(mark, kMarkCheck, 3, 4, Qt::white);
    return mark;
}

enum class CapGlyph { Close, Max, Restore, Min, RollUp, RollDown, Tray, Badge };

// The restore glyph's front window hides the back one; its inside is
// painted in the plate colour under the glyph, so only outlines show.
void drawCapGlyph(QImage& img, CapGlyph kind, int w, int h, const QColor& colour, const QColor& emboss,
                  int dy, bool inactive, const QColor& tint = Qt::transparent)
{
    if (kind == CapGlyph::Badge) {
        // The mark keeps its own colours and needs no plate: it lightens
        // under the pointer, darkens and sinks when pressed, fades when the
        // window is inactive and fades further when disabled.
        const int bx = (w - kMarkSize) / 2, by = (h - kMarkSize) / 2 + dy;
        QImage mark = programMark(tint);
        if (inactive)
            mark = inactiveGrey(mark);
        QPainter painter(&img);
        painter.setOpacity(inactive ? 0.6 : colour.alphaF());
        painter.drawImage(bx, by, mark);
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

QImage captionButton(CapGlyph kind, int w, CapState state, bool close)
{
    const int h = frame::kButtonHeight;
    QImage img = blank(w, h);
    fillRows(img, QRect(0, 0, w, h), [](int i) { return captionRow(frame::kButtonTop + i); });
    const QRect plate(0, 0, w, h);
    QColor glyph = kGlyph, emboss = withAlpha(Qt::white, 150), tint = Qt::transparent;
    int dy = 0;
    switch (state) {
    case CapState::Normal:
        // The program's mark stands on the caption itself, as a window's
        // mark does; the buttons rest on quiet plates.
        if (kind != CapGlyph::Badge)
            drawPlate(img, plate, {withAlpha(hex(0x3E4B5A), 60), withAlpha(Qt::white, 95),
                                   withAlpha(Qt::white, 15), withAlpha(Qt::white, 110)});
        break;
    case CapState::Hot:
        if (kind == CapGlyph::Badge) {
            tint = withAlpha(Qt::white, 70);
        } else if (close) {
            drawPlate(img, plate, {hex(0x8C2B22), hex(0xEC7C70), hex(0xC23A2F), withAlpha(hex(0xFFD5D0), 160)});
            glyph = Qt::white;
            emboss = withAlpha(hex(0x5A130E), 120);
        } else {
            drawPlate(img, plate, {hex(0x6B7F96), hex(0xFCFDFE), hex(0xCFDAE6), withAlpha(Qt::white, 230)});
            glyph = kGlyphHot;
        }
        break;
    case CapState::Pressed:
        if (kind == CapGlyph::Badge) {
            tint = withAlpha(hex(0x1B2430), 60);
        } else if (close) {
            drawPlate(img, plate, {hex(0x6E1F19), hex(0xA32E25), hex(0xC4483D), withAlpha(hex(0x5A1510), 130)});
            glyph = Qt::white;
            emboss = withAlpha(hex(0x4A0F0B), 110);
        } else {
            drawPlate(img, plate, {hex(0x536478), hex(0xAAB7C6), hex(0xC6D0DB), withAlpha(hex(0x6F7E8F), 110)});
            glyph = kGlyphHot;
            emboss = withAlpha(Qt::white, 90);
        }
        dy = 1;
        break;
    case CapState::Inactive:
        img = inactiveGrey(img);
        glyph = hex(0x8C8C8C);
        emboss = withAlpha(Qt::white, 120);
        break;
    case CapState::Disabled:
        glyph = withAlpha(kGlyph, 70);
        emboss = withAlpha(Qt::white, 70);
        break;
    }
    drawCapGlyph(img, kind, w, h, glyph, emboss, dy, state == CapState::Inactive, tint);
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

QImage drawCaptionButtons(std::map<std::string, QRect>& tiles)
{
    const int rows = int(std::size(kCapRows));
    QImage img = blank(kCellW * 5, kCellH * rows - 1, kClient);
    QPainter p(&img);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (int r = 0; r < rows; ++r) {
        for (int s = 0; s < 5; ++s) {
            const CapRow& row = kCapRows[r];
            const QImage cell = captionButton(row.glyph, row.width, kCapStates[s], row.close);
            const QRect rect(s * kCellW, r * kCellH, row.width, frame::kButtonHeight);
            p.drawImage(rect.topLeft(), cell);
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
                a = peak * std::exp(-(d * d) / (2 * sigma * sigma));
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

Plate buttonPlate(const std::string& state, double radius)
{
    Plate p;
    p.radius = radius;
    if (state == "normal")
        p = {hex(0x8893A1), hex(0xFEFEFF), hex(0xD8DEE5), withAlpha(Qt::white, 220)};
    else if (state == "hot")
        p = {kSteel, hex(0xFFFFFF), hex(0xD3E1F0), withAlpha(Qt::white, 255)};
    else if (state == "pressed")
        p = {hex(0x56687D), hex(0xBFC9D5), hex(0xDCE2E9), withAlpha(hex(0x7C8A9A), 120)};
    else if (state == "focused")
        p = {kSteel, hex(0xFEFEFF), hex(0xD8DEE5), withAlpha(hex(0xCFE0F2), 255),
             withAlpha(hex(0xB9CFE8), 200)};
    else if (state == "disabled")
        p = {hex(0xBCC3CB), hex(0xF4F6F8), hex(0xE6E9ED), withAlpha(Qt::white, 160)};
    p.radius = radius;
    return p;
}

QImage buttonTile(int w, int h, const std::string& state, double radius, const QColor& back)
{
    QImage img = blank(w, h, back);
    drawPlate(img, QRect(0, 0, w, h), buttonPlate(state, radius));
    if (state == "focused") {
        // a soft inner ring marks the keyboard focus
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(withAlpha(hex(0x9DBBDD), 170), 1));
        p.drawRoundedRect(QRectF(1.5, 1.5, w - 3, h - 3), radius - 1, radius - 1);
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

QColor statusRow(int y)
{
    if (y == 0)
        return hex(0xA9B2BC);
    if (y == 1)
        return hex(0xFBFCFD);
    return mix(hex(0xEDF0F3), hex(0xD6DBE1), (y - 2) / 18.0);
}

const Glyph kArrowDown{{"#####", ".###.", "..#.."}};

QImage toolMenuTile(const std::string& state)
{
    const int w = 40, h = 18;
    QImage img = blank(w, h);
    fillRows(img, QRect(0, 0, w, h), [](int i) { return statusRow(2 + i); });
    drawPlate(img, QRect(0, 0, w, h), buttonPlate(state, 2.5));
    const bool disabled = state == "disabled";
    const int dy = state == "pressed" ? 1 : 0;
    stamp(img, kArrowDown, w - 8, 8 + dy + 1, withAlpha(Qt::white, 140));
    stamp(img, kArrowDown, w - 8, 8 + dy, disabled ? kTextDisabled : kGlyph);
    return img;
}

// Centred in the 9-pixel strip right of the caption, this lands the arrow
// on the same pixels as the arrow of the hot and pressed faces.
QImage markerTile()
{
    QImage img = blank(6, 5, kKey);
    stamp(img, kArrowDown, 0, 1, kGlyph);
    return img;
}

QImage editTile(bool hot)
{
    const int w = 40, h = 18;
    QImage img = blank(w, h, Qt::white);
    const QColor border = hot ? kSteel : hex(0x97A1AD);
    const QColor top = hot ? hex(0x4F78A6) : hex(0x7F8A97);
    const QColor bottom = hot ? kSteel : hex(0xB1B9C2);
    hline(img, 1, w - 2, 0, top);
    hline(img, 1, w - 2, h - 1, bottom);
    vline(img, 0, 1, h - 2, border);
    vline(img, w - 1, 1, h - 2, border);
    // softened corners
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
        img.setPixelColor(x, y, mix(border, kClient, 0.55));
    if (hot) {
        hline(img, 1, w - 2, 1, hex(0xD7E5F4));
        hline(img, 1, w - 2, h - 2, hex(0xE3EDF8));
        vline(img, 1, 1, h - 2, hex(0xDDE9F6));
        vline(img, w - 2, 1, h - 2, hex(0xDDE9F6));
    } else {
        hline(img, 1, w - 2, 1, hex(0xE4E8EC));
        vline(img, 1, 2, h - 2, hex(0xF3F5F7));
        vline(img, w - 2, 2, h - 2, hex(0xFBFCFD));
    }
    return img;
}

QImage statusTile()
{
    QImage img = blank(40, 21);
    fillRows(img, QRect(0, 0, 40, 21), statusRow);
    return img;
}

QImage gripTile()
{
    QImage img = blank(11, 11, kKey);
    // three diagonal rows of raised dots
    for (int k = 0; k < 3; ++k) {
        for (int j = 0; j <= k; ++j) {
            const int x = 8 - 4 * (k - j) + 0, y = 8 - 4 * j;
            img.setPixelColor(x + 1, y + 1, Qt::white);
            img.setPixelColor(x, y, hex(0x8F99A5));
            img.setPixelColor(x + 1, y, hex(0xA9B2BC));
            img.setPixelColor(x, y + 1, hex(0xA9B2BC));
        }
    }
    return img;
}

QImage panelTile()
{
    const int s = 40;
    QImage img = blank(s, s, kClient);
    hline(img, 0, s - 1, 0, hex(0xB0B8C1));
    hline(img, 0, s - 1, s - 1, hex(0x9EA7B2));
    vline(img, 0, 0, s - 1, hex(0xB0B8C1));
    vline(img, s - 1, 0, s - 1, hex(0x9EA7B2));
    hline(img, 1, s - 2, 1, Qt::white);
    vline(img, 1, 1, s - 2, Qt::white);
    hline(img, 1, s - 2, s - 2, hex(0xD3D8DE));
    vline(img, s - 2, 2, s - 2, hex(0xD3D8DE));
    return img;
}

QImage labelTile()
{
    const int w = 40, h = 21;
    QImage img = blank(w, h, hex(0xE1E5EA));
    hline(img, 0, w - 1, 0, hex(0xAEB6BF));
    vline(img, 0, 0, h - 1, hex(0xAEB6BF));
    hline(img, 0, w - 1, h - 1, Qt::white);
    vline(img, w - 1, 0, h - 1, Qt::white);
    hline(img, 1, w - 2, 1, hex(0xD4D9DF));
    return img;
}

QImage menuItemTile(bool active)
{
    QImage img = blank(kItemW, kItemH, kMenuBack);
    fillRows(img, QRect(0, 0, kColumn, kItemH), [](int) { return kMenuColumn; });
    vline(img, kColumn, 0, kItemH - 1, hex(0xDCE1E6));
    vline(img, kColumn + 1, 0, kItemH - 1, Qt::white);
    if (active) {
        drawPlate(img, QRect(1, 1, kItemW - 2, kItemH - 2),
                  {hex(0x8DA9CA), hex(0xEEF4FB), hex(0xD2E0EF), withAlpha(Qt::white, 200)});
    }
    return img;
}

QImage dividerTile()
{
    QImage img = blank(kItemW, 7, kMenuBack);
    fillRows(img, QRect(0, 0, kColumn, 7), [](int) { return kMenuColumn; });
    vline(img, kColumn, 0, 6, hex(0xDCE1E6));
    vline(img, kColumn + 1, 0, 6, Qt::white);
    hline(img, kColumn + 4, kItemW - 3, 3, hex(0xD2D8DE));
    hline(img, kColumn + 4, kItemW - 3, 4, Qt::white);
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

QImage popupPicture()
{
    const int s = 40;
    QImage img = blank(s, s, kMenuBack);
    // the glyph column runs on through the top and bottom margins
    fillRows(img, QRect(3, 0, kColumn, s), [](int) { return kMenuColumn; });
    vline(img, 3 + kColumn, 0, s - 1, hex(0xDCE1E6));
    vline(img, 3 + kColumn + 1, 0, s - 1, Qt::white);
    for (int i = 0; i < s; ++i) {
        img.setPixelColor(i, 0, hex(0x8A94A0));
        img.setPixelColor(i, s - 1, hex(0x7D8793));
        img.setPixelColor(0, i, hex(0x8A94A0));
        img.setPixelColor(s - 1, i, hex(0x7D8793));
    }
    hline(img, 1, s - 2, 1, Qt::white);
    vline(img, 1, 1, s - 2, Qt::white);
    hline(img, 2, s - 2, s - 2, hex(0xE9ECEF));
    vline(img, s - 2, 2, s - 2, hex(0xE9ECEF));
    for (int i = 2; i < s - 2; ++i) {
        img.setPixelColor(i, 2, img.pixelColor(i, 3));
        img.setPixelColor(2, i, img.pixelColor(3, i));
    }
    return img;
}

QImage hintPicture()
{
    const int w = 30, h = 24;
    QImage img = blank(w, h, hex(0x8790A0));
    fillGradient(img, QRect(1, 1, w - 2, h - 2), hex(0xFDFDFE), hex(0xE9EDF2));
    hline(img, 1, w - 2, 1, Qt::white);
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
        img.setPixelColor(x, y, mix(hex(0x8790A0), hex(0xF0F2F5), 0.6));
    return img;
}

} // namespace

int SkinSources::pictureIndex(const std::string& fileName) const
{
    for (size_t i = 0; i < active.size(); ++i)
        if (active[i].fileName == fileName)
            return int(i);
    throw std::logic_error("no picture " + fileName);
}

SkinSources buildPewter()
{
    using namespace frame;
    SkinSources s;
    s.frame = {"frame.bmp", {}, BmpKind::Colour24};
    s.frameMask = {"frame_mask.bmp", {}, BmpKind::Mask4};
    drawFrame(s.frame.image, s.frameMask.image);

    // ---- active pictures
    s.active.push_back({"caption_buttons.bmp", drawCaptionButtons(s.tiles), BmpKind::Colour24});
    for (auto [name, w, colour, peak] :
         {std::tuple{std::string("caption_glow"), 25, hex(0x6AA5E6), 150},
          std::tuple{std::string("close_glow"), 31, hex(0xF0604E), 165},
          std::tuple{std::string("sysmenu_glow"), 19, hex(0x6AA5E6), 150}}) {
        QImage picture, mask;
        drawGlow(w, kButtonHeight, kGlowMargin, 3, colour, peak, picture, mask);
        s.active.push_back({name + ".bmp", picture, BmpKind::Alpha32});
        s.active.push_back({name + "_mask.bmp", mask, BmpKind::Grey8});
    }

    Atlas atlas(200, kClient);
    for (const char* st : {"normal", "hot", "pressed", "focused", "disabled"})
        atlas.add(std::string("button.") + st, buttonTile(48, 25, st, 3, kClient));
    for (const char* st : {"normal", "hot", "pressed", "disabled"})
        atlas.add(std::string("toolbutton.") + st, buttonTile(24, 21, st, 3, kClient));
    for (const char* st : {"normal", "hot", "pressed", "disabled"})
        atlas.add(std::string("toolmenubutton.") + st, toolMenuTile(st));
    atlas.add("toolmenubutton.marker", markerTile());
    atlas.add("edit.normal", editTile(false));
    atlas.add("edit.hot", editTile(true));
    atlas.add("statusbar", statusTile());
    atlas.add("statusbar.grip", gripTile());
    atlas.add("panel", panelTile());
    atlas.add("label", labelTile());
    atlas.add("menuitem.normal", menuItemTile(false));
    atlas.add("menuitem.active", menuItemTile(true));
    atlas.add("menuitem.divider", dividerTile());
    atlas.add("menuitem.check", glyphTile(kCheckGlyph, kText));
    atlas.add("menuitem.checkactive", glyphTile(kCheckGlyph, kTextHot));
    atlas.add("menuitem.radio", glyphTile(kRadioGlyph, kText));
    atlas.add("menuitem.radioactive", glyphTile(kRadioGlyph, kTextHot));
    atlas.add("menuitem.arrow", glyphTile(kArrowRight, kText));
    atlas.add("menuitem.arrowactive", glyphTile(kArrowRight, kTextHot));
    s.active.push_back({"controls.bmp", atlas.image(), BmpKind::Colour24});
    for (const char* name : {"button.normal", "button.hot", "button.pressed", "button.focused", "button.disabled",
                             "toolbutton.normal", "toolbutton.hot", "toolbutton.pressed", "toolbutton.disabled",
                             "toolmenubutton.normal", "toolmenubutton.hot", "toolmenubutton.pressed",
                             "toolmenubutton.disabled", "toolmenubutton.marker", "edit.normal", "edit.hot",
                             "statusbar", "statusbar.grip", "panel", "label", "menuitem.normal", "menuitem.active",
                             "menuitem.divider", "menuitem.check", "menuitem.checkactive", "menuitem.radio",
                             "menuitem.radioactive", "menuitem.arrow", "menuitem.arrowactive"})
        s.tiles[std::string("controls/") + name] = atlas.rect(name);

    s.active.push_back({"button_mask.bmp", shapeMask(48, 25, 3), BmpKind::Mask4});
    {
        QImage picture, mask;
        drawGlow(48, 25, kGlowMargin, 3, hex(0x5C9BE0), 140, picture, mask);
        s.active.push_back({"button_glow.bmp", picture, BmpKind::Alpha32});
        s.active.push_back({"button_glow_mask.bmp", mask, BmpKind::Grey8});
    }
    s.active.push_back({"popup.bmp", popupPicture(), BmpKind::Colour24});
    s.active.push_back({"hint.bmp", hintPicture(), BmpKind::Colour24});

    s.description = describePewter(s);
    return s;
}

} // namespace pewter
