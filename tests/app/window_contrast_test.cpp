// Every text the windows show is readable where it stands: in each built-in
// skin and each state a user meets (after a check with a verdict, while a
// check runs, the About window open over the main window, the main window
// inactive), every visible widget that shows text is grabbed with its text
// and without it, and the pixels the text changes are compared with what
// lay under them. Text needs 4.5 : 1, the caption of an inactive window
// 3 : 1; disabled text is exempt. The skins' own colours are checked
// elsewhere; this test sees what the user sees, so a widget that ignores
// the skin fails it.
#include "app/about_window.h"
#include "app/book_check.h"
#include "app/main_window.h"
#include "app/message_list_view.h"
#include "app/messages_view.h"
#include "app/report_pages.h"
#include "app/source_pane.h"
#include "app/report_view_feed.h"
#include "app/skin_chooser.h"
#include "platform/qt_main_thread.h"
#include "process/create_process.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_tab_control.h"
#include "window_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <sstream>
#include <vector>

namespace {

using tessaly::testing::programFolder;

using tessaly::app::AboutWindow;
using tessaly::app::MainWindow;
using tessaly::app::SkinChooser;
using tessaly::testing::StandInJava;


constexpr double kText = 4.5;
constexpr double kInactiveCaption = 3.0;

// ---- contrast ----------------------------------------------------------------

double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(QRgb p)
{
    return 0.2126 * channel(qRed(p)) + 0.7152 * channel(qGreen(p)) + 0.0722 * channel(qBlue(p));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast a reader gets from text: the glyphs' cores against what lies
// under them. Anti-aliased edges are paler by nature, so the figure is the
// 90th percentile of the pixels the text changes (their strongest tenth).
// nullopt when the text changes no pixel.
std::optional<double> textContrast(const QImage& withText, const QImage& withoutText)
{
    std::vector<double> changed;
    for (int y = 0; y < withText.height(); ++y)
        for (int x = 0; x < withText.width(); ++x)
            if (withText.pixel(x, y) != withoutText.pixel(x, y))
                changed.push_back(contrast(withText.pixel(x, y), withoutText.pixel(x, y)));
    if (changed.empty())
        return std::nullopt;
    auto at = changed.begin() + std::ptrdiff_t(changed.size() * 9 / 10);
    std::nth_element(changed.begin(), at, changed.end());
    return *at;
}

// ---- the widgets that show text ---------------------------------------------

// A widget's text, and how to set it (to take it away and give it back).
struct ShownText {
    QString text;
    std::function<void(const QString&)> set;
};

// What the widget shows as text; nullopt for widgets that show none of their
// own. A window shows its title in its caption.
std::optional<ShownText> shownText(QWidget* widget)
{
    if (widget->isWindow())
        return ShownText{widget->windowTitle(), [widget](const QString& t) { widget->setWindowTitle(t); }};
    if (auto* label = dynamic_cast<QLabel*>(widget))
        return ShownText{label->text(), [label](const QString& t) { label->setText(t); }};
    if (auto* button = dynamic_cast<tessaly::skin::SkinButtonBase*>(widget))
        return ShownText{button->text(), [button](const QString& t) { button->setText(t); }};
    if (auto* button = dynamic_cast<QAbstractButton*>(widget))
        return ShownText{button->text(), [button](const QString& t) { button->setText(t); }};
    if (auto* line = dynamic_cast<QLineEdit*>(widget))
        return ShownText{line->text(), [line](const QString& t) { line->setText(t); }};
    if (auto* tabs = dynamic_cast<tessaly::skin::SkinTabControl*>(widget)) {
        const QStringList captions = tabs->tabs();
        return ShownText{captions.join(QLatin1Char(' ')), [tabs, captions](const QString& t) {
                             tabs->setTabs(t.isEmpty() ? QStringList(captions.size(), QString()) : captions);
                         }};
    }
    // The list draws its rows and header itself: without text is with the
    // text in the colour under it (the record's colours set aside, with the
    // record's background).
    if (auto* list = dynamic_cast<tessaly::app::MessageListView*>(widget)) {
        const tessaly::app::ReportTextView::Colours drawn = list->colours();
        const tessaly::app::ReportTextView::Colours given = list->windowColours();
        const std::string record = list->skinDataName();
        return ShownText{QStringLiteral("%1 rows").arg(list->table().rows().size()),
                         [list, drawn, given, record](const QString& t) {
                             if (!t.isEmpty()) {
                                 list->setSkinDataName(record);
                                 list->changeSkinData();
                                 list->setColours(given);
                                 return;
                             }
                             tessaly::app::ReportTextView::Colours hidden = drawn;
                             hidden.windowText = hidden.window;
                             hidden.highlightText = hidden.highlight;
                             hidden.faceText = hidden.face;
                             list->setSkinDataName("(none)");
                             list->changeSkinData();
                             list->setColours(hidden);
                         }};
    }
    // The source pane: without text is without a message.
    if (auto* pane = dynamic_cast<tessaly::app::SourcePane*>(widget)) {
        auto* view = dynamic_cast<tessaly::app::MessagesView*>(pane->parentWidget());
        const std::optional<std::size_t> chosen = view ? view->list()->currentMessage() : std::nullopt;
        return ShownText{pane->spokenText(), [pane, view, chosen](const QString& t) {
                             pane->showMessage(t.isEmpty() || !chosen ? nullptr : &view->messages()[*chosen]);
                         }};
    }
    if (auto* memo = dynamic_cast<QPlainTextEdit*>(widget))
        return ShownText{memo->toPlainText(), [memo](const QString& t) { memo->setPlainText(t); }};
    return std::nullopt;
}

// The widget as it stands in its window: a control that leaves its
// background to its parents, grabbed alone, would stand on Qt's own grey.
QImage grabbed(QWidget* widget)
{
    QWidget* window = widget->window();
    const QRect place(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return window->grab(place).toImage().convertToFormat(QImage::Format_RGB32);
}

// The widget as it stands once it has stopped changing (a fade has run to
// its end).
QImage settled(QWidget* widget)
{
    QImage last = grabbed(widget);
    for (int i = 0; i < 40; ++i) {
        QTest::qWait(50);
        QImage now = grabbed(widget);
        if (now == last)
            return now;
        last = std::move(now);
    }
    return last;
}

QString describe(const QWidget* widget)
{
    const QString name = widget->objectName().isEmpty() ? QStringLiteral("(unnamed)") : widget->objectName();
    return QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ') + name;
}

// One text the user can see and the contrast it has.
struct Reading {
    QString widget;
    QString text;
    double contrast = 0;
    double needed = 0;
};

std::vector<Reading> readTexts(QWidget* window)
{
    std::vector<Reading> readings;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        // Windows owned by this one (the About window) are read on their own.
        if (widget->window() != window || !widget->isVisible() || !widget->isEnabled() || widget->width() <= 0
            || widget->height() <= 0)
            continue;
        const std::optional<ShownText> shown = shownText(widget);
        if (!shown || shown->text.trimmed().isEmpty())
            continue;
        const QImage withText = grabbed(widget);
        shown->set(QString());
        const QImage withoutText = grabbed(widget);
        shown->set(shown->text);
        const std::optional<double> measured = textContrast(withText, withoutText);
        const bool inactiveCaption = widget->isWindow() && !widget->isActiveWindow();
        readings.push_back({describe(widget), shown->text.left(40), measured.value_or(0),
                            inactiveCaption ? kInactiveCaption : kText});
    }
    return readings;
}

// ---- the scenes --------------------------------------------------------------

const char* const kCheckerOutput = "echo 'Validating using EPUB version 3.3 rules.'; "
                                   "echo 'ERROR(RSC-005): ./book.epub/EPUB/c1.xhtml(2,9): Error while parsing file'; "
                                   "echo 'ERROR(RSC-012): ./book.epub/EPUB/c1.xhtml(3,1): Fragment identifier is not defined.'; "
                                   "echo; echo 'Check finished with errors'; "
                                   "echo 'Messages: 0 fatals / 2 errors / 0 warnings / 0 infos'; echo; "
                                   "echo 'EPUBCheck completed'; exit 1";

std::vector<std::string> builtInSkinNames()
{
    std::vector<std::string> names;
    for (const QString& name : SkinChooser::builtInNames())
        names.push_back(name.toStdString());
    return names;
}

class WindowContrastTest : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_books.isValid());
        m_book = m_books.filePath(QStringLiteral("book.epub"));
        QFile book(m_book);
        ASSERT_TRUE(book.open(QIODevice::WriteOnly));
        m_window.setAboutWindow(&m_about);
        m_window.chooseBuiltInSkin(QString::fromStdString(GetParam()));
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    void startCheck()
    {
        m_window.bookPathEdit()->setText(m_book);
        m_window.validateButton()->click();
    }

