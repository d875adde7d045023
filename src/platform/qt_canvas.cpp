#include "platform/qt_canvas.h"

#include <QFontMetrics>
#include <QPainter>

namespace tessaly::platform {

namespace {

bool has(unsigned flags, unsigned flag) { return (flags & flag) != 0; }

// Single lines shortened with "…" to the rectangle's width when asked.
QString fitted(const QString& text, const QFont& font, const QRect& rect, unsigned flags)
{
    if (!has(flags, TextFormat::EndEllipsis) || !has(flags, TextFormat::SingleLine))
        return text;
    return QFontMetrics(font).elidedText(text, Qt::ElideRight, rect.width(), qtTextFlags(flags));
}

} // namespace

int qtTextFlags(unsigned flags)
{
    int qt = 0;
    if (has(flags, TextFormat::Center))
        qt |= Qt::AlignHCenter;
    else if (has(flags, TextFormat::Right))
        qt |= Qt::AlignRight;
    else
        qt |= Qt::AlignLeft;
    if (has(flags, TextFormat::SingleLine)) {
        qt |= Qt::TextSingleLine;
        if (has(flags, TextFormat::VCenter))
            qt |= Qt::AlignVCenter;
        else if (has(flags, TextFormat::Bottom))
            qt |= Qt::AlignBottom;
        else
            qt |= Qt::AlignTop;
    } else {
        qt |= Qt::AlignTop;
        if (has(flags, TextFormat::WordBreak))
            qt |= Qt::TextWordWrap;
    }
    if (has(flags, TextFormat::ExpandTabs))
        qt |= Qt::TextExpandTabs;
    if (has(flags, TextFormat::NoClip))
        qt |= Qt::TextDontClip;
    if (!has(flags, TextFormat::NoPrefix))
        qt |= Qt::TextShowMnemonic;
    return qt;
}

QtCanvas::QtCanvas(uint32_t* bits, int width, int height, qsizetype strideBytes)
    : m_bits(bits)
    , m_image(reinterpret_cast<uchar*>(bits), bits ? width : 0, bits ? height : 0, strideBytes,
              QImage::Format_RGB32)
{
}

void QtCanvas::drawText(const QRect& rect, const QString& text, unsigned flags)
{
    if (m_image.isNull() || text.isEmpty() || has(flags, TextFormat::CalcRect))
        return;
    if (TextCapture* capture = TextCapture::forBits(m_bits)) {
        capture->m_runs.push_back({rect, fitted(text, m_font, rect, flags), m_font, m_textColor, qtTextFlags(flags)});
        return;
    }
    QPainter painter(&m_image);
    painter.setFont(m_font);
    painter.setPen(QColor::fromRgb(m_textColor | 0xFF000000u));
    painter.setBrush(Qt::NoBrush);
    painter.drawText(rect, qtTextFlags(flags), fitted(text, m_font, rect, flags));
}

namespace {
TextCapture* g_capture = nullptr;
}

TextCapture::TextCapture(const uint32_t* bits) : m_bits(bits) { g_capture = this; }

TextCapture::~TextCapture()
{
    if (g_capture == this)
        g_capture = nullptr;
}

TextCapture* TextCapture::forBits(const uint32_t* bits)
{
    return g_capture && bits && g_capture->m_bits == bits ? g_capture : nullptr;
}

void TextCapture::drawOnto(QImage& image) const
{
    if (m_runs.empty() || image.isNull())
        return;
    QPainter painter(&image);
    painter.setBrush(Qt::NoBrush);
    for (const Run& run : m_runs) {
        painter.setFont(run.font);
        painter.setPen(QColor::fromRgb(run.color | 0xFF000000u));
        painter.drawText(run.rect, run.qtFlags, run.text);
    }
}

QRect QtCanvas::measureText(const QRect& rect, const QString& text, unsigned flags) const
{
    const QFontMetrics metrics(m_font);
    const int qt = qtTextFlags(flags) & ~Qt::TextDontClip;
    if (text.isEmpty())
        return QRect(rect.topLeft(), QSize(0, 0));
    return metrics.boundingRect(rect, qt, fitted(text, m_font, rect, flags));
}

void QtCanvas::fillRect(const QRect& rect, uint32_t color)
{
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    painter.fillRect(rect, QColor::fromRgb(color | 0xFF000000u));
}

} // namespace tessaly::platform
