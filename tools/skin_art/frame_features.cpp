#include "frame_features.h"

#include "animate_button.h"
#include "art.h"

namespace skinart {
namespace {

QColor darker(const QColor& c, int by)
{
    auto d = [by](int v) { return v > by ? v - by : 0; };
    return QColor(d(c.red()), d(c.green()), d(c.blue()));
}

QColor lighter(const QColor& c, int by)
{
    auto l = [by](int v) { return v + by < 255 ? v + by : 255; };
    return QColor(l(c.red()), l(c.green()), l(c.blue()));
}

const QColor kCaptionTop = hex(0x5FA8B8);
const QColor kCaptionBottom = hex(0x1F5E70);
const QColor kCaptionEnd = hex(0x163F4B);

// The active caption: a teal gradient with diagonal grooves, so that a
// stretched middle and a tiled one differ, and two darker columns at each
// end, the pieces that stay fixed. `sheen` >= 0 lays a light band there
// (the animation's frames move it across).
void drawCaptionImage(QImage& image, int top, int sheen)
{
    using namespace captionart;
    for (int y = 0; y < kHeight; ++y) {
        const QColor row = stepBetween(kCaptionTop, kCaptionBottom, y, kHeight - 1);
        for (int x = kLeft; x < kRight; ++x) {
            QColor c = row;
            if (((x + y) / 3) % 4 == 0)
                c = darker(c, 14);
            if (sheen >= 0 && x - kLeft >= sheen && x - kLeft < sheen + 12)
                c = lighter(c, 60);
            if (x < kLeft + 2 || x >= kRight - 2)
                c = kCaptionEnd;
            image.setPixelColor(x, top + y, c);
        }
    }
}

// A plate with square ends and a ribbed middle (every other column a
// little darker), so a tiled middle shows its period.
void drawPlate(QImage& image, const QRect& at, const QColor& border, const QColor& fill)
{
    using namespace captionart;
    for (int y = 0; y < at.height(); ++y) {
        for (int x = 0; x < at.width(); ++x) {
            const bool edgeRow = y == 0 || y == at.height() - 1;
            const bool edgeColumn = x == 0 || x == at.width() - 1;
            QColor c = fill;
            if (edgeRow || edgeColumn)
                c = border;
            else if (x >= kPlateEnd && x < at.width() - kPlateEnd && x % 2 == 1)
                c = darker(fill, 10);
            image.setPixelColor(at.left() + x, at.top() + y, c);
        }
    }
}

QImage drawCaptionPicture(std::map<std::string, QRect>& tiles)
{
    using namespace captionart;
    QImage image = blank(frame::kWidth, kPlateTop + kPlateHeight, kKey);
    drawCaptionImage(image, 0, -1);
    tiles["caption/active"] = activeRect();
    for (int f = 0; f < kFrames; ++f) {
        drawCaptionImage(image, kHeight * (f + 1), f * (kRight - kLeft) / kFrames);
        tiles["caption/frame" + std::to_string(f + 1)] = QRect(kLeft, kHeight * (f + 1), kRight - kLeft, kHeight);
    }
    drawPlate(image, plateRect(), hex(0x6E7C8A), hex(0xDCE3EA));
    drawPlate(image, activePlateRect(), hex(0x0A2630), hex(0x1C4B59));
    tiles["caption/plate"] = plateRect();
    tiles["caption/plate.active"] = activePlateRect();
    // The divider: a groove of two lines on the key colour.
    const QRect d = dividerRect();
    for (int y = 2; y < d.height() - 2; ++y) {
        image.setPixelColor(d.left() + 2, d.top() + y, hex(0x0F3440));
        image.setPixelColor(d.left() + 3, d.top() + y, hex(0xA8D4DE));
    }
    tiles["caption/divider"] = d;
    return image;
}

// A round badge with a check, on the key colour (its corners show the
// client background when the logo is drawn transparent).
QImage drawLogo()
{
    const int s = kLogoSize;
    QImage image = blank(s, s, kKey);
    const int r2 = (s / 2 - 1) * (s / 2 - 1);
    for (int y = 0; y < s; ++y) {
        for (int x = 0; x < s; ++x) {
            const int dx = 2 * x + 1 - s, dy = 2 * y + 1 - s; // doubled, centred
            const int d2 = (dx * dx + dy * dy) / 4;
            if (d2 <= r2)
                image.setPixelColor(x, y, d2 >= r2 - 2 * (s / 2) ? kCaptionEnd : stepBetween(kCaptionTop, kCaptionBottom, y, s - 1));
        }
    }
    const Glyph check{{"..........##", ".........###", "........###.", "###....###..", ".###..###...", "..######....",
                       "...####.....", "....##......"}};
    // Stamped four times, one pixel apart: a bold check.
    for (int k = 0; k < 2; ++k)
        for (int j = 0; j < 2; ++j)
            stamp(image, check, s / 2 - 7 + k, s / 2 - 5 + j, Qt::white);
    return image;
}

// ---- plain frame buttons ---------------------------------------------------

enum class ButtonLook { Normal, Hot, Pressed, Disabled };

const Glyph kPinGlyph{{"..###..", ".#####.", ".#####.", "..###..", "#######", "...#...", "...#...", "...#..."}};

// Inside the round button: the pixel's centre within its circle.
bool inCircle(int x, int y)
{
    const int s = buttonart::kSize;
    const int dx = 2 * x + 1 - s, dy = 2 * y + 1 - s;
    return dx * dx + dy * dy <= (s - 1) * (s - 1);
}

// A button face on the caption's mid teal: a square plate, or a disc.
QImage buttonFace(ButtonLook look, bool round)
{
    const int s = buttonart::kSize;
    QColor fill = hex(0x3F8A9C), border = hex(0x0F3440), glyph = Qt::white;
    switch (look) {
    case ButtonLook::Normal: break;
    case ButtonLook::Hot: fill = hex(0x7CC6D6); glyph = hex(0x0F3440); break;
    case ButtonLook::Pressed: fill = hex(0x1C4B59); border = hex(0x061A20); break;
    case ButtonLook::Disabled: fill = hex(0x5E8F9B); border = hex(0x4A7480); glyph = hex(0x9DBBC2); break;
    }
    const QColor back = stepBetween(kCaptionTop, kCaptionBottom, 1, 2);
    QImage image = blank(s, s, back);
    for (int y = 0; y < s; ++y) {
        for (int x = 0; x < s; ++x) {
            if (round ? !inCircle(x, y) : false)
                continue;
            const bool edge = round ? !inCircle(x - 1, y) || !inCircle(x + 1, y) || !inCircle(x, y - 1)
                                          || !inCircle(x, y + 1)
                                    : x == 0 || y == 0 || x == s - 1 || y == s - 1;
            image.setPixelColor(x, y, edge ? border : fill);
        }
    }
    const int dy = look == ButtonLook::Pressed ? 1 : 0;
    if (round) {
        for (int y = 6; y < 11; ++y) // a dot
            for (int x = 6; x < 11; ++x)
                if ((x - 8) * (x - 8) + (y - 8) * (y - 8) <= 5)
                    image.setPixelColor(x, y + dy, glyph);
    } else {
        stamp(image, kPinGlyph, 5, 4 + dy, glyph);
    }
    return image;
}

QImage roundMask()
{
    const int s = buttonart::kSize;
    QImage mask = blank(s, s, Qt::white);
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x)
            if (inCircle(x, y))
                mask.setPixelColor(x, y, Qt::black);
    return mask;
}

QImage drawObjectsPicture(std::map<std::string, QRect>& tiles)
{
    Atlas atlas(4 * (buttonart::kSize + 1), kKey);
    const std::pair<ButtonLook, const char*> looks[] = {
        {ButtonLook::Hot, "hot"}, {ButtonLook::Pressed, "pressed"}, {ButtonLook::Disabled, "disabled"}};
    for (const auto& [look, name] : looks) {
        tiles[std::string("objects/pin.") + name] = atlas.add(std::string("pin.") + name, buttonFace(look, false));
        tiles[std::string("objects/round.") + name] = atlas.add(std::string("round.") + name, buttonFace(look, true));
    }
    return atlas.image();
}

} // namespace

void addFrameFeatures(SkinSources& skin)
{
    skin.active.push_back({"caption.bmp", drawCaptionPicture(skin.tiles), BmpKind::Colour24});
    skin.active.push_back({"logo.bmp", drawLogo(), BmpKind::Colour24});
    skin.active.push_back({"objects.bmp", drawObjectsPicture(skin.tiles), BmpKind::Colour24});
    skin.active.push_back({"round_mask.bmp", roundMask(), BmpKind::Mask4});
    // The buttons at rest are part of the frame picture.
    copyImage(skin.frame.image, buttonFace(ButtonLook::Normal, false), buttonart::pinRect().topLeft());
    copyImage(skin.frame.image, buttonFace(ButtonLook::Normal, true), buttonart::roundRect().topLeft());
    skin.tiles["frame/pin"] = buttonart::pinRect();
    skin.tiles["frame/round"] = buttonart::roundRect();
    addAnimateButton(skin);
}

} // namespace skinart
