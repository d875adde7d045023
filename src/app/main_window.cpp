#include "app/main_window.h"

#include "app/app_fonts.h"
#include "app/book_check.h"
#include "app/book_list.h"
#include "app/book_queue.h"
#include "app/book_queue_view.h"
#include "app/button_glow.h"
#include "app/error_report.h"
#include "app/about_window.h"
#include "app/report_text_view.h"
#include "app/report_view_feed.h"
#include "app/safe_skin_start.h"
#include "app/skin_chooser.h"
#include "app/skin_menu_openers.h"
#include "app/menu_key_watch.h"
#include "app/messages_view.h"
#include "app/report_pages.h"
#include "app/website.h"
#include "platform/error.h"
#include "process/process_types.h"
#include "report/message_list.h"
#include "skin/controls/popup_menu_opener.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_menu_speed_button.h"
#include "skin/controls/skin_speed_button.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/controls/skin_std_label.h"
#include "skin/controls/skin_tab_control.h"
#include "skin/data/skin_data.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/frame/application_notifier.h"
#include "skin/frame/skin_frame.h"
#include "skin/menus/skin_popup_menu.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QSaveFile>
#include <QShortcut>
#include <QTimer>
#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QTextBlock>
#include <QUrl>

#include <algorithm>

namespace tessaly::app {

namespace {

constexpr int clientWidth = 581;
constexpr int clientHeight = 343;
// The report's pages fill the space above the path; with a queue, the list
// of books takes the top of it.
const QRect reportPagesPlace(8, 4, 565, 284);
constexpr int queueRows = 5;
constexpr int queueGap = 4;

// The user's settings: what the program remembers between runs.
QSettings userSettings() { return QSettings(QStringLiteral("Tessaly"), QStringLiteral("Tessaly")); }

// Every skinned control's font where the skin gives none: Arial, height 14.
skin::Font controlFont() { return skin::Font{"Arial", 14, {}, skin::rgbColor(0, 0, 0)}; }

} // namespace

MainWindow::MainWindow(platform::MainThread& mainThread, std::string programFolder, QWidget* parent)
    : platform::FramelessWindow(parent)
    , m_check(std::make_unique<BookCheck>(mainThread, programFolder))
    , m_bookQueue(std::make_unique<BookQueue>(mainThread, std::move(programFolder)))
    , m_skinData(std::make_unique<skin::SkinData>())
    , m_skinChooser(std::make_unique<SkinChooser>(*m_skinData))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Tessaly 1.0"));
    setFont(designFont("Tahoma", -11));
    setDesignClientSize(QSize(clientWidth, clientHeight));
    attachFrame();

    // The report takes the colours of every skin loaded from now on.
    m_skinData->setOnLoadData([this](skin::SkinData&) { applySkinColours(); });
    loadStoredSkin();
    createControls();
    applySkinColours();
    m_reportFeed = std::make_unique<ReportViewFeed>(m_check->report(), m_reportMemo);
    followCheck();
    createBookQueue();
    createShortcuts();
    // F10, or Alt alone, opens the status bar's menu.
    new MenuKeyWatch(this, [this] { m_aboutMenuButton->showMenu(); });
    setAcceptDrops(true);
    m_bookPathEdit->setFocus();
}

MainWindow::~MainWindow()
{
    // A window closed before it came up still ends normally.
    if (!m_startFinished) {
        QSettings settings = userSettings();
        SafeSkinStart(settings).started();
    }
    m_check->end();
    m_check->setHandlers({});
    m_bookQueue->setHandlers({});
    m_bookQueue->cancelAll();
    // The list shows the queue, which goes before the window's children.
    delete std::exchange(m_bookQueueView, nullptr);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A check nobody can see any more is not left running.
    m_check->end();
    m_bookQueue->cancelAll();
    QWidget::closeEvent(event);
}

void MainWindow::followCheck()
{
    m_check->setHandlers({
        .started = [this](const std::string& book) { checkStarted(book); },
        .progress = [this](std::chrono::seconds elapsed) { showProgress(elapsed); },
        .finished = [this](const std::string& verdict) { checkEnded(verdict); },
        .restarted = [this] { checkRestarted(); },
        .abandoned = [this] { checkAbandoned(); },
    });
}

