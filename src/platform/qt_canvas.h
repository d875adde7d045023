#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace tessaly::platform {

class TextRuns;

// Text format flags, with the numbers the skin and window designs use for
// them. Without SingleLine, vertical alignment is top; VCenter and Bottom
// apply to single lines only. Without NoPrefix, "&" marks the next
// character as a mnemonic (shown underlined) and "&&" is a literal "&".
namespace TextFormat {
inline constexpr unsigned Left = 0x0;
inline constexpr unsigned Center = 0x1;
inline constexpr unsigned Right = 0x2;
inline constexpr unsigned VCenter = 0x4;
inline constexpr unsigned Bottom = 0x8;
inline constexpr unsigned WordBreak = 0x10;
inline constexpr unsigned SingleLine = 0x20;
inline constexpr unsigned ExpandTabs = 0x40;
inline constexpr unsigned NoClip = 0x100;
inline constexpr unsigned CalcRect = 0x400;
inline constexpr unsigned NoPrefix = 0x800;
inline constexpr unsigned EndEllipsis = 0x8000;
} // namespace TextFormat

// A drawing surface over 32-bit pixels that live elsewhere (bytes blue,
// green, red, alpha; rows `strideBytes` apart), drawing with Qt straight
// into that memory. The pixels are treated as opaque colour: pixels the
// canvas covers fully get alpha 255, the antialiased edges of text mix their
// alpha with what was there, and pixels it does not touch keep theirs. The
// memory must outlive the canvas and keep its size.
class QtCanvas {
public:
    QtCanvas(uint32_t* bits, int width, int height, qsizetype strideBytes);

    uint32_t* bits() const { return m_bits; }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    qsizetype strideBytes() const { return m_image.bytesPerLine(); }
    QImage& image() { return m_image; }

    const QFont& font() const { return m_font; }
    void setFont(const QFont& font) { m_font = font; }
    // Text colour as a pixel 0xAARRGGBB (alpha ignored).
    uint32_t textColor() const { return m_textColor; }
    void setTextColor(uint32_t color) { m_textColor = color; }

    // Draws text in the rectangle with TextFormat flags, clipped to the
    // rectangle unless NoClip is given. With CalcRect nothing is drawn.
    void drawText(const QRect& rect, const QString& text, unsigned flags);
    // The rectangle the text occupies when drawn in `rect` with `flags`: the
    // rectangle's width is kept for word-broken text, its height grows or
    // shrinks to the lines; for a single line it is the text's own box at
    // the flags' alignment.
    QRect measureText(const QRect& rect, const QString& text, unsigned flags) const;
    // Fills with an opaque pixel colour 0xAARRGGBB (alpha ignored).
    void fillRect(const QRect& rect, uint32_t color);
    // Draws text kept aside from another picture that is drawn into this
    // one at `offset`: kept again if this picture's text is being kept,
    // drawn into the pixels otherwise.
    void drawRuns(const TextRuns& runs, QPoint offset);

private:
    uint32_t* m_bits;
    QImage m_image;
    QFont m_font;
    uint32_t m_textColor = 0xFF000000u;
};

// Qt text flags for TextFormat flags.
int qtTextFlags(unsigned flags);

// Text kept aside instead of drawn into a picture, to be drawn later onto
// the picture scaled to a dense screen, at the screen's resolution: text
// scaled as pixels would look blocky. Coordinates are the picture's
// (logical pixels).
class TextRuns {
public:
    bool empty() const { return m_runs.empty(); }
    void clear() { m_runs.clear(); }
    // Takes out the runs whose rectangle's centre lies in `area`.
    void removeWithin(const QRect& area);
    // Adds the runs of `other`, moved by `offset`: the text of a smaller
    // picture that is drawn into this one at `offset`.
    void append(const TextRuns& other, QPoint offset = {});
    // Draws the runs, in the order they came, onto an image of the picture
    // whose device pixel ratio says how it was scaled.
    void drawOnto(QImage& image) const;
    // The same with a painter as it stands (its transformation applies).
    void paint(QPainter& painter) const;

private:
    friend class QtCanvas;
    struct Run {
        QRect rect;
        QString text;
        QFont font;
        uint32_t color;
        int qtFlags;
    };
    std::vector<Run> m_runs;
};

// While a capture lives, text that canvases draw into one block of memory
// (the memory of a picture about to be scaled to a dense screen) is kept
// instead of drawn. Text drawn into other memory is drawn as always.
// Captures nest: a picture composed while another one is (a button's state
// face while the button paints) keeps its own text; each capture takes
// only the text of its own memory. On the thread that paints.
class TextCapture {
public:
    explicit TextCapture(const uint32_t* bits);
    ~TextCapture();
    TextCapture(const TextCapture&) = delete;
    TextCapture& operator=(const TextCapture&) = delete;

    // Draws the kept text onto an image of the same picture whose device
    // pixel ratio says how it was scaled.
    void drawOnto(QImage& image) const { m_runs.drawOnto(image); }
    bool empty() const { return m_runs.empty(); }
    const TextRuns& runs() const { return m_runs; }
    // The kept text, which the capture no longer holds.
    TextRuns take() { return std::exchange(m_runs, {}); }

private:
    friend class QtCanvas;
    static TextCapture* forBits(const uint32_t* bits);

    const uint32_t* m_bits;
    TextCapture* m_outer;
    TextRuns m_runs;
};

} // namespace tessaly::platform
