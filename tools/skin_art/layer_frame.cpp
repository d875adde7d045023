#include "layer_frame.h"

#include "exact_math.h"

#include <algorithm>
#include <cmath>

namespace skinart {
namespace {

// The window's size inside the picture. Only its edges matter: the strips
// repeat or stretch what lies beside them.
constexpr int kWindowSize = 40;

void drawShadow(const LayerFramePalette& palette, const QRect& client, int peak, QImage& picture, QImage& mask)
{
    const int w = picture.width(), h = picture.height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int alpha = shadowAlpha(palette, client, peak, x, y);
            // colours multiplied by the opacity, as the border shows them
            auto pm = [alpha](int c) { return c * alpha / 255; };
            const QColor& c = palette.shadow;
            picture.setPixelColor(x, y, QColor(pm(c.red()), pm(c.green()), pm(c.blue()), alpha));
            mask.setPixelColor(x, y, QColor(alpha, alpha, alpha));
        }
    }
}

} // namespace

int shadowAlpha(const LayerFramePalette& palette, const QRect& client, int peak, int x, int y)
{
    const double px = x + 0.5, py = y + 0.5;
    const double left = client.left(), right = client.left() + client.width();
    const double top = client.top(), bottom = client.top() + client.height();
    // Distance outside the window along each axis, as a share of the margin
    // on that side; the shadow reaches further below the window than above
    // it, as if lit from a little above.
    double u = 0, v = 0;
    if (px < left)
        u = (left - px) / palette.left;
    else if (px > right)
        u = (px - right) / palette.right;
    if (py < top)
        v = (top - py) / palette.top;
    else if (py > bottom)
        v = (py - bottom) / palette.bottom;
    if (u == 0 && v == 0)
        return 0; // the window itself
    const double r = std::sqrt(u * u + v * v);
    if (r >= 1)
        return 0;
    // Dense next to the window, fading smoothly to nothing at the margin.
    const double fall = exactPow(1 - r, 2.4);
    return std::clamp(int(std::lround(peak * fall)), 0, 255);
}

void addLayerFrame(const LayerFramePalette& palette, SkinSources& skin)
{
    const int w = palette.left + kWindowSize + palette.right;
    const int h = palette.top + kWindowSize + palette.bottom;
    const QRect client(palette.left, palette.top, kWindowSize, kWindowSize);
    const int clRight = client.left() + client.width(), clBottom = client.top() + client.height();

    LayerFrameGeometry g;
    g.client = client;
    g.border = client.adjusted(-palette.resizeBorder, -palette.resizeBorder, palette.resizeBorder,
                               palette.resizeBorder);
    // The strips meet at the window's corners: the top strip holds the rows
    // above the window (its corner pieces are the margins beside it), the
    // bottom strip the rows below.
    g.lt = QPoint(client.left(), client.top());
    g.rt = QPoint(clRight, client.top());
    g.lb = QPoint(client.left(), clBottom);
    g.rb = QPoint(clRight, clBottom);
    // The corner resize areas reach resizeCorner pixels along each edge of
    // the window, beyond the mouse-sensitive border.
    const int c = palette.resizeCorner;
    g.hitLt = QPoint(client.left() + c, client.top() + c);
    g.hitRt = QPoint(clRight - c, client.top() + c);
    g.hitLb = QPoint(client.left() + c, clBottom - c);
    g.hitRb = QPoint(clRight - c, clBottom - c);
    skin.layerFrame = g;

    for (auto [name, peak] : {std::pair{std::string("layer_frame"), palette.peak},
                              std::pair{std::string("layer_frame_inactive"), palette.inactivePeak}}) {
        QImage picture = blank(w, h, Qt::transparent);
        QImage mask = blank(w, h, Qt::black);
        drawShadow(palette, client, peak, picture, mask);
        skin.active.push_back({name + ".bmp", picture, BmpKind::Alpha32});
        skin.active.push_back({name + "_mask.bmp", mask, BmpKind::Grey8});
    }
}

} // namespace skinart