void MainWindow::attachFrame()
{
    m_skinData->setNotifier(&skin::ApplicationNotifier::instance());
    m_frame = std::make_unique<skin::SkinFrame>(this);
    m_frame->setBorderIcons(skin::BorderIcon::SystemMenu | skin::BorderIcon::Minimize);
    m_skinData->setOwnerWindow(skin::ApplicationNotifier::instance().receiverOf(this));
    m_frame->setSkinData(m_skinData.get());
}

void MainWindow::loadStoredSkin()
{
    QSettings settings = userSettings();
    SafeSkinStart safeStart(settings);
    const bool mayUseFile = safeStart.mayTry(settings.value(QLatin1String(SkinChooser::SettingsKey)).toString());
    // Even the built-in skin may fail to load when memory runs short: the
    // registry stays empty, the windows keep their default look and the
    // program goes on.
    runGuarded(nullptr, [&] { m_startNotice = m_skinChooser->applyRemembered(settings, mayUseFile); });
    if (safeStart.notice())
        m_startNotice = safeStart.notice();
}

void MainWindow::finishStart()
{
    m_startFinished = true;
    QSettings settings = userSettings();
    SafeSkinStart(settings).started();
    if (m_startNotice) {
        const std::string notice = *std::exchange(m_startNotice, std::nullopt);
        showErrorReport(this, notice);
    }
}

void MainWindow::createControls()
{
    m_browseButton = new skin::SkinSpeedButton(QString(QChar(0x2026)), clientArea());
    m_browseButton->setObjectName(QStringLiteral("browseButton"));
    // Its caption is a glyph: readers need a word.
    m_browseButton->setAccessibleName(QStringLiteral("Browse"));
    m_browseButton->setTabStop(true);
    m_browseButton->setUseSkinSize(false);
    m_browseButton->setDefaultFont(controlFont());
    m_browseButton->setGeometry(442, 294, 33, 21);
    m_browseButton->setSkinData(m_skinData.get());
    m_browseButton->setOnClick([this] { runGuarded(this, [this] { browse(); }); });

    createStatusBar();

    m_bookPathEdit = new skin::SkinEdit(clientArea());
    m_bookPathEdit->setObjectName(QStringLiteral("bookPathEdit"));
    m_bookPathEdit->setReadOnly(true);
    m_bookPathEdit->lineEdit()->setAccessibleName(QStringLiteral("Book"));
    m_bookPathEdit->setDefaultFont(controlFont());
    m_bookPathEdit->setGeometry(8, 294, 433, 18);
    m_bookPathEdit->setSkinData(m_skinData.get());
    m_pathMenuOpener = std::make_unique<SkinContextMenuOpener>(m_frame.get(), m_skinData.get());
    m_bookPathEdit->setContextMenuOpener(m_pathMenuOpener.get());

    m_validateButton = new skin::SkinButton(QStringLiteral("Validate"), clientArea());
    m_validateButton->setObjectName(QStringLiteral("validateButton"));
    m_validateButton->setDefaultFont(controlFont());
    m_validateButton->setGeometry(498, 293, 75, 25);
    m_validateButton->setSkinData(m_skinData.get());
    m_validateButton->setGlowLayer(std::make_unique<ButtonGlow>());
    m_validateButton->setOnClick([this] { runGuarded(this, [this] { validate(); }); });

    m_reportMemo = new ReportTextView(clientArea());
    m_reportMemo->setObjectName(QStringLiteral("reportMemo"));
    m_reportMemo->setAccessibleName(QStringLiteral("Report"));
    // Read only: Tab goes on to the next control instead of into the text.
    m_reportMemo->setTabChangesFocus(true);
    m_messagesView = new MessagesView(m_check->report());
    m_reportPages = new ReportPages(m_reportMemo, m_messagesView, clientArea());
    m_reportPages->setGeometry(reportPagesPlace);
    m_reportPages->setSkinData(m_skinData.get());

    m_bookQueueView = new BookQueueView(*m_bookQueue, clientArea());
    m_bookQueueView->setObjectName(QStringLiteral("bookQueueView"));
    m_bookQueueView->setAccessibleName(QStringLiteral("Books"));
    m_bookQueueView->setSkinData(m_skinData.get());
    m_bookQueueView->hide();

    // The path and its buttons as they stand on the line, the report, then
    // the status bar's menu.
    setTabOrder(m_bookPathEdit, m_browseButton);
    setTabOrder(m_browseButton, m_validateButton);
    setTabOrder(m_validateButton, m_bookQueueView);
    setTabOrder(m_bookQueueView, m_reportPages->tabs());
    setTabOrder(m_reportPages->tabs(), m_reportPages->findEdit());
    setTabOrder(m_reportPages->findEdit(), m_reportMemo);
    // The page not in sight is skipped.
    QWidget* last = m_reportMemo;
    for (QWidget* next : m_messagesView->tabStops()) {
        setTabOrder(last, next);
        last = next;
    }
    setTabOrder(last, m_aboutMenuButton);
}

