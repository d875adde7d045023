#pragma once

#include "reference_check.h"

// Helpers of the window tests that drive the main window with a checker.

#include <QByteArray>
#include <QMessageBox>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

namespace tessaly::testing {

// Where the program and its checker were built.
inline const std::string programFolder = TESSALY_PROGRAM_FOLDER "/";

// The lines a user should read for the checker's output: the output split
// at line feeds, through the report filter.
std::vector<std::string> filteredLines(const QByteArray& output);

// While it lives, the program's user settings are kept in a scratch folder
// of their own: tests neither read nor change the user's.
class ScratchSettings {
public:
    ScratchSettings();

private:
    QTemporaryDir m_folder;
};

// Closes the next error report and hands back its text.
class ErrorReportCatcher {
public:
    ErrorReportCatcher();
    std::optional<QString> text() const { return m_text; }
    QString caption() const { return m_caption; }
    QMessageBox::Icon icon() const { return m_icon; }

private:
    QTimer m_timer;
    std::optional<QString> m_text;
    QString m_caption;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
};

} // namespace tessaly::testing
