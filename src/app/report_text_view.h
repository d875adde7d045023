#pragma once

#include <QPlainTextEdit>

namespace tessaly::app {

// The text view that shows the report (the "reportMemo" control):
// read-only, wrapping, with a vertical scroll bar. A very long line is shown
// in several blocks (see ReportViewFeed); copying joins them again, so that
// what is copied is the report's own lines. Marked lines (new messages) get
// a coloured bar in the margin.
class ReportTextView : public QPlainTextEdit {
public:
    // The user state that marks a block as continuing the line before.
    static constexpr int ContinuationState = 1;
    // The block format property that marks a block of a line to point out.
    static constexpr int MarkProperty = 0x100001;

    explicit ReportTextView(QWidget* parent = nullptr);

    // The colours of the skin the window wears: the text on the skin's
    // window colour, the selection in its highlight colours, and the
    // scroll bars in its button colours.
    struct Colours {
        QColor window;
        QColor windowText;
        QColor highlight;
        QColor highlightText;
        QColor face;
        QColor faceText;
    };
    void setColours(const Colours& colours);

protected:
    QMimeData* createMimeDataFromSelection() const override;
    // Draws a bar in the left margin beside the blocks of marked lines.
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace tessaly::app