void MainWindow::createStatusBar()
{
    m_statusBar = new skin::SkinStatusBar(clientArea());
    m_statusBar->setObjectName(QStringLiteral("statusBar"));

    // The design's three items, then saving the report.
    m_aboutMenu = std::make_unique<skin::SkinPopupMenu>(this);
    m_aboutMenu->setObjectName(QStringLiteral("aboutMenu"));
    m_aboutMenu->setSkinComponent(m_frame.get());
    skin::MenuItem& items = m_aboutMenu->items();
    items.add(QStringLiteral("Visit Our Website"), [this] { runGuarded(this, [this] { visitOurWebsite(); }); })
        .name = QStringLiteral("visitOurWebsiteItem");
    items.addSeparator();
    items.add(QStringLiteral("About"), [this] { runGuarded(this, [this] { showAbout(); }); }).name
        = QStringLiteral("aboutItem");
    items.addSeparator();
    items.add(QStringLiteral("Save Report\u2026"), [this] { runGuarded(this, [this] { saveReport(); }); }).name
        = QStringLiteral("saveReportItem");
    addSkinMenu(items);
    m_aboutMenuOpener = std::make_unique<SkinPopupMenuOpener>(*m_aboutMenu);

    m_aboutMenuButton = new skin::SkinMenuSpeedButton(QStringLiteral("About"), m_statusBar);
    m_aboutMenuButton->setObjectName(QStringLiteral("aboutMenuButton"));
    m_aboutMenuButton->setFlat(true);
    m_aboutMenuButton->setUseSkinSize(false);
    m_aboutMenuButton->setDefaultFont(controlFont());
    m_aboutMenuButton->setGeometry(528, 2, 45, 18);
    m_aboutMenuButton->setPopupMenu(m_aboutMenuOpener.get());
    m_aboutMenuButton->setTabStop(true);

    // The progress and the verdict stand on the bar in the bar's own text
    // colour, which every skin makes readable on it.
    m_progressLabel = new skin::SkinStdLabel(QString(), m_statusBar);
    m_progressLabel->setObjectName(QStringLiteral("progressLabel"));
    m_progressLabel->setSkinDataName("statusbar");
    m_progressLabel->setDefaultFont(controlFont());
    m_progressLabel->setGeometry(8, 2, 512, 18);
    m_progressLabel->setSkinData(m_skinData.get());

    // The bar gives its registry to the "About" button as well.
    m_statusBar->setSkinData(m_skinData.get());
}

void MainWindow::addSkinMenu(skin::MenuItem& items)
{
    items.addSeparator();
    skin::MenuItem& skinMenu = items.add(QStringLiteral("Skin"));
    skinMenu.name = QStringLiteral("skinMenuItem");
    for (const QString& name : SkinChooser::builtInNames()) {
        skin::MenuItem& item = skinMenu.add(name.left(1).toUpper() + name.mid(1),
            [this, name] { runGuarded(this, [&] { chooseBuiltInSkin(name); }); });
        item.name = name + QStringLiteral("SkinItem");
        item.radioItem = true;
        m_builtInSkinItems.push_back(&item);
    }
    m_skinFileItem = &skinMenu.add(QString());
    m_skinFileItem->name = QStringLiteral("skinFileItem");
    m_skinFileItem->radioItem = true;
    skinMenu.addSeparator();
    skinMenu.add(QStringLiteral("Open Skin File\u2026"), [this] { runGuarded(this, [this] { openSkinFile(); }); }).name
        = QStringLiteral("openSkinFileItem");
    updateSkinMenu();
}

void MainWindow::updateSkinMenu()
{
    const QStringList names = SkinChooser::builtInNames();
    const bool file = m_skinChooser->currentIsFile();
    for (std::size_t i = 0; i < m_builtInSkinItems.size(); ++i)
        m_builtInSkinItems[i]->checked = !file && names.at(qsizetype(i)) == m_skinChooser->current();
    // The file in use is listed by its name, checked; choosing it again
    // reads it again.
    m_skinFileItem->visible = file;
    m_skinFileItem->checked = file;
    m_skinFileItem->caption = QFileInfo(m_skinChooser->current()).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"));
    m_skinFileItem->onClick = [this, path = m_skinChooser->current()] {
        runGuarded(this, [&] { chooseSkinFile(path); });
    };
}

