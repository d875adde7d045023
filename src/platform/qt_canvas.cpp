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
        capture->m_runs.m_runs.push_back(
            {rect, fitted(text, m_font, rect, flags), m_font, m_textColor, qtTextFlags(flags)});
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

TextCapture::TextCapture(const uint32_t* bits) : m_bits(bits), m_outer(g_capture) { g_capture = this; }

TextCapture::~TextCapture()
{
    // Captures end in the reverse order they began (they live on the stack).
    if (g_capture == this)
        g_capture = m_outer;
}

TextCapture* TextCapture::forBits(const uint32_t* bits)
{
    if (!bits)
        return nullptr;
    for (TextCapture* c = g_capture; c; c = c->m_outer)
        if (c->m_bits == bits)
            return c;
    return nullptr;
}

void TextRuns::removeWithin(const QRect& area)
{
    std::erase_if(m_runs, [&](const Run& run) { return area.contains(run.rect.center()); });
}

void TextRuns::append(const TextRuns& other, QPoint offset)
{
    for (const Run& run : other.m_runs) {
        m_runs.push_back(run);
        m_runs.back().rect.translate(offset);
    }
}

void TextRuns::drawOnto(QImage& image) const
{
    if (m_runs.empty() || image.isNull())
        return;
    QPainter painter(&image);
    paint(painter);
}

void TextRuns::paint(QPainter& painter) const
{
    painter.setBrush(Qt::NoBrush);
    for (const Run& run : m_runs) {
        painter.setFont(run.font);
        painter.setPen(QColor::fromRgb(run.color | 0xFF000000u));
        painter.drawText(run.rect, run.qtFlags, run.text);
    }
}

void QtCanvas::drawRuns(const TextRuns& runs, QPoint offset)
{
    if (m_image.isNull() || runs.empty())
        return;
    if (TextCapture* capture = TextCapture::forBits(m_bits)) {
        capture->m_runs.append(runs, offset);
        return;
    }
    QPainter painter(&m_image);
    painter.translate(offset);
    runs.paint(painter);
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
