#include "app/error_report.h"

#include <QMessageBox>
#include <QString>

namespace tessaly::app {

std::string withClosingPeriod(std::string message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    return message;
}

void showErrorReport(QWidget* parent, const std::string& message)
{
    // Operating-system messages separate their two lines with CR LF.
    QString text = QString::fromUtf8(withClosingPeriod(message));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Tessaly"), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("errorReport"));
    box.exec();
}

} // namespace tessaly::app