void MainWindow::applySkinColours()
{
    if (!m_reportMemo || !m_messagesView || !m_bookQueueView || m_skinData->empty())
        return;
    const skin::SkinColors& colours = m_skinData->skinColors();
    const ReportTextView::Colours viewColours{
        .window = skin::qColorOf(colours.cWindow),
        .windowText = skin::qColorOf(colours.cWindowText),
        .highlight = skin::qColorOf(colours.cHighLight),
        .highlightText = skin::qColorOf(colours.cHighLightText),
        .face = skin::qColorOf(colours.cBtnFace),
        .faceText = skin::qColorOf(colours.cBtnText),
    };
    m_reportMemo->setColours(viewColours);
    m_messagesView->setColours(viewColours);
    m_bookQueueView->setColours(viewColours);
}

void MainWindow::chooseBuiltInSkin(const QString& name)
{
    QSettings settings = userSettings();
    m_skinChooser->chooseBuiltIn(name, settings);
    updateSkinMenu();
}

void MainWindow::openSkinFile()
{
    const QString folder = m_skinChooser->currentIsFile() ? QFileInfo(m_skinChooser->current()).absolutePath() : QString();
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Open Skin File"), folder,
        QStringLiteral("Skin files (*.skn);;All files (*)"));
    if (!file.isEmpty())
        chooseSkinFile(file);
}

void MainWindow::chooseSkinFile(const QString& path)
{
    QSettings settings = userSettings();
    m_skinChooser->chooseFile(path, settings);
    updateSkinMenu();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Every control keeps its design place; the status bar keeps itself
    // along the bottom edge across the full width.
    // The progress text fills the status bar up to the "About" button.
    m_progressLabel->setGeometry(8, 2, std::max(0, m_aboutMenuButton->x() - 16), 18);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        centreOnFirstShow();
        QTimer::singleShot(0, this, [this] { finishStart(); });
    }
}

void MainWindow::setWarmChecker(WarmChecker* warmChecker)
{
    m_check->setWarmChecker(warmChecker);
    m_bookQueue->setSharedWarmChecker(warmChecker);
}

void MainWindow::centreOnFirstShow()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - frameGeometry().translated(-pos()).center());
}

void MainWindow::browse()
{
    // The path shows the queue's chosen book: it is not for another one
    // while the queue is checking.
    if (m_bookQueue->running())
        throw Error(process::RunningMessage);
    // The report of a check still under way is left whole: the book chosen
    // now is only the next one to check.
    if (!checkRunning())
        clearReport();
    const QStringList files = QFileDialog::getOpenFileNames(this, QString(), QString(),
        QStringLiteral("ePUB Files(*.epub)"));
    if (files.size() > 1) {
        std::vector<std::string> books;
        for (const QString& file : files)
            books.push_back(file.toStdString());
        checkBooks(books);
    } else if (!files.isEmpty()) {
        showBookQueue(false);
        m_bookPathEdit->setText(files.first());
    }
}

void MainWindow::validate()
{
    // With a queue, the path is its chosen book: checked again there.
    if (!m_bookQueueView->isHidden() && m_shownQueuedBook) {
        m_bookQueue->checkAgain(*m_shownQueuedBook);
        return;
    }
    // Refused before anything changes: the check under way keeps its
    // report, its clock, its verdict and its comparison.
    refuseWhileChecking();
    m_check->start(m_bookPathEdit->text().toStdString());
}

void MainWindow::refuseWhileChecking() const
{
    if (checkRunning())
        throw Error(process::RunningMessage);
}

void MainWindow::checkBooks(const std::vector<std::string>& books)
{
    refuseWhileChecking();
    if (books.size() == 1) {
        showBookQueue(false);
        m_bookPathEdit->setText(QString::fromStdString(books.front()));
        validate();
        return;
    }
    if (books.empty())
        return;
    showBookQueue(true);
    setCursor(Qt::BusyCursor);
    m_bookQueue->checkBooks(books);
}

