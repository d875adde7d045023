#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace skinart {

// ---- colours ---------------------------------------------------------------

QColor hex(unsigned rgb);
QColor mix(const QColor& a, const QColor& b, double t);
// A colour between two, at step i of n (whole numbers, rounding down).
QColor stepBetween(const QColor& a, const QColor& b, int i, int n);
QColor withAlpha(const QColor& c, int alpha);
// The skin's inactive-frame grey: every channel becomes
// round(0.3 red + 0.59 green + 0.11 blue), rounding ties to even. Grey
// pixels stay unchanged, so drawing a greyed picture again changes nothing.
QColor inactiveGrey(const QColor& c);
QImage inactiveGrey(const QImage& image);
// Colour value as the description text writes it: 0x00BBGGRR, in decimal.
unsigned colourValue(const QColor& c);

// ---- pixel drawing ---------------------------------------------------------

QImage blank(int width, int height, const QColor& fill = Qt::transparent);
// Source-over blend of one pixel; outside the image nothing happens. Whole
// numbers throughout, so every processor gives the same bytes.
void blendPixel(QImage& image, int x, int y, const QColor& c);
// Copies the source's pixels as they are (alpha included) to the point.
void copyImage(QImage& target, const QImage& source, QPoint at);
// Blends the source over the target at the point, its opacity multiplied
// by opacity (0 to 255).
void blendImage(QImage& target, const QImage& source, QPoint at, int opacity = 255);
// Lays the colour over every pixel as far as the pixel is opaque; the
// pixel keeps its alpha.
void tintAtop(QImage& image, const QColor& tint);
// Every row of rect gets the colour the function gives for its index.
template <typename RowColour>
void fillRows(QImage& image, const QRect& rect, RowColour rowColour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const QColor c = rowColour(y - rect.top());
        for (int x = rect.left(); x <= rect.right(); ++x)
            blendPixel(image, x, y, c);
    }
}
// Vertical gradient: top colour on the first row, bottom on the last.
void fillGradient(QImage& image, const QRect& rect, const QColor& top, const QColor& bottom);
void hline(QImage& image, int x0, int x1, int y, const QColor& c);
void vline(QImage& image, int x, int y0, int y1, const QColor& c);

// ---- anti-aliased rounded rectangles ---------------------------------------
//
// Edges and radii are measured in 64ths of a pixel and every pixel is
// sampled 16 x 16 times with whole numbers: the coverage of a pixel is the
// same on every processor, which a floating-point rasteriser cannot promise.

// Fills the rounded rectangle, each row in the colour the function gives
// for its y.
void fillRoundRect(QImage& image, const QRectF& rect, double radius, const std::function<QColor(int)>& rowColour);
// A pen one pixel wide centred on the rounded rectangle's outline.
void strokeRoundRect(QImage& image, const QRectF& rect, double radius, const QColor& colour);

// A rounded rectangle with an anti-aliased outline of one pixel: the
// straight edges fall on whole pixels, only the corners are smoothed.
struct Plate {
    QColor border;
    QColor fillTop;
    QColor fillBottom;
    QColor innerTop = Qt::transparent;    // one-pixel line just inside the top edge
    QColor innerBottom = Qt::transparent; // one-pixel line just inside the bottom edge
    qreal radius = 3;
};
void drawPlate(QImage& image, const QRect& rect, const Plate& plate);

// Share of the pixel (x, y) covered by a rectangle whose chosen corners are
// rounded with the radius (4 x 4 samples per pixel).
enum Corner { TopLeft = 1, TopRight = 2, BottomLeft = 4, BottomRight = 8, AllCorners = 15 };
double roundRectCoverage(const QRectF& rect, double radius, int corners, int x, int y);
// Signed distance from the pixel centre to the rounded rectangle's edge
// (negative inside).
double roundRectDistance(const QRectF& rect, double radius, double px, double py);

// ---- glyphs ----------------------------------------------------------------

// A glyph drawn pixel by pixel: '#' is the glyph colour, '.' is left alone.
struct Glyph {
    std::vector<std::string> rows;
    int width() const { return rows.empty() ? 0 : int(rows.front().size()); }
    int height() const { return int(rows.size()); }
    Glyph flippedVertically() const;
};
void stamp(QImage& image, const Glyph& glyph, int x, int y, const QColor& c);

// ---- picture atlas ---------------------------------------------------------

// Packs tiles into one picture row by row and remembers where each went.
class Atlas {
public:
    explicit Atlas(int width, QColor background);
    QRect add(const std::string& name, const QImage& tile);
    QRect rect(const std::string& name) const;
    QImage image() const;

private:
    int m_width;
    QColor m_background;
    int m_x = 0;
    int m_y = 0;
    int m_rowHeight = 0;
    std::vector<std::pair<QRect, QImage>> m_tiles;
    std::map<std::string, QRect> m_rects;
};

} // namespace skinart
