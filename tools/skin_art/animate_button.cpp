#include "animate_button.h"

#include "art.h"

namespace skinart {
namespace {

enum class DialLook { Frame, Pressed, Inactive };

// Where the eight dots sit around the dial's centre, clockwise from the top.
constexpr int kDots[8][2] = {{0, -5}, {4, -4}, {5, 0}, {4, 4}, {0, 5}, {-4, 4}, {-5, 0}, {-4, -4}};

struct DialColours {
    QColor fill, border, dim, trail, lit;
};

DialColours coloursOf(DialLook look)
{
    switch (look) {
    case DialLook::Frame: return {hex(0x3F8A9C), hex(0x0F3440), hex(0x2A6878), hex(0xA8D4DE), Qt::white};
    case DialLook::Pressed: return {hex(0x1C4B59), hex(0x061A20), Qt::white, Qt::white, Qt::white};
    case DialLook::Inactive: return {hex(0x7E9AA2), hex(0x5E747A), hex(0x6C868D), hex(0x6C868D), hex(0x9DB2B8)};
    }
    return {};
}

// One face of the dial at (x0, y0): the plate, and the dots with dot `lit`
// bright and the one before it fading (lit < 0: every dot in its look's
// dim colour).
void drawDial(QImage& image, int x0, int y0, DialLook look, int lit)
{
    const DialColours c = coloursOf(look);
    for (int y = 0; y < spinnerart::kHeight; ++y)
        for (int x = 0; x < spinnerart::kWidth; ++x) {
            const bool edge = x == 0 || y == 0 || x == spinnerart::kWidth - 1 || y == spinnerart::kHeight - 1;
            image.setPixelColor(x0 + x, y0 + y, edge ? c.border : c.fill);
        }
    const int cx = spinnerart::kWidth / 2, cy = spinnerart::kHeight / 2;
    for (int i = 0; i < 8; ++i) {
        QColor dot = c.dim;
        if (lit >= 0 && i == lit)
            dot = c.lit;
        else if (lit >= 0 && i == (lit + 7) % 8)
            dot = c.trail;
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                image.setPixelColor(x0 + cx + kDots[i][0] + dx, y0 + cy + kDots[i][1] + dy, dot);
    }
}

QImage drawSpinnerPicture(std::map<std::string, QRect>& tiles)
{
    QImage image = blank(spinnerart::kFrames * spinnerart::kWidth, 2 * spinnerart::kHeight + 1, kKey);
    for (int k = 1; k <= spinnerart::kFrames; ++k) {
        drawDial(image, spinnerart::frameRect(k).left(), spinnerart::frameRect(k).top(), DialLook::Frame, k - 1);
        tiles["spinner/frame" + std::to_string(k)] = spinnerart::frameRect(k);
    }
    // Pressed, every dot lights up.
    drawDial(image, spinnerart::pressedRect().left(), spinnerart::pressedRect().top(), DialLook::Pressed, -1);
    // Inactive, none, in the inactive frame's grey.
    QImage inactive = blank(spinnerart::kWidth, spinnerart::kHeight);
    drawDial(inactive, 0, 0, DialLook::Inactive, -1);
    copyImage(image, inactiveGrey(inactive), spinnerart::inactiveRect().topLeft());
    tiles["spinner/pressed"] = spinnerart::pressedRect();
    tiles["spinner/inactive"] = spinnerart::inactiveRect();
    return image;
}

} // namespace

void addAnimateButton(SkinSources& skin)
{
    skin.active.push_back({"spinner.bmp", drawSpinnerPicture(skin.tiles), BmpKind::Colour24});
}

} // namespace skinart