void MainWindow::createBookQueue()
{
    m_queueMenuOpener = std::make_unique<SkinContextMenuOpener>(m_frame.get(), m_skinData.get());
    m_bookQueueView->setMenuOpener(m_queueMenuOpener.get());
    m_bookQueueView->setOnCurrentChanged([this](std::size_t index) { showQueuedBook(index); });
    m_bookQueueView->setOnSaveAll([this] { saveAllReports(); });
    m_bookQueue->setHandlers({
        .bookChanged = [this](std::size_t index) { queuedBookChanged(index); },
        .listChanged = [this] { m_bookQueueView->listChanged(); },
        .allEnded = [this] {
            unsetCursor();
            m_progressLabel->setText(QString::fromStdString(m_bookQueue->summary()));
        },
    });
}

void MainWindow::showBookQueue(bool shown)
{
    if (shown == !m_bookQueueView->isHidden())
        return;
    QRect pages = reportPagesPlace;
    if (shown) {
        // Whole rows in the font the skin gives the list.
        const int height = m_bookQueueView->heightForRows(queueRows);
        m_bookQueueView->setGeometry(pages.x(), pages.y(), pages.width(), height);
        pages.setTop(pages.top() + height + queueGap);
    }
    m_bookQueueView->setVisible(shown);
    m_reportPages->setGeometry(pages);
    if (!shown) {
        m_shownQueuedBook.reset();
        m_progressLabel->clear();
    }
}

void MainWindow::showQueuedBook(std::size_t index)
{
    const QString book = QString::fromStdString(m_bookQueue->book(index).path);
    m_shownQueuedBook = index;
    m_bookPathEdit->setText(book);
    m_messagesView->setBook(book);
    clearReport();
    followQueuedReport();
}

void MainWindow::followQueuedReport()
{
    // Only what changed since the last time goes to the pages: a book being
    // checked streams into them a second at a time.
    const std::vector<std::string> lines = m_bookQueue->reportLines(*m_shownQueuedBook);
    report::Report& shown = m_check->report();
    const auto differ = std::mismatch(shown.lines().begin(), shown.lines().end(), lines.begin(), lines.end());
    const std::size_t kept = std::size_t(differ.first - shown.lines().begin());
    while (shown.lines().size() > kept)
        shown.removeLastLine();
    for (std::size_t line = kept; line < lines.size(); ++line)
        shown.appendLine(lines[line]);
}

void MainWindow::queuedBookChanged(std::size_t index)
{
    m_bookQueueView->bookChanged(index);
    if (m_shownQueuedBook == index)
        followQueuedReport();
    m_progressLabel->setText(QString::fromStdString(m_bookQueue->summary()));
}

void MainWindow::saveAllReports()
{
    if (m_bookQueueView->isHidden())
        return;
    if (m_bookQueue->running())
        throw Error("The reports can be saved once the checks have ended");
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Save All Reports"),
        QFileInfo(QString::fromStdString(m_bookQueue->book(0).path)).absolutePath());
    if (folder.isEmpty())
        return;
    const std::size_t saved = m_bookQueue->saveReports(folder.toStdString());
    m_progressLabel->setText(QStringLiteral("%1 reports saved in %2").arg(qulonglong(saved)).arg(folder));
}

void MainWindow::clearReport()
{
    m_check->clearReport();
}

void MainWindow::checkStarted(const std::string& book)
{
    m_checkedBookName = QFileInfo(QString::fromStdString(book)).fileName();
    m_messagesView->setBook(QString::fromStdString(book));
    m_checkRestarted = false;
    setCursor(Qt::BusyCursor);
}

void MainWindow::checkRestarted()
{
    // The report went blank and begins again: the bar says why.
    m_checkRestarted = true;
    showProgress(m_check->elapsed());
}

void MainWindow::showProgress(std::chrono::seconds elapsed)
{
    const QString book = m_checkedBookName.isEmpty() ? QStringLiteral("(no book)") : m_checkedBookName;
    const QString text = m_checkRestarted ? QStringLiteral("Checking %1 again, without the warm checker \u2014 %2 s")
                                          : QStringLiteral("Checking %1 \u2014 %2 s");
    m_progressLabel->setText(text.arg(book).arg(qint64(elapsed.count())));
}

void MainWindow::checkEnded(const std::string& verdict)
{
    unsetCursor();
    m_progressLabel->setText(QString::fromStdString(verdict));
}

void MainWindow::checkAbandoned()
{
    // No check runs any more and there is no verdict to give.
    unsetCursor();
    m_progressLabel->clear();
}

bool MainWindow::checkRunning() const
{
    return m_check->running() || m_bookQueue->running();
}

QString MainWindow::reportBook() const
{
    const std::optional<std::string> book = m_check->reportedBook();
    return book ? QString::fromStdString(*book) : m_bookPathEdit->text();
}

