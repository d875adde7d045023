#include "app/report_text_edit.h"

#include "app/report_memo.h"

#include <QMimeData>
#include <QTextBlock>

namespace tessaly::app {

ReportTextEdit::ReportTextEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QMimeData* ReportTextEdit::createMimeDataFromSelection() const
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
        if (block.userState() != ReportMemo::ContinuationState)
            text += QLatin1Char('\n');
    }
    auto* data = new QMimeData;
    data->setText(text);
    return data;
}

} // namespace tessaly::app