    void checkToTheEnd()
    {
        const StandInJava java(kCheckerOutput);
        startCheck();
        ASSERT_TRUE(QTest::qWaitFor([this] {
            return m_window.bookCheck().checker().state() == tessaly::process::ProcessState::Ready
                && !m_window.reportFeed().hasPendingChanges();
        }));
        ASSERT_EQ(m_window.progressLabel()->text().toStdString(), "2 errors, 0 warnings");
    }

    void activate(QWidget& window)
    {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Every text of the windows meets its contrast.
    void expectReadable(std::initializer_list<QWidget*> windows, const char* scene)
    {
        std::ostringstream report;
        int texts = 0;
        for (QWidget* window : windows) {
            for (const Reading& r : readTexts(window)) {
                ++texts;
                report << "  " << r.widget.toStdString() << " \"" << r.text.toStdString() << "\": " << r.contrast
                       << " : 1 (needs " << r.needed << ")\n";
                EXPECT_GE(r.contrast, r.needed) << GetParam() << ", " << scene << ": "
                                                << r.widget.toStdString() << " \"" << r.text.toStdString() << "\"";
            }
        }
        EXPECT_GE(texts, 3) << "the scene shows texts to measure";
        RecordProperty(scene, report.str());
    }

    tessaly::testing::ScratchSettings m_settings;
    QTemporaryDir m_books;
    QString m_book;
    tessaly::platform::QtMainThread m_mainThread;
    MainWindow m_window{m_mainThread, programFolder};
    AboutWindow m_about{&m_window, &m_window.skinData()};
};

TEST_P(WindowContrastTest, AfterACheckWithAVerdict)
{
    checkToTheEnd();
    activate(m_window);
    expectReadable({&m_window}, "after a check");
}

TEST_P(WindowContrastTest, TheMessagesPageWithAMessageChosen)
{
    checkToTheEnd();
    tessaly::app::MessagesView* messages = m_window.messagesView();
    messages->flush();
    m_window.reportPages()->showPage(tessaly::app::ReportPages::MessagesPage);
    messages->setGrouping(tessaly::report::MessageGrouping::File);
    ASSERT_EQ(messages->messages().size(), 2u);
    messages->list()->setCurrentMessage(1);
    activate(m_window);
    messages->list()->setFocus();
    expectReadable({&m_window}, "the messages page");
}

TEST_P(WindowContrastTest, WhileACheckRuns)
{
    const StandInJava java("echo 'Validating using EPUB version 3.3 rules.'; exec sleep 60");
    startCheck();
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_window.reportMemo()->toPlainText().contains("Validating"); }));
    ASSERT_TRUE(m_window.progressLabel()->text().startsWith(QStringLiteral("Checking book.epub")));
    activate(m_window);
    expectReadable({&m_window}, "while checking");
}

