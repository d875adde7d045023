#include "app/source_pane.h"

#include "report/book_entries.h"

#include <QAccessible>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tessaly::app {

namespace {

using report::HighlightRole;

constexpr int margin = 4;
constexpr int gutterGap = 8;

double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor mixed(const QColor& a, const QColor& b, int percentOfB)
{
    auto m = [&](int x, int y) { return (x * (100 - percentOfB) + y * percentOfB) / 100; };
    return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()));
}

QString placeText(const report::ReportMessage& message)
{
    QString place = QString::fromStdString(message.file);
    if (message.line) {
        place += QStringLiteral(", line %1").arg(*message.line);
        if (message.column)
            place += QStringLiteral(", column %1").arg(*message.column);
    }
    return place;
}

} // namespace

SourcePane::SourcePane(QWidget* parent)
    : QWidget(parent)
    , m_colours{Qt::white, Qt::black, QColor(0x30, 0x60, 0xC0), Qt::white, QColor(0xE0, 0xE0, 0xE0), Qt::black}
{
    m_codeFont = QFont(QStringLiteral("DejaVu Sans Mono"));
    m_codeFont.setPixelSize(11);
    m_codeFont.setStyleHint(QFont::Monospace);
}

SourcePane::~SourcePane() = default;

void SourcePane::setColours(const ReportTextView::Colours& colours)
{
    m_colours = colours;
    update();
}

void SourcePane::setBook(const QString& path)
{
    m_entries = path.isEmpty() ? nullptr : std::make_unique<report::BookEntries>(path.toStdString());
    showMessage(nullptr);
}

void SourcePane::showMessage(const report::ReportMessage* message)
{
    m_excerpt = {};
    m_spans.clear();
    if (!message) {
        m_notice.clear();
    } else if (!message->hasLocation()) {
        m_notice = QStringLiteral("This message is about the book as a whole, not a place in one of its files.");
    } else if (!m_entries) {
        m_notice = QStringLiteral("No book to read %1 from.").arg(QString::fromStdString(message->file));
    } else {
        const report::BookEntries::Entry entry = m_entries->read(message->file);
        m_notice = placeText(*message);
        if (m_entries->changedOnDisk())
            m_notice += QStringLiteral(" \u2014 the book has changed on disk since the check");
        if (!entry.bytes) {
            m_excerpt.problem = entry.problem;
        } else if (!message->line) {
            m_excerpt.problem = "The message names no line in this file.";
        } else {
            m_excerpt = report::sourceExcerpt(*entry.bytes, *message->line, message->column);
            if (!entry.notice.empty())
                m_notice += QStringLiteral(" \u2014 ") + QString::fromStdString(entry.notice);
        }
        report::HighlightState state;
        const report::MarkupKind kind = report::markupKindOf(message->file);
        for (const report::ExcerptLine& line : m_excerpt.lines)
            m_spans.push_back(report::highlightLine(line.text, kind, state));
    }
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

QString SourcePane::spokenText() const
{
    QStringList lines{m_notice};
    if (!m_excerpt.problem.empty())
        lines << QString::fromStdString(m_excerpt.problem);
    for (const report::ExcerptLine& line : m_excerpt.lines)
        lines << QStringLiteral("%1%2 %3").arg(line.target ? QStringLiteral("at line ") : QString()).arg(line.number)
                     .arg(QString::fromStdString(line.text));
    return lines.join(QLatin1Char('\n'));
}

int SourcePane::lineHeight() const { return QFontMetrics(m_codeFont).height() + 1; }

QColor SourcePane::roleColour(HighlightRole role) const
{
    // Two sets of hues, for light and for dark pages; a hue that would not
    // stand out from the page falls back to the page's own text colour.
    const bool dark = luminance(m_colours.window) < 0.3;
    QColor c;
    switch (role) {
    case HighlightRole::Tag:
    case HighlightRole::Selector: c = dark ? QColor(0x8C, 0xB4, 0xFF) : QColor(0x1F, 0x4E, 0x9E); break;
    case HighlightRole::AttributeName:
    case HighlightRole::Property: c = dark ? QColor(0xF0, 0xB0, 0x70) : QColor(0x8A, 0x3B, 0x00); break;
    case HighlightRole::AttributeValue:
    case HighlightRole::String: c = dark ? QColor(0x9A, 0xD8, 0x9A) : QColor(0x1D, 0x6B, 0x1D); break;
    case HighlightRole::Comment: c = dark ? QColor(0xB0, 0xB8, 0xBC) : QColor(0x55, 0x5E, 0x60); break;
    case HighlightRole::Entity: c = dark ? QColor(0xE0, 0xA0, 0xE0) : QColor(0x7A, 0x1F, 0x7A); break;
    }
    const QColor targetBack = mixed(m_colours.window, m_colours.highlight, 18);
    return contrast(c, m_colours.window) >= 4.5 && contrast(c, targetBack) >= 4.5 ? c : m_colours.windowText;
}

void SourcePane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_colours.window);
    const int h = lineHeight();
    // The sentence above the lines, on the face colour.
    painter.fillRect(0, 0, width(), h + 2, m_colours.face);
    painter.setPen(m_colours.faceText);
    painter.setFont(font());
    painter.drawText(QRect(margin, 0, width() - 2 * margin, h + 2), Qt::AlignVCenter | Qt::AlignLeft,
                     fontMetrics().elidedText(m_notice, Qt::ElideMiddle, width() - 2 * margin));
    int top = h + 4;
    painter.setFont(m_codeFont);
    const QFontMetrics code(m_codeFont);
    if (!m_excerpt.problem.empty()) {
        painter.setPen(m_colours.windowText);
        painter.setFont(font());
        painter.drawText(QRect(margin, top, width() - 2 * margin, height() - top), Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap,
                         QString::fromStdString(m_excerpt.problem));
        return;
    }
    if (m_excerpt.lines.empty())
        return;
    const int numberWidth = code.horizontalAdvance(QString::number(m_excerpt.lines.back().number));
    const int textLeft = margin + numberWidth + gutterGap;
    // Keep the column in sight: when it lies beyond the pane, every line
    // moves left by the same amount.
    int shift = 0;
    for (const report::ExcerptLine& line : m_excerpt.lines) {
        if (!line.target || !line.column)
            continue;
        const QString before = (line.cutBefore ? QStringLiteral("\u2026") : QString())
                               + QString::fromStdString(line.text).left(qsizetype(*line.column));
        const int x = code.horizontalAdvance(before);
        const int room = width() - textLeft - 2 * margin;
        if (x > room * 3 / 4)
            shift = x - room / 2;
    }
    for (std::size_t i = 0; i < m_excerpt.lines.size() && top < height(); ++i, top += h)
        paintLine(painter, m_excerpt.lines[i], m_spans[i], top, textLeft, shift);
}

