// Usage: window_snapshot BOOK.epub OUTPUT_FOLDER [SKIN [messages]]
// Validates BOOK in the main window (wearing the built-in SKIN if one is
// named; with "messages", showing the messages page with errors alone,
// grouped by file, the first message chosen), opens the About window, and saves
// main.png and about.png (each window's own pixels) and report.txt (the
// report's lines, UTF-8) into OUTPUT_FOLDER.
// The windows stay up for two more seconds so that a screen grab of the
// whole display can be taken too.
#include "app/about_window.h"
#include "app/book_check.h"
#include "app/main_window.h"
#include "app/message_list_view.h"
#include "app/messages_view.h"
#include "app/report_pages.h"
#include "app/skin_chooser.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "app/report_view_feed.h"
#include "platform/qt_main_thread.h"
#include "process/create_process.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: window_snapshot BOOK.epub OUTPUT_FOLDER [SKIN [messages]]\n");
        return 2;
    }
    tessaly::platform::QtMainThread mainThread;
    tessaly::app::MainWindow mainWindow(mainThread, TESSALY_PROGRAM_FOLDER "/");
    tessaly::app::AboutWindow aboutWindow(&mainWindow, &mainWindow.skinData());
    mainWindow.setAboutWindow(&aboutWindow);
    if (argc >= 4)
        mainWindow.chooseBuiltInSkin(QString::fromLocal8Bit(argv[3]));
    mainWindow.show();

    mainWindow.bookPathEdit()->setText(QString::fromLocal8Bit(argv[1]));
    mainWindow.validateButton()->click();
    const bool finished = QTest::qWaitFor([&] {
        return mainWindow.bookCheck().checker().state() == tessaly::process::ProcessState::Ready
            && !mainWindow.reportFeed().hasPendingChanges();
    }, 60000);
    if (argc == 5 && QByteArray(argv[4]) == "messages") {
        using tessaly::report::Severity;
        tessaly::app::MessagesView& messages = *mainWindow.messagesView();
        messages.flush();
        mainWindow.reportPages()->showPage(tessaly::app::ReportPages::MessagesPage);
        for (Severity s : {Severity::Fatal, Severity::Warning, Severity::Info, Severity::Usage})
            messages.setShown(s, false);
        messages.setGrouping(tessaly::report::MessageGrouping::File);
        if (!messages.table().order().empty())
            messages.list()->setCurrentMessage(messages.table().order()[1 % messages.table().order().size()]);
        messages.list()->setFocus();
        QTest::qWait(300);
    } else {
        mainWindow.showAbout();
        QTest::qWait(300);
    }

    const QString folder = QString::fromLocal8Bit(argv[2]);
    QFile report(folder + QStringLiteral("/report.txt"));
    const bool saved = mainWindow.grab().save(folder + QStringLiteral("/main.png"))
        && aboutWindow.grab().save(folder + QStringLiteral("/about.png"))
        && report.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && report.write(mainWindow.reportFeed().shownLines().join(QLatin1Char('\n')).toUtf8() + '\n') >= 0;
    QTest::qWait(2000);
    return saved && finished ? 0 : 1;
}
