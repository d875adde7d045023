#include "app/frm_main.h"

#include "app/app_fonts.h"
#include "app/check_verdict.h"
#include "app/checker_command.h"
#include "app/error_report.h"
#include "app/form2.h"
#include "app/report_comparison.h"
#include "app/report_memo.h"
#include "app/report_text_edit.h"
#include "app/warm_checker.h"
#include "app/website.h"
#include "platform/error.h"
#include "process/create_process.h"
#include "skin/data/compressed_skin_list.h"
#include "skin/data/skin_data.h"
#include "skin/frame/application_notifier.h"
#include "skin/frame/skin_frame.h"
#include "skin/embedded_pewter.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSaveFile>
#include <QShortcut>
#include <QFileInfo>
#include <QLabel>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QToolButton>
#include <QUrl>

extern char** environ;

namespace tessaly::app {

namespace {

constexpr int clientWidth = 581;
constexpr int clientHeight = 343;
constexpr int statusBarHeight = 21;

std::vector<std::string> currentEnvironment()
{
    std::vector<std::string> environment;
    for (char** entry = environ; entry && *entry; ++entry)
        environment.emplace_back(*entry);
    return environment;
}

QPalette fixedTextColour(QPalette palette, const QColor& colour)
{
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    return palette;
}

} // namespace

FrmMain::FrmMain(platform::MainThread& mainThread, std::string programFolder, QWidget* parent)
    : platform::FramelessWindow(parent)
    , m_programFolder(std::move(programFolder))
    , m_process1(std::make_unique<process::CreateProcess>(mainThread))
    , m_skCompressedSkinList1(std::make_unique<skin::CompressedSkinList>())
    , m_skSkinData1(std::make_unique<skin::SkinData>())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tessaly 1.0"));
    setFont(designFont("Tahoma", -11));
    setDesignClientSize(QSize(clientWidth, clientHeight));
    attachFrame();

    loadStoredSkin();
    createControls();
    m_reportMemo = std::make_unique<ReportMemo>(m_memo1);
    m_filter = std::make_unique<ReportFilter>(*m_reportMemo);

    // Nothing reads the collected console output, and keeping it would grow
    // with every run for as long as the program is open.
    m_process1->setConsoleOptions(process::ConsoleOptions::Redirect | process::ConsoleOptions::OwnerData);
    m_process1->setOnRead([this](process::CreateProcess&, const std::string& text, bool startsOnNewLine) {
        process1Read(text, startsOnNewLine);
    });
    m_process1->setOnTerminate([this](process::CreateProcess&, std::uint32_t exitCode) {
        checkEnded(exitCode);
        if (m_warmChecker)
            m_warmChecker->fallbackEnded();
    });
    createShortcuts();
    setAcceptDrops(true);
    m_elapsedTimer.setInterval(1000);
    connect(&m_elapsedTimer, &QTimer::timeout, this, &FrmMain::showProgress);
    m_edit1->setFocus();
}

FrmMain::~FrmMain()
{
    endRunningCheck();
    setWarmChecker(nullptr);
}

void FrmMain::closeEvent(QCloseEvent* event)
{
    // A check nobody can see any more is not left running.
    endRunningCheck();
    QWidget::closeEvent(event);
}

void FrmMain::endRunningCheck()
{
    if (m_warmChecker)
        m_warmChecker->cancel();
    if (m_process1->state() != process::ProcessState::Ready)
        m_process1->terminate();
}

void FrmMain::attachFrame()
{
    m_skSkinData1->setNotifier(&skin::ApplicationNotifier::instance());
    m_skSkinFrame1 = std::make_unique<skin::SkinFrame>(this);
    m_skSkinFrame1->setBorderIcons(skin::BorderIcon::SystemMenu | skin::BorderIcon::Minimize);
    m_skSkinData1->setOwnerWindow(skin::ApplicationNotifier::instance().receiverOf(this));
    m_skSkinFrame1->setSkinData(m_skSkinData1.get());
}