void SourcePane::paintLine(QPainter& painter, const report::ExcerptLine& line,
                           const std::vector<report::HighlightSpan>& spans, int top, int textLeft, int shift) const
{
    const int h = lineHeight();
    const QFontMetrics code(m_codeFont);
    if (line.target)
        painter.fillRect(0, top, width(), h, mixed(m_colours.window, m_colours.highlight, 18));
    painter.setPen(m_colours.windowText);
    painter.drawText(QRect(margin, top, textLeft - gutterGap - margin, h), Qt::AlignVCenter | Qt::AlignRight,
                     QString::number(line.number));
    painter.save();
    painter.setClipRect(textLeft, top, width() - textLeft, h);
    // The text in runs: plain, then each span in its colour. Spans are byte
    // ranges of the UTF-8 line; each run is converted on its own.
    int x = textLeft - shift;
    auto run = [&](std::string_view bytes, const QColor& colour) {
        const QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
        painter.setPen(colour);
        painter.drawText(QPoint(x, top + code.ascent()), text);
        x += code.horizontalAdvance(text);
    };
    if (line.cutBefore)
        run("\u2026", m_colours.windowText);
    const int lineStart = x;
    const std::string_view text = line.text;
    std::size_t at = 0;
    for (const report::HighlightSpan& span : spans) {
        if (span.begin < at)
            continue;
        run(text.substr(at, span.begin - at), m_colours.windowText);
        run(text.substr(span.begin, span.length), roleColour(span.role));
        at = span.begin + span.length;
    }
    run(text.substr(at), m_colours.windowText);
    if (line.cutAfter)
        run("\u2026", m_colours.windowText);
    if (line.column) {
        // The column: a bar before its character and a line under it.
        const QString shown = QString::fromStdString(line.text);
        const int columnX = lineStart + code.horizontalAdvance(shown.left(qsizetype(*line.column)));
        const int charWidth = std::max(code.horizontalAdvance(QLatin1Char('m')), 2);
        painter.fillRect(columnX - 1, top, 2, h, m_colours.highlight);
        painter.fillRect(columnX, top + h - 2, charWidth, 2, m_colours.highlight);
    }
    painter.restore();
}

} // namespace tessaly::app
