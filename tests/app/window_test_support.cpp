#include "window_test_support.h"

#include "report/report_filter.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QSettings>

#include <cstdlib>

namespace tessaly::testing {

ScratchSettings::ScratchSettings()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.path());
}

std::vector<std::string> filteredLines(const QByteArray& output)
{
    class Lines : public report::ReportLines {
    public:
        std::string lastLine() const override { return lines.empty() ? std::string() : lines.back(); }
        void appendLine(const std::string& line) override { lines.push_back(line); }
        void removeLastLine() override { lines.pop_back(); }
        std::vector<std::string> lines;
    } lines;
    report::ReportFilter filter(lines);
    QList<QByteArray> split = output.split('\n');
    if (!split.isEmpty() && split.back().isEmpty())
        split.pop_back();
    for (const QByteArray& line : split)
        filter.add(line.toStdString());
    return lines.lines;
}

ErrorReportCatcher::ErrorReportCatcher()
{
    m_timer.setInterval(20);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_caption = box->windowTitle();
        m_text = box->text();
        m_icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    m_timer.start();
}

} // namespace tessaly::testing