void FrmMain::loadStoredSkin()
{
    // A skin that cannot be read leaves the registry empty: the windows keep
    // their default look and the program goes on.
    runGuarded(nullptr, [this] {
        skin::SkinListItem& item = m_skCompressedSkinList1->skins().add();
        item.setName("skSkin0");
        item.setCompressedFileName("pewter.skn");
        item.skin().loadFromCompressBytes(skin::embedded_pewter());
        m_skSkinData1->setSkinList(m_skCompressedSkinList1.get());
    });
}

void FrmMain::createControls()
{
    QWidget* client = clientArea();
    m_skSkinSpeedButton1 = new QToolButton(client);
    m_skSkinSpeedButton1->setObjectName(QStringLiteral("skSkinSpeedButton1"));
    m_skSkinSpeedButton1->setText(QString(QChar(0x2026)));
    m_skSkinSpeedButton1->setGeometry(442, 294, 33, 21);
    m_skSkinSpeedButton1->setFont(designFont("Arial", 14));
    m_skSkinSpeedButton1->setFocusPolicy(Qt::NoFocus);
    connect(m_skSkinSpeedButton1, &QToolButton::clicked, this,
        [this] { runGuarded(this, [this] { skSkinSpeedButton1Click(); }); });

    createStatusBar();

    m_edit1 = new QLineEdit(client);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setGeometry(8, 294, 433, 18);
    m_edit1->setReadOnly(true);
    m_edit1->setFont(designFont("Arial", 14));
    m_edit1->setPalette(fixedTextColour(m_edit1->palette(), Qt::black));

    m_skSkinButton1 = new QPushButton(QStringLiteral("Validate"), client);
    m_skSkinButton1->setObjectName(QStringLiteral("skSkinButton1"));
    m_skSkinButton1->setGeometry(498, 293, 75, 25);
    m_skSkinButton1->setFont(designFont("Arial", 14));
    connect(m_skSkinButton1, &QPushButton::clicked, this,
        [this] { runGuarded(this, [this] { skSkinButton1Click(); }); });

    m_memo1 = new ReportTextEdit(client);
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setGeometry(8, 8, 565, 280);

    setTabOrder(m_edit1, m_skSkinButton1);
    setTabOrder(m_skSkinButton1, m_memo1);
}

void FrmMain::createStatusBar()
{
    m_skSkinStatusBar1 = new QWidget(clientArea());
    m_skSkinStatusBar1->setObjectName(QStringLiteral("skSkinStatusBar1"));
    m_skSkinStatusBar1->setAutoFillBackground(true);
    m_skSkinStatusBar1->setGeometry(0, clientHeight - statusBarHeight, clientWidth, statusBarHeight);

    m_skSkinPopupMenu2 = new QMenu(this);
    m_skSkinPopupMenu2->setObjectName(QStringLiteral("skSkinPopupMenu2"));
    m_skSkinPopupMenu2->setFont(designFont("Arial", 14));
    QAction* visit = m_skSkinPopupMenu2->addAction(QStringLiteral("Visit Our Website"));
    visit->setObjectName(QStringLiteral("VisitOurWebsite1"));
    connect(visit, &QAction::triggered, this,
        [this] { runGuarded(this, [this] { visitOurWebsite1Click(); }); });
    m_skSkinPopupMenu2->addSeparator()->setObjectName(QStringLiteral("N2"));
    QAction* about = m_skSkinPopupMenu2->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, [this] { runGuarded(this, [this] { about1Click(); }); });
    m_skSkinPopupMenu2->addSeparator();
    QAction* save = m_skSkinPopupMenu2->addAction(QStringLiteral("Save Report\u2026"));
    save->setObjectName(QStringLiteral("saveReportItem"));
    connect(save, &QAction::triggered, this, [this] { runGuarded(this, [this] { saveReport(); }); });

    m_skSkinMenuSpeedButton1 = new QToolButton(m_skSkinStatusBar1);
    m_skSkinMenuSpeedButton1->setObjectName(QStringLiteral("skSkinMenuSpeedButton1"));
    m_skSkinMenuSpeedButton1->setText(QStringLiteral("About"));
    m_skSkinMenuSpeedButton1->setGeometry(528, 2, 45, 18);
    m_skSkinMenuSpeedButton1->setAutoRaise(true);
    m_skSkinMenuSpeedButton1->setFont(designFont("Arial", 14));
    m_skSkinMenuSpeedButton1->setFocusPolicy(Qt::NoFocus);
    m_skSkinMenuSpeedButton1->setMenu(m_skSkinPopupMenu2);
    m_skSkinMenuSpeedButton1->setPopupMode(QToolButton::InstantPopup);
    m_skSkinMenuSpeedButton1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_skSkinMenuSpeedButton1->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));

    m_progressLabel = new QLabel(m_skSkinStatusBar1);
    m_progressLabel->setObjectName(QStringLiteral("progressLabel"));
    m_progressLabel->setFont(designFont("Arial", 14));
    m_progressLabel->setGeometry(8, 2, 512, 18);
}

void FrmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Every control keeps its design place except the status bar, which
    // stays along the client area's bottom edge across its full width (the
    // frame has placed the client area before this runs).
    const QWidget* client = clientArea();
    m_skSkinStatusBar1->setGeometry(0, client->height() - statusBarHeight, client->width(), statusBarHeight);
    // The progress text fills the status bar up to the "About" button.
    m_progressLabel->setGeometry(8, 2, std::max(0, m_skSkinMenuSpeedButton1->x() - 16), 18);
}

void FrmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        centreOnFirstShow();
    }
}

void FrmMain::centreOnFirstShow()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - frameGeometry().translated(-pos()).center());
}

void FrmMain::skSkinSpeedButton1Click()
{
    m_reportMemo->clear();
    const QString file = QFileDialog::getOpenFileName(this, QString(), QString(),
        QStringLiteral("ePUB Files(*.epub)"));
    if (!file.isEmpty())
        m_edit1->setText(file);
}

void FrmMain::skSkinButton1Click()
{
    m_reportMemo->clear();
    const QString book = m_edit1->text();
    startCheck(book.toStdString());
    checkStarted(book);
}

void FrmMain::startCheck(const std::string& book)
{
    // While a fall-back check runs, the runner refuses the new one.
    if (m_warmChecker && m_process1->state() == process::ProcessState::Ready)
        m_warmChecker->check(book);
    else
        runJarCheck(book);
}

void FrmMain::runJarCheck(const std::string& book)
{
    m_process1->setCommandLine(checkerCommandLine(m_programFolder, book));
    m_process1->setEnvironment(checkerEnvironment(currentEnvironment()));
    m_process1->run();
}

void FrmMain::setWarmChecker(WarmChecker* warmChecker)
{
    if (m_warmChecker)
        m_warmChecker->setHandlers({});
    m_warmChecker = warmChecker;
    if (!m_warmChecker)
        return;
    m_warmChecker->setHandlers({
        .read = [this](const std::string& text, bool startsOnNewLine) { process1Read(text, startsOnNewLine); },
        .finished = [this](std::uint32_t exitCode) { checkEnded(exitCode); },
        .fallBack = [this](const std::string& book) { warmCheckFellBack(book); },
    });
}

void FrmMain::warmCheckFellBack(const std::string& book)
{
    // What the warm checker showed of this check is void: the report starts
    // again from "java -jar".
    m_reportMemo->clear();
    try {
        runJarCheck(book);
    } catch (...) {
        checkAbandoned();
        throw;
    }
}

void FrmMain::checkAbandoned()
{
    // No check runs any more and there is no verdict to give.
    m_elapsedTimer.stop();
    unsetCursor();
    m_progressLabel->clear();
}

void FrmMain::process1Read(const std::string& text, bool startsOnNewLine)
{
    m_filter->add(text, startsOnNewLine);
}

