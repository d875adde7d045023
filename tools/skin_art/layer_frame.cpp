#include "layer_frame.h"

#include "art.h"
#include "exact_math.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace skinart {
namespace {

// The window's size inside the picture. Only its edges matter: the strips
// repeat or stretch what lies beside them.
constexpr int kWindowSize = 40;
// A full border's caption bar rounds its top corners like the window frame.
constexpr int kCornerRadius = 6;

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

// The caption bar over the shadow at the top of `lifted`, its top corners
// rounded as the window frame's are. Colours are stored multiplied by the
// opacity, as the border shows them.
void drawCaptionBar(const QRect& lifted, int band, const std::function<QColor(int)>& rowColour, QImage& picture,
                    QImage& mask)
{
    const QRectF shape(lifted.left(), lifted.top(), lifted.width(), band + kCornerRadius);
    for (int y = 0; y < band; ++y) {
        const QColor row = rowColour(y);
        for (int x = lifted.left(); x < lifted.left() + lifted.width(); ++x) {
            const int py = lifted.top() + y;
            const int a = int(std::lround(255 * roundRectCoverage(shape, kCornerRadius, TopLeft | TopRight, x, py)));
            const QColor under = picture.pixelColor(x, py);
            auto over = [a](int bar, int below) { return (bar * a + below * (255 - a) + 127) / 255; };
            const int alpha = a + (under.alpha() * (255 - a) + 127) / 255;
            picture.setPixelColor(x, py, QColor(over(row.red(), under.red()), over(row.green(), under.green()),
                                                over(row.blue(), under.blue()), alpha));
            mask.setPixelColor(x, py, QColor(alpha, alpha, alpha));
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

void addLayerFrame(const LayerFramePalette& palette, const std::function<QColor(int)>& captionRow, SkinSources& skin)
{
    const int band = palette.captionBand;
    const int w = palette.left + kWindowSize + palette.right;
    const int h = palette.top + band + kWindowSize + palette.bottom;
    // What the shadow falls around: the caption bar and the window below it.
    const QRect lifted(palette.left, palette.top, kWindowSize, band + kWindowSize);
    const QRect client(palette.left, palette.top + band, kWindowSize, kWindowSize);
    const int clRight = client.left() + client.width(), clBottom = client.top() + client.height();

    LayerFrameGeometry g;
    g.client = client;
    g.border = lifted.adjusted(-palette.resizeBorder, -palette.resizeBorder, palette.resizeBorder,
                               palette.resizeBorder);
    // The strips meet at the window's corners: the top strip holds the rows
    // above the window (its corner pieces are the margins beside it, and
    // the caption bar's rounded corners), the bottom strip the rows below.
    const int cut = band > 0 ? frame::kCornerCut : 0;
    g.lt = QPoint(client.left() + cut, client.top());
    g.rt = QPoint(clRight - cut, client.top());
    g.lb = QPoint(client.left(), clBottom);
    g.rb = QPoint(clRight, clBottom);
    // The corner resize areas reach resizeCorner pixels along each edge of
    // the lifted shape, beyond the mouse-sensitive border.
    const int c = palette.resizeCorner;
    g.hitLt = QPoint(lifted.left() + c, lifted.top() + c);
    g.hitRt = QPoint(clRight - c, lifted.top() + c);
    g.hitLb = QPoint(client.left() + c, clBottom - c);
    g.hitRb = QPoint(clRight - c, clBottom - c);
    if (band > 0) {
        // The caption buttons stand where the window's own frame has them,
        // the caption between the bar's side borders.
        g.caption = QRect(QPoint(lifted.left() + frame::kBorder, lifted.top() + frame::kButtonTop),
                          QPoint(clRight - frame::kBorder - 1, lifted.top() + frame::kButtonTop + frame::kButtonHeight - 1));
        // Rolled up, the window keeps a bottom border's height under the bar.
        g.rollUpHeight = frame::kBorder;
    }
    skin.layerFrame = g;

    for (auto [name, peak, active] : {std::tuple{std::string("layer_frame"), palette.peak, true},
                                      std::tuple{std::string("layer_frame_inactive"), palette.inactivePeak, false}}) {
        QImage picture = blank(w, h, Qt::transparent);
        QImage mask = blank(w, h, Qt::black);
        drawShadow(palette, lifted, peak, picture, mask);
        if (band > 0)
            drawCaptionBar(lifted, band, active ? captionRow : [&](int y) { return inactiveGrey(captionRow(y)); },
                           picture, mask);
        skin.active.push_back({name + ".bmp", picture, BmpKind::Alpha32});
        skin.active.push_back({name + "_mask.bmp", mask, BmpKind::Grey8});
    }
}

} // namespace skinart
