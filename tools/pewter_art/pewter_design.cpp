#include "pewter_design.h"

#include "art.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace pewter {
namespace {

// ---- palette ---------------------------------------------------------------
// Active frames are a cool, slightly blue pewter; inactive frames are the
// same pixels turned grey by the frame's inactive effect, so the pictures
// meant for inactive windows are drawn grey already.

const QColor kOutline = hex(0x4B5664);
const QColor kInnerLine = hex(0x7B8796);
const QColor kBorderLight = hex(0xD9E0E7);
const QColor kBorderMid = hex(0xBCC7D3);
const QColor kBorderDark = hex(0xA9B5C2);
const QColor kClient = hex(0xE7EAEE);
const QColor kMenuBack = hex(0xFBFCFD);
const QColor kMenuColumn = hex(0xEDF0F3);
const QColor kKey = hex(0xFF00FF); // transparent colour of glyph tiles

const QColor kText = hex(0x1E252D);
const QColor kTextHot = hex(0x10283F);
const QColor kTextDown = hex(0x0E1926);
const QColor kTextDisabled = hex(0x98A0A9);
const QColor kGlyph = hex(0x2F3A47);
const QColor kGlyphHot = hex(0x1B2430);
const QColor kSteel = hex(0x5E86B3);     // hover and focus accent
const QColor kSteelDeep = hex(0x2F6DB5); // link colour

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

// ---- description text ------------------------------------------------------

std::string rectText(const QRect& r)
{
    if (r.isNull())
        return "0,0,0,0";
    std::ostringstream s;
    s << r.left() << ',' << r.top() << ',' << r.left() + r.width() << ',' << r.top() + r.height();
    return s.str();
}

std::string pointText(int x, int y)
{
    return std::to_string(x) + "," + std::to_string(y);
}

class Description {
public:
    void comment(const std::string& text) { m_out << "; " << text << "\r\n"; }
    void section(const std::string& name)
    {
        if (m_out.tellp() > 0)
            m_out << "\r\n";
        m_out << '[' << name << "]\r\n";
    }
    void key(const std::string& k, const std::string& v) { m_out << k << '=' << v << "\r\n"; }
    void key(const std::string& k, int v) { key(k, std::to_string(v)); }
    void rect(const std::string& k, const QRect& r) { key(k, rectText(r)); }
    void colour(const std::string& k, const QColor& c) { key(k, std::to_string(colourValue(c))); }
    void flag(const std::string& k, bool v) { key(k, v ? 1 : 0); }
    std::string text() const { return m_out.str(); }

private:
    std::ostringstream m_out;
};

// A rectangle of the tile, relative to the tile's own top-left corner.
QRect local(int x0, int y0, int x1, int y1)
{
    return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
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

const Glyph kCloseGlyph{{"##.....##", ".##...##.", "..##.##..", "...###...", "...###...", "..##.##..",
                         ".##...##.", "##.....##"}};
const Glyph kMaxGlyph{{"#########", "#########", "#.......#", "#.......#", "#.......#", "#.......#",
                       "#.......#", "#########"}};
const Glyph kRestoreGlyph{{"..#######", "..#######", "..#.....#", "#######.#", "#######.#", "#.....###",
                           "#.....#..", "#######.."}};
const Glyph kMinGlyph{{".........", ".........", ".........", ".........", ".........", ".........",
                       "#########", "#########"}};
const Glyph kRollUpGlyph{{"....#....", "...###...", "..##.##..", ".##...##.", "##.....##"}};
const Glyph kTrayGlyph{{"....#....", "....#....", "..#####..", "...###...", "....#....", "#.......#",
                        "#########"}};
const Glyph kTick{{"......#", ".....##", "#...##.", "##.##..", ".###...", "..#...."}};

enum class CapGlyph { Close, Max, Restore, Min, RollUp, RollDown, Tray, Badge };

// The restore glyph's front window hides the back one; its inside is
// painted in the plate colour under the glyph, so only outlines show.
void drawCapGlyph(QImage& img, CapGlyph kind, int w, int h, const QColor& colour, const QColor& emboss,
                  int dy, bool inactive)
{
    if (kind == CapGlyph::Badge) {
        const int bx = (w - 11) / 2, by = (h - 11) / 2 + dy;
        QImage badge = blank(11, 11);
        Plate p{hex(0x2C5279), hex(0x7FAAD6), hex(0x3A6794), withAlpha(Qt::white, 90)};
        p.radius = 2.5;
        drawPlate(badge, QRect(0, 0, 11, 11), p);
        stamp(badge, kTick, 2, 3, withAlpha(hex(0x1D3A57), 120));
        stamp(badge, kTick, 2, 2, Qt::white);
        if (inactive)
            badge = inactiveGrey(badge);
        QPainter painter(&img);
        painter.setOpacity(colour.alphaF());
        painter.drawImage(bx, by, badge);
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
    const int gy = (h - 8) / 2 + dy + (8 - glyph->height()) / 2;
    stamp(img, *glyph, gx, gy + 1, emboss);
    stamp(img, *glyph, gx, gy, colour);
}

QImage captionButton(CapGlyph kind, int w, CapState state, bool close)
{
    const int h = frame::kButtonHeight;
    QImage img = blank(w, h);
    fillRows(img, QRect(0, 0, w, h), [](int i) { return captionRow(frame::kButtonTop + i); });
    const QRect plate(0, 0, w, h);
    QColor glyph = kGlyph, emboss = withAlpha(Qt::white, 150);
    int dy = 0;
    switch (state) {
    case CapState::Normal:
        drawPlate(img, plate, {withAlpha(hex(0x3E4B5A), 60), withAlpha(Qt::white, 95), withAlpha(Qt::white, 15),
                               withAlpha(Qt::white, 110)});
        break;
    case CapState::Hot:
        if (close) {
            drawPlate(img, plate, {hex(0x8C2B22), hex(0xEC7C70), hex(0xC23A2F), withAlpha(hex(0xFFD5D0), 160)});
            glyph = Qt::white;
            emboss = withAlpha(hex(0x5A130E), 120);
        } else {
            drawPlate(img, plate, {hex(0x6B7F96), hex(0xFCFDFE), hex(0xCFDAE6), withAlpha(Qt::white, 230)});
            glyph = kGlyphHot;
        }
        break;
    case CapState::Pressed:
        if (close) {
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
    drawCapGlyph(img, kind, w, h, glyph, emboss, dy, state == CapState::Inactive);
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

constexpr int kItemW = 60, kItemH = 22, kColumn = 26;

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
    const int glowMargin = 8;
    for (auto [name, w, colour, peak] :
         {std::tuple{std::string("caption_glow"), 25, hex(0x6AA5E6), 150},
          std::tuple{std::string("close_glow"), 31, hex(0xF0604E), 165},
          std::tuple{std::string("sysmenu_glow"), 19, hex(0x6AA5E6), 150}}) {
        QImage picture, mask;
        drawGlow(w, kButtonHeight, glowMargin, 3, colour, peak, picture, mask);
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
        drawGlow(48, 25, 8, 3, hex(0x5C9BE0), 140, picture, mask);
        s.active.push_back({"button_glow.bmp", picture, BmpKind::Alpha32});
        s.active.push_back({"button_glow_mask.bmp", mask, BmpKind::Grey8});
    }
    s.active.push_back({"popup.bmp", popupPicture(), BmpKind::Colour24});
    s.active.push_back({"hint.bmp", hintPicture(), BmpKind::Colour24});

    // ---- description
    Description d;
    auto tile = [&](const std::string& name) { return s.tiles.at(name); };
    const int capPic = s.pictureIndex("caption_buttons.bmp");
    const int ctlPic = s.pictureIndex("controls.bmp");

    d.comment("Pewter: the built-in skin of Tessaly.");
    d.comment("Written by tools/pewter_art together with the bitmaps beside it; edit the");
    d.comment("program and run it again rather than editing this file by hand.");
    d.comment("Colours are 0x00BBGGRR values in decimal; rectangles are left,top,right,bottom");
    d.comment("with right and bottom exclusive.");
    d.section("VERSION");
    d.key("ver", 1);
    d.key("skinname", "Pewter");
    d.key("skinauthor", "The Tessaly Authors");
    d.key("authoremail", "");
    d.key("authorurl", "");
    d.key("skincomments", "Brushed pewter: cool metal caption, crisp one-pixel bevels, steel-blue accents.");

    d.section("PICTURES");
    d.key("picture", s.frame.fileName);
    d.key("inactivepicture", "");
    d.key("mask", s.frameMask.fileName);
    d.key("activepicturescount", int(s.active.size()));
    for (size_t i = 0; i < s.active.size(); ++i)
        d.key(std::to_string(i), s.active[i].fileName);

    const QRect cl = clientRect();
    const int clRight = cl.left() + cl.width(), clBottom = cl.top() + cl.height();
    d.section("FORMINFO");
    d.key("lefttoppoint", pointText(kCornerCut, kCaption));
    d.key("righttoppoint", pointText(kWidth - kCornerCut, kCaption));
    d.key("leftbottompoint", pointText(kCornerCut, clBottom));
    d.key("rightbottompoint", pointText(kWidth - kCornerCut, clBottom));
    d.rect("clientrect", cl);
    d.key("bgpictureindex", -1);
    d.key("mdibgpictureindex", -1);
    d.flag("leftstretch", true);
    d.flag("rightstretch", true);
    d.flag("topstretch", true);
    d.flag("bottomstretch", true);
    d.flag("stretcheffect", true);
    d.key("stretchtype", "stfull");
    d.flag("mdibgstretcheffect", false);
    d.key("mdibgstretchtype", "stfull");
    // The shape is rounded only in the top rows; below them the whole width
    // inside the side borders is always in the window.
    d.rect("maskrectarea", QRect(QPoint(kBorder, kCornerRadius), QPoint(clRight - 1, clBottom - 1)));
    d.key("hittestlefttoppoint", pointText(12, 12));
    d.key("hittestrighttoppoint", pointText(kWidth - 12, 12));
    d.key("hittestleftbottompoint", pointText(12, kHeight - 12));
    d.key("hittestrightbottompoint", pointText(kWidth - 12, kHeight - 12));
    // No buttons rectangle: the buttons line up from the caption
    // rectangle's right end and the caption text ends at the leftmost one.
    d.rect("buttonsrect", QRect());
    d.rect("captionrect", QRect(QPoint(6, kButtonTop), QPoint(kWidth - 7, kButtonTop + kButtonHeight - 1)));
    d.key("buttonsoffset", kButtonGap);
    d.flag("buttonsinleft", false);
    d.flag("mainmenupopupup", false);
    d.key("borderwidth", kBorder);
    d.flag("autorenderinginactiveimage", true);
    d.key("inactiveeffect", "iegrayscale");
    d.key("formminwidth", kMinWidth);
    d.key("formminheight", kMinHeight);
    d.flag("mditabstransparent", false);
    d.flag("mainmenubartransparent", false);

    const QRect itemsRect(QPoint(3, 3), QPoint(36, 36));
    d.section("POPUPWINDOW");
    d.key("windowpictureindex", s.pictureIndex("popup.bmp"));
    d.key("maskpictureindex", -1);
    d.key("lefttoppoint", pointText(3 + kColumn + 3, 3));
    d.key("righttoppoint", pointText(37, 3));
    d.key("leftbottompoint", pointText(3 + kColumn + 3, 37));
    d.key("rightbottompoint", pointText(37, 37));
    d.rect("itemsrect", itemsRect);
    d.colour("scrollmarkercolor", hex(0x6A7482));
    d.colour("scrollmarkeractivecolor", hex(0x2C5F93));
    d.flag("leftstretch", true);
    d.flag("rightstretch", true);
    d.flag("topstretch", true);
    d.flag("bottomstretch", true);
    d.flag("stretcheffect", true);
    d.key("stretchtype", "stfull");

    d.section("HINTWINDOW");
    d.key("windowpictureindex", s.pictureIndex("hint.bmp"));
    d.key("maskpictureindex", -1);
    d.key("lefttoppoint", pointText(3, 3));
    d.key("righttoppoint", pointText(27, 3));
    d.key("leftbottompoint", pointText(3, 21));
    d.key("rightbottompoint", pointText(27, 21));
    d.rect("clientrect", local(3, 3, 27, 21));
    d.key("fontname", "Arial");
    d.key("fontheight", 13);
    d.key("fontstyle", "");
    d.colour("fontcolor", hex(0x2B323A));
    d.flag("leftstretch", true);
    d.flag("rightstretch", true);
    d.flag("topstretch", true);
    d.flag("bottomstretch", true);
    d.flag("stretcheffect", true);
    d.key("stretchtype", "stfull");

    d.section("SKINCOLORS");
    d.colour("cbtnface", kClient);
    d.colour("cbtntext", kText);
    d.colour("cwindow", Qt::white);
    d.colour("cwindowtext", hex(0x15191E));
    d.colour("chighlight", hex(0x4F7FB4));
    d.colour("chighlighttext", Qt::white);
    d.colour("cbtnhighlight", Qt::white);
    d.colour("cbtnshadow", hex(0x8E98A4));

    // ---- objects
    struct CapButton {
        const char* name;
        const char* row;
        const char* restoreRow;
        const char* hint;
        const char* command;
        const char* glow;
    };
    const CapButton capButtons[] = {
        {"closebutton", "close", nullptr, "Close", "cmclose", "close_glow"},
        {"maxbutton", "max", "maxrestore", "Maximize", "cmmaximize", "caption_glow"},
        {"minbutton", "min", "minrestore", "Minimize", "cmminimize", "caption_glow"},
        {"rollupbutton", "rollup", "rollupdown", "Roll Up", "cmrollup", "caption_glow"},
        {"sysmenubutton", "sysmenu", nullptr, "System menu", "cmsysmenu", "sysmenu_glow"},
        {"traybutton", "tray", nullptr, "Minimize to Tray", "cmminimizetotray", "caption_glow"},
    };
    d.section("SKINOBJECTS");
    d.key("count", int(std::size(capButtons)) + 2);
    int index = 0;
    for (const CapButton& b : capButtons)
        d.key(std::to_string(index++), std::string(b.name) + ":stdbutton");
    d.key(std::to_string(index++), "caption:caption");
    d.key(std::to_string(index++), "menuitem:menuitem");

    for (const CapButton& b : capButtons) {
        const std::string row = std::string("caption_buttons/") + b.row;
        d.section(b.name);
        d.key("hint", b.hint);
        d.key("activepictureindex", capPic);
        d.key("activemaskpictureindex", -1);
        d.flag("skinrectinapicture", true);
        d.rect("skinrect", tile(row + ".normal"));
        d.rect("activeskinrect", tile(row + ".hot"));
        d.rect("inactiveskinrect", tile(row + ".inactive"));
        d.flag("morphing", true);
        d.key("morphkind", "mkdefault");
        d.key("glowlayerpictureindex", s.pictureIndex(std::string(b.glow) + ".bmp"));
        d.key("glowlayermaskpictureindex", s.pictureIndex(std::string(b.glow) + "_mask.bmp"));
        d.key("glowlayeroffsetx", glowMargin);
        d.key("glowlayeroffsety", glowMargin);
        d.key("glowlayeralphablendvalue", 255);
        d.rect("downrect", tile(row + ".pressed"));
        d.rect("disableskinrsect", tile(row + ".disabled"));
        d.key("alphamaskpictureindex", -1);
        d.key("alphamaskactivepictureindex", -1);
        d.key("alphamaskinactivepictureindex", -1);
        d.key("command", b.command);
        if (b.restoreRow) {
            const std::string restore = std::string("caption_buttons/") + b.restoreRow;
            d.rect("restorerect", tile(restore + ".normal"));
            d.rect("restoreactiverect", tile(restore + ".hot"));
            d.rect("restoredownrect", tile(restore + ".pressed"));
            d.rect("restoreinactiverect", tile(restore + ".inactive"));
            d.key("restorehint", "Restore");
        }
    }

    // The caption is part of the frame picture: it spans the caption bar
    // and grows with the window; its text is drawn straight on the frame.
    const QRect captionSkin(QPoint(6, 3), QPoint(kWidth - 7, 25));
    d.section("caption");
    d.key("hint", "");
    d.key("activepictureindex", -1);
    d.flag("skinrectinapicture", false);
    d.rect("skinrect", captionSkin);
    d.rect("textrect", local(4, 1, captionSkin.width() - 4, captionSkin.height()));
    d.key("fontname", "Arial");
    d.key("fontheight", 15);
    d.key("fontstyle", "fsbold");
    d.colour("fontcolor", hex(0x858585));
    d.colour("activefontcolor", hex(0x24303D));
    d.key("alignment", "tacenter");
    d.flag("light", false);
    d.flag("shadow", true);
    d.colour("shadowcolor", hex(0xE4E4E4));
    d.colour("activeshadowcolor", hex(0xF1F5F9));
    d.flag("stretcheffect", false);
    d.flag("gloweffect", false);
    d.flag("glowinactiveeffect", false);
    d.flag("vistagloweffect", false);
    d.flag("reflectioneffect", false);

    d.section("menuitem");
    d.key("activepictureindex", ctlPic);
    d.flag("skinrectinapicture", true);
    d.rect("skinrect", tile("controls/menuitem.normal"));
    d.rect("activeskinrect", tile("controls/menuitem.active"));
    d.flag("morphing", true);
    d.key("morphkind", "mkdefault");
    d.key("itemleftoffset", kColumn + 2);
    d.key("itemrightoffset", 4);
    d.rect("dividerrect", tile("controls/menuitem.divider"));
    d.key("dividerleftoffset", kColumn + 4);
    d.key("dividerrightoffset", 4);
    d.rect("textrect", local(kColumn + 5, 0, kItemW - 4, kItemH));
    d.rect("imagerect", local(5, 3, 21, 19));
    d.key("fontname", "Arial");
    d.key("fontheight", 14);
    d.key("fontstyle", "");
    d.colour("fontcolor", kText);
    d.colour("activefontcolor", kTextHot);
    d.colour("unenabledfontcolor", hex(0xA0A7AF));
    d.flag("stretcheffect", true);
    d.flag("inactivestretcheffect", true);
    d.flag("dividerstretcheffect", true);
    d.flag("useimagecolor", false);
    d.flag("inactivetransparent", false);
    d.rect("checkimagerect", tile("controls/menuitem.check"));
    d.rect("activecheckimagerect", tile("controls/menuitem.checkactive"));
    d.rect("radioimagerect", tile("controls/menuitem.radio"));
    d.rect("activeradioimagerect", tile("controls/menuitem.radioactive"));
    d.rect("arrowimagerect", tile("controls/menuitem.arrow"));
    d.rect("activearrowimagerect", tile("controls/menuitem.arrowactive"));

    // ---- controls
    d.section("SKINCONTROLS");
    const char* controls[] = {"button:button", "toolbutton:button", "toolmenubutton:menubutton", "edit:edit",
                              "statusbar:panel", "panel:panel", "stdlabel:stdlabel", "label:label"};
    d.key("count", int(std::size(controls)));
    for (size_t i = 0; i < std::size(controls); ++i)
        d.key(std::to_string(i), controls[i]);

    // Nine pieces cut at the corners of the client rectangle; edges and
    // middle stretch, which keeps the vertical gradients smooth at any size.
    auto ninePiece = [&](const QRect& skin, const QRect& client) {
        const int r = client.left() + client.width(), b = client.top() + client.height();
        d.rect("skinrect", skin);
        d.key("lefttoppoint", pointText(client.left(), client.top()));
        d.key("righttoppoint", pointText(r, client.top()));
        d.key("leftbottompoint", pointText(client.left(), b));
        d.key("rightbottompoint", pointText(r, b));
        d.rect("clientrect", client);
        d.flag("leftstretch", true);
        d.flag("topstretch", true);
        d.flag("rightstretch", true);
        d.flag("bottomstretch", true);
        d.flag("stretcheffect", true);
        d.key("stretchtype", "stfull");
    };
    auto buttonFont = [&](int height) {
        d.key("fontname", "Arial");
        d.key("fontheight", height);
        d.key("fontstyle", "");
        d.colour("fontcolor", kText);
        d.colour("activefontcolor", kTextHot);
        d.colour("downfontcolor", kTextDown);
        d.colour("disabledfontcolor", kTextDisabled);
    };

    d.section("button");
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", s.pictureIndex("button_mask.bmp"));
    ninePiece(tile("controls/button.normal"), local(4, 4, 44, 21));
    buttonFont(14);
    d.rect("activeskinrect", tile("controls/button.hot"));
    d.rect("downskinrect", tile("controls/button.pressed"));
    d.rect("focusedskinrect", tile("controls/button.focused"));
    d.rect("disabledskinrect", tile("controls/button.disabled"));
    d.flag("morphing", true);
    d.key("morphkind", "mkdefault");
    d.flag("showfocus", false);
    d.key("glowlayerpictureindex", s.pictureIndex("button_glow.bmp"));
    d.key("glowlayermaskpictureindex", s.pictureIndex("button_glow_mask.bmp"));
    d.key("glowlayeroffsetleft", 16);
    d.key("glowlayeroffsettop", 16);
    d.key("glowlayeroffsetright", 16);
    d.key("glowlayeroffsetbottom", 16);
    d.key("glowlayershowoffsetx", 8);
    d.key("glowlayershowoffsety", 8);
    d.key("glowlayeralphablendvalue", 255);

    d.section("toolbutton");
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    ninePiece(tile("controls/toolbutton.normal"), local(3, 3, 21, 18));
    buttonFont(14);
    d.rect("activeskinrect", tile("controls/toolbutton.hot"));
    d.rect("downskinrect", tile("controls/toolbutton.pressed"));
    d.rect("disabledskinrect", tile("controls/toolbutton.disabled"));
    d.flag("morphing", true);
    d.key("morphkind", "mkdefault");

    // The drop-down arrow is part of the pictures, in the fixed right-hand
    // piece; at rest (flat) the marker tile draws the same arrow.
    const QRect marker = tile("controls/toolmenubutton.marker");
    d.section("toolmenubutton");
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    ninePiece(tile("controls/toolmenubutton.normal"), local(2, 2, 31, 16));
    buttonFont(13); // "About" and its arrow fit 45 pixels with room to spare
    d.rect("activeskinrect", tile("controls/toolmenubutton.hot"));
    d.rect("downskinrect", tile("controls/toolmenubutton.pressed"));
    d.rect("disabledskinrect", tile("controls/toolmenubutton.disabled"));
    d.flag("morphing", true);
    d.key("morphkind", "mkdefault");
    d.rect("menumarkerflatrect", marker);
    d.rect("menumarkerrect", marker);
    d.rect("menumarkeractiverect", marker);
    d.rect("menumarkerdownrect", marker);
    d.colour("menumarkertransparentcolor", kKey);
    d.rect("trackbuttonrect", local(31, 0, 40, 18));

    d.section("edit");
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    d.rect("skinrect", tile("controls/edit.normal"));
    d.key("lefttoppoint", pointText(4, 2));
    d.key("righttoppoint", pointText(36, 2));
    d.key("leftbottompoint", pointText(4, 16));
    d.key("rightbottompoint", pointText(36, 16));
    d.rect("clientrect", local(2, 2, 38, 16));
    d.flag("leftstretch", true);
    d.flag("topstretch", true);
    d.flag("rightstretch", true);
    d.flag("bottomstretch", true);
    d.flag("stretcheffect", true);
    d.key("stretchtype", "stfull");
    d.rect("activeskinrect", tile("controls/edit.hot"));
    d.key("fontname", "Arial");
    d.key("fontheight", 14);
    d.key("fontstyle", "");
    d.colour("fontcolor", hex(0x15191E));
    d.colour("disabledfontcolor", kTextDisabled);
    d.colour("activefontcolor", hex(0x0B1826));

    // The status bar: a fixed height, any width (left and right pieces
    // fixed, the middle stretched); its caption is never shown.
    d.section("statusbar");
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    d.rect("skinrect", tile("controls/statusbar"));
    d.key("lefttoppoint", pointText(4, 0));
    d.key("righttoppoint", pointText(36, 0));
    d.key("leftbottompoint", pointText(0, 0));
    d.key("rightbottompoint", pointText(0, 0));
    d.rect("clientrect", local(2, 2, 38, 19));
    d.flag("stretcheffect", true);
    d.key("stretchtype", "stfull");
    d.key("bgpictureindex", -1);
    d.rect("captionrect", QRect());
    d.key("alignment", "taleftjustify");
    d.key("fontname", "Arial");
    d.key("fontheight", 14);
    d.key("fontstyle", "");
    d.colour("fontcolor", kText);
    d.rect("gripperrect", tile("controls/statusbar.grip"));
    d.flag("grippertransparent", true);
    d.colour("grippertransparentcolor", kKey);

    d.section("panel");
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    ninePiece(tile("controls/panel"), local(3, 3, 37, 37));
    d.key("bgpictureindex", -1);
    d.rect("captionrect", QRect());
    d.key("alignment", "tacenter");
    d.key("fontname", "Arial");
    d.key("fontheight", 14);
    d.key("fontstyle", "");
    d.colour("fontcolor", kText);

    d.section("stdlabel");
    d.key("pictureindex", -1);
    d.key("maskpictureindex", -1);
    d.key("fontname", "Arial");
    d.key("fontheight", 14);
    d.key("fontstyle", "");
    d.colour("fontcolor", hex(0x1E242B));
    d.colour("activefontcolor", kSteelDeep);

    d.section("label");
    d.key("pictureindex", ctlPic);
    d.key("maskpictureindex", -1);
    d.rect("skinrect", tile("controls/label"));
    d.key("lefttoppoint", pointText(3, 0));
    d.key("righttoppoint", pointText(37, 0));
    d.key("leftbottompoint", pointText(0, 0));
    d.key("rightbottompoint", pointText(0, 0));
    d.rect("clientrect", local(3, 2, 37, 19));
    d.flag("stretcheffect", true);
    d.key("stretchtype", "stfull");
    d.key("fontname", "Arial");
    d.key("fontheight", 14);
    d.key("fontstyle", "");
    d.colour("fontcolor", hex(0x2A313A));

    s.description = d.text();
    return s;
}

} // namespace pewter