void FrmMain::checkStarted(const QString& book)
{
    m_checkedBook = book;
    m_checkedBookName = QFileInfo(book).fileName();
    m_checkClock.start();
    m_elapsedTimer.start();
    setCursor(Qt::BusyCursor);
    showProgress();
}

void FrmMain::showProgress()
{
    const qint64 seconds = m_checkClock.elapsed() / 1000;
    const QString book = m_checkedBookName.isEmpty() ? QStringLiteral("(no book)") : m_checkedBookName;
    m_progressLabel->setText(QStringLiteral("Checking %1 \u2014 %2 s").arg(book).arg(seconds));
}

void FrmMain::checkEnded(std::uint32_t exitCode)
{
    m_elapsedTimer.stop();
    unsetCursor();
    m_lastExitCode = exitCode;
    const std::vector<std::string>& lines = m_reportMemo->lines();
    QString verdict = QString::fromStdString(checkVerdict(exitCode, lines));
    // A book checked before in this session: what changed since.
    const auto previous = m_previousReports.find(m_checkedBook);
    if (previous != m_previousReports.end()) {
        ReportComparison comparison = compareReports(previous->second, lines);
        verdict += QStringLiteral(" \u00b7 %1 new, %2 gone").arg(comparison.newCount).arg(comparison.goneCount);
        m_reportMemo->markLines(std::move(comparison.newLines));
    }
    m_previousReports[m_checkedBook] = lines;
    m_progressLabel->setText(verdict);
}

bool FrmMain::checkRunning() const
{
    return m_elapsedTimer.isActive();
}

void FrmMain::visitOurWebsite1Click()
{
    // The result is ignored: if no browser can open it, nothing is reported.
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(websiteAddress)));
}

void FrmMain::openBook(const QString& path)
{
    m_edit1->setText(path);
    runGuarded(this, [this] { skSkinButton1Click(); });
}

void FrmMain::createShortcuts()
{
    auto add = [this](const QKeySequence& keys, void (FrmMain::*handler)()) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, handler] { runGuarded(this, [&] { (this->*handler)(); }); });
    };
    add(QKeySequence(Qt::CTRL | Qt::Key_O), &FrmMain::skSkinSpeedButton1Click);
    add(QKeySequence(Qt::Key_F5), &FrmMain::skSkinButton1Click);
    add(QKeySequence(Qt::CTRL | Qt::Key_S), &FrmMain::saveReport);
}

namespace {

// The first regular file among dropped addresses, or an empty text.
QString firstDroppedFile(const QMimeData* data)
{
    if (!data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
            return url.toLocalFile();
    }
    return {};
}

} // namespace

void FrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!firstDroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FrmMain::dropEvent(QDropEvent* event)
{
    const QString file = firstDroppedFile(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    openBook(file);
}

void FrmMain::saveReport()
{
    const QFileInfo book(m_edit1->text());
    const QString proposed = book.fileName().isEmpty()
        ? QStringLiteral("report.txt")
        : book.absolutePath() + QLatin1Char('/') + book.completeBaseName() + QStringLiteral(".txt");
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Save Report"), proposed,
        QStringLiteral("Text files (*.txt)"));
    if (!file.isEmpty())
        writeReport(file);
}

void FrmMain::writeReport(const QString& file) const
{
    // Written to a temporary file beside it and renamed into place: a
    // failure leaves no half-written report.
    QSaveFile out(file);
    QByteArray text = "Book: " + m_edit1->text().toUtf8() + "\n";
    text += "Checked: " + QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + "\n\n";
    for (const std::string& line : m_reportMemo->lines())
        text += QByteArray::fromStdString(line) + '\n';
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
        throw Error("Cannot save the report to \"" + file.toStdString() + "\": " + out.errorString().toStdString());
}

void FrmMain::about1Click()
{
    if (!m_form2)
        return;
    m_form2->show();
    m_form2->raise();
    m_form2->activateWindow();
}

} // namespace tessaly::app