void MainWindow::visitOurWebsite()
{
    // The result is ignored: if no browser can open it, nothing is reported.
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(websiteAddress)));
}

void MainWindow::openBook(const QString& path)
{
    runGuarded(this, [&] {
        // A book dropped during a check does not even replace the path.
        refuseWhileChecking();
        const std::vector<std::string> books = collectBooks({path.toStdString()});
        if (books.empty())
            throw Error("There is no EPUB book in " + path.toStdString());
        checkBooks(books);
    });
}

void MainWindow::createShortcuts()
{
    auto add = [this](const QKeySequence& keys, void (MainWindow::*handler)()) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, handler] { runGuarded(this, [&] { (this->*handler)(); }); });
    };
    add(QKeySequence(Qt::CTRL | Qt::Key_O), &MainWindow::browse);
    add(QKeySequence(Qt::Key_F5), &MainWindow::validate);
    add(QKeySequence(Qt::CTRL | Qt::Key_S), &MainWindow::saveReport);
    add(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &MainWindow::saveAllReports);
}

namespace {

// The books among dropped addresses: local files, and the books in local
// folders; none unless at least one of them is there. A missing file among
// others is kept, so that the checker tells of it.
std::vector<std::string> droppedBooks(const QMimeData* data)
{
    if (!data->hasUrls())
        return {};
    std::vector<std::string> paths;
    bool anyThere = false;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo path(url.toLocalFile());
        anyThere = anyThere || path.isFile() || path.isDir();
        paths.push_back(url.toLocalFile().toStdString());
    }
    return anyThere ? collectBooks(paths) : std::vector<std::string>();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedBooks(event->mimeData()).empty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> books = droppedBooks(event->mimeData());
    if (books.empty())
        return;
    event->acceptProposedAction();
    // A book dropped during a check does not even replace the path.
    runGuarded(this, [&] { checkBooks(books); });
}

void MainWindow::saveReport()
{
    // Part of a report would be saved as if it were the whole of it.
    if (checkRunning())
        throw Error("The report can be saved once the check has ended");
    const QFileInfo book(reportBook());
    const QString proposed = book.fileName().isEmpty()
        ? QStringLiteral("report.txt")
        : book.absolutePath() + QLatin1Char('/') + book.completeBaseName() + QStringLiteral(".txt");
    const QString textType = QStringLiteral("Text files (*.txt)");
    const QString csvType = QStringLiteral("Messages as CSV (*.csv)");
    const QString jsonType = QStringLiteral("Messages as JSON (*.json)");
    QString chosenType = textType;
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Save Report"), proposed,
        textType + QStringLiteral(";;") + csvType + QStringLiteral(";;") + jsonType, &chosenType);
    if (file.isEmpty())
        return;
    const auto chosen = chosenType == csvType ? report::ReportFormat::Csv
        : chosenType == jsonType              ? report::ReportFormat::Json
                                              : report::ReportFormat::Text;
    writeReport(file, chosen);
}

QByteArray MainWindow::reportBytes(report::ReportFormat format) const
{
    const std::vector<std::string>& lines = m_check->report().lines();
    if (format == report::ReportFormat::Text) {
        QByteArray text = "Book: " + reportBook().toUtf8() + "\n";
        text += "Checked: " + QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + "\n\n";
        for (const std::string& line : lines)
            text += QByteArray::fromStdString(line) + '\n';
        return text;
    }
    report::MessageList messages;
    messages.setBookName(QFileInfo(reportBook()).fileName().toStdString());
    messages.follow(lines, 0);
    return QByteArray::fromStdString(format == report::ReportFormat::Csv
            ? report::messagesAsCsv(messages.messages())
            : report::messagesAsJson(reportBook().toStdString(), messages.messages()));
}

void MainWindow::writeReport(const QString& file, report::ReportFormat chosen) const
{
    // Written to a temporary file beside it and renamed into place: a
    // failure leaves no half-written report.
    QSaveFile out(file);
    const QByteArray text = reportBytes(report::reportFormatOf(file.toStdString(), chosen));
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
        throw Error("Cannot save the report to \"" + file.toStdString() + "\": " + out.errorString().toStdString());
}

void MainWindow::showAbout()
{
    if (!m_aboutWindow)
        return;
    m_aboutWindow->show();
    m_aboutWindow->raise();
    m_aboutWindow->activateWindow();
}

} // namespace tessaly::app
