#pragma once

#include <QPlainTextEdit>

namespace tessaly::app {

// The report's text box: read-only, wrapping, with a vertical scroll bar.
// A very long line is shown in several blocks (see ReportMemo); copying
// joins them again, so that what is copied is the report's own lines.
class ReportTextEdit : public QPlainTextEdit {
public:
    explicit ReportTextEdit(QWidget* parent = nullptr);

protected:
    QMimeData* createMimeDataFromSelection() const override;
};

} // namespace tessaly::app
