#include "app/report_text_view.h"

#include <QMimeData>
#include <QPainter>
#include <QTextBlock>

namespace tessaly::app {

ReportTextView::ReportTextView(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ReportTextView::setColours(const Colours& colours)
{
    QPalette palette = this->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, colours.window);
        palette.setColor(group, QPalette::Text, colours.windowText);
        palette.setColor(group, QPalette::Highlight, colours.highlight);
        palette.setColor(group, QPalette::HighlightedText, colours.highlightText);
        palette.setColor(group, QPalette::Window, colours.face);
        palette.setColor(group, QPalette::Button, colours.face);
        palette.setColor(group, QPalette::WindowText, colours.faceText);
        palette.setColor(group, QPalette::ButtonText, colours.faceText);
    }
    setPalette(palette);
}

QMimeData* ReportTextView::createMimeDataFromSelection() const
{
    const QTextCursor selection = textCursor();
    const QString selected = selection.selectedText();
    // The selected text has one paragraph separator per block boundary, in
    // order: each becomes a line break unless the block after it continues
    // the line.
    QTextBlock block = document()->findBlock(selection.selectionStart());
    QString text;
    text.reserve(selected.size());
    for (const QChar c : selected) {
        if (c != QChar::ParagraphSeparator) {
            text += c;
            continue;
        }
        block = block.next();
        if (block.userState() != ContinuationState)
            text += QLatin1Char('\n');
    }
    auto* data = new QMimeData;
    data->setText(text);
    return data;
}

void ReportTextView::paintEvent(QPaintEvent* event)
{
    QPlainTextEdit::paintEvent(event);
    // The bar fits in the document's margin, left of the text.
    constexpr int barWidth = 3;
    static const QColor barColour(0xD9, 0x7A, 0x00);
    QPainter painter(viewport());
    const int bottom = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF area = blockBoundingGeometry(block).translated(contentOffset());
        if (area.top() > bottom)
            break;
        if (block.blockFormat().boolProperty(MarkProperty))
            painter.fillRect(QRectF(0, area.top(), barWidth, area.height()), barColour);
    }
    // A read-only text shows no caret: a dotted frame in the text's colour
    // tells that the keyboard is here (arrows and Page keys scroll).
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
        painter.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
    }
}

void ReportTextView::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    viewport()->update();
}

void ReportTextView::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    viewport()->update();
}

} // namespace tessaly::app
