#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <map>
#include <string>
#include <vector>

namespace skinart {

// ---- colours ---------------------------------------------------------------

QColor hex(unsigned rgb);
QColor mix(const QColor& a, const QColor& b, double t);
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
// Source-over blend of one pixel; outside the image nothing happens.
void blendPixel(QImage& image, int x, int y, const QColor& c);
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