TEST_P(WindowContrastTest, AboutOpenOverTheMainWindow)
{
    checkToTheEnd();
    m_window.showAbout();
    activate(m_about);
    expectReadable({&m_about, &m_window}, "About over the main window");
}

TEST_P(WindowContrastTest, MainWindowInactive)
{
    checkToTheEnd();
    QWidget other;
    other.resize(100, 100);
    other.show();
    activate(other);
    ASSERT_FALSE(m_window.isActiveWindow());
    expectReadable({&m_window}, "main window inactive");
}

// The mark that shows which control has the keyboard: walked with Tab from
// the path field, each control that takes the focus is grabbed without and
// with it; what the focus changes must stand out from what was there by
// 3 : 1.
TEST_P(WindowContrastTest, FocusIsVisibleOnEveryControlTabReaches)
{
    activate(m_window);
    m_window.bookPathEdit()->lineEdit()->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> reached;
    for (QWidget* at = QApplication::focusWidget(); at && reached.size() < 12;) {
        reached.push_back(at);
        QTest::keyClick(at, Qt::Key_Tab);
        at = QApplication::focusWidget();
        if (at == reached.front())
            break;
    }
    ASSERT_GE(reached.size(), 5u) << "the path, Browse, Validate, the report and the menu button";
    for (QWidget* control : reached) {
        SCOPED_TRACE(describe(control).toStdString());
        if (auto* line = dynamic_cast<QLineEdit*>(control)) {
            // A text field's mark is its caret; it blinks, so it is not grabbed.
            EXPECT_TRUE(line->hasAcceptableInput() || line->isReadOnly());
            continue;
        }
        // Each change of focus may start a short cross-fade: the pictures
        // are taken once the control has settled.
        reached.front()->setFocus(Qt::TabFocusReason);
        const QImage before = settled(control);
        control->setFocus(Qt::TabFocusReason);
        const QImage after = settled(control);
        const std::optional<double> mark = textContrast(after, before);
        ASSERT_TRUE(mark.has_value()) << GetParam() << ": the focus shows nowhere";
        EXPECT_GE(*mark, 3.0) << GetParam();
    }
}

INSTANTIATE_TEST_SUITE_P(BuiltInSkins, WindowContrastTest, testing::ValuesIn(builtInSkinNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

} // namespace
