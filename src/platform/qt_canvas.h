#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

namespace tessaly::platform {

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

private:
    uint32_t* m_bits;
    QImage m_image;
    QFont m_font;
    uint32_t m_textColor = 0xFF000000u;
};

// Qt text flags for TextFormat flags.
int qtTextFlags(unsigned flags);

// While a capture lives, text that canvases draw into one block of memory
// (the memory of a picture about to be scaled to a dense screen) is kept
// instead of drawn, to be drawn afterwards onto the scaled picture at the
// screen's resolution: text scaled as pixels would look blocky. Text drawn
// into other memory is drawn as always. One capture at a time, on the
// thread that paints.
class TextCapture {
public:
    explicit TextCapture(const uint32_t* bits);
    ~TextCapture();
    TextCapture(const TextCapture&) = delete;
    TextCapture& operator=(const TextCapture&) = delete;

    // Draws the kept text, in the order it came, onto an image of the same
    // picture whose device pixel ratio says how it was scaled.
    void drawOnto(QImage& image) const;
    bool empty() const { return m_runs.empty(); }

private:
    friend class QtCanvas;
    struct Run {
        QRect rect;
        QString text;
        QFont font;
        uint32_t color;
        int qtFlags;
    };
    static TextCapture* forBits(const uint32_t* bits);

    const uint32_t* m_bits;
    std::vector<Run> m_runs;
};

} // namespace tessaly::platform
