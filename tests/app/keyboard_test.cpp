// The main window without a pointer: Tab reaches every control in the
// order they stand, F10 or Alt alone opens the status bar's menu, Escape
// closes what is open, and the buttons take Space.

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/messages_view.h"
#include "app/report_pages.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_tab_control.h"
#include "platform/qt_main_thread.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_menu_speed_button.h"
#include "skin/controls/skin_speed_button.h"
#include "window_test_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace tessaly {
namespace {

using tessaly::testing::programFolder;

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window.setAboutWindow(&m_about);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_window.bookPathEdit()->lineEdit()->setFocus(Qt::TabFocusReason);
    }
    void TearDown() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        QApplication::processEvents();
    }

    QWidget* focus() const { return QApplication::focusWidget(); }
    // The widgets' names (or their parents', for unnamed parts), for failures.
    static std::string names(const std::vector<QWidget*>& widgets)
    {
        std::string text;
        for (QWidget* w : widgets) {
            QWidget* named = w;
            while (named && named->objectName().isEmpty())
                named = named->parentWidget();
            text += (named ? named->objectName().toStdString() : std::string("(none)")) + " ";
        }
        return text;
    }
    bool menuOpen() const { return m_window.aboutMenuButton()->menuTracked(); }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focus() ? focus() : &m_window, Qt::Key(key), modifiers);
    }

    tessaly::testing::ScratchSettings m_settings;
    platform::QtMainThread m_mainThread;
    app::MainWindow m_window{m_mainThread, programFolder};
    app::AboutWindow m_about{&m_window, &m_window.skinData()};
};

TEST_F(KeyboardTest, TabReachesEveryControlInTheOrderTheyStandAndComesBack)
{
    const std::vector<QWidget*> expected = {
        m_window.bookPathEdit()->lineEdit(), m_window.browseButton(), m_window.validateButton(),
        m_window.reportPages()->tabs(), m_window.reportPages()->findEdit()->lineEdit(),
        m_window.reportMemo(), m_window.aboutMenuButton(), m_window.bookPathEdit()->lineEdit()};
    std::vector<QWidget*> reached = {focus()};
    for (std::size_t i = 1; i < expected.size(); ++i) {
        press(Qt::Key_Tab);
        reached.push_back(focus());
    }
    EXPECT_EQ(reached, expected) << names(reached) << " / " << names(expected);
    press(Qt::Key_Backtab);
    EXPECT_EQ(focus(), m_window.aboutMenuButton()) << "Shift+Tab goes back";
}

TEST_F(KeyboardTest, OnTheMessagesPageTabReachesItsTogglesItsGroupingAndItsList)
{
    m_window.reportPages()->tabs()->setFocus();
    press(Qt::Key_Right); // the messages page
    ASSERT_EQ(m_window.reportPages()->currentPage(), app::ReportPages::MessagesPage);
    app::MessagesView* messages = m_window.messagesView();
    std::vector<QWidget*> expected = {m_window.reportPages()->findEdit()->lineEdit()};
    for (QWidget* stop : messages->tabStops())
        expected.push_back(stop);
    expected.push_back(m_window.aboutMenuButton());
    std::vector<QWidget*> reached;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        press(Qt::Key_Tab);
        reached.push_back(focus());
    }
    EXPECT_EQ(reached, expected) << names(reached) << " / " << names(expected);
}

TEST_F(KeyboardTest, F10OpensTheStatusBarMenuAndEscapeClosesIt)
{
    press(Qt::Key_F10);
    ASSERT_TRUE(QTest::qWaitFor([this] { return menuOpen(); }, 2000));
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !menuOpen(); }, 2000));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(KeyboardTest, AltAloneOpensTheMenuButAltWithAnotherKeyDoesNot)
{
    QWidget* at = focus();
    QTest::keyPress(at, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(at, Qt::Key_X, Qt::AltModifier);
    QTest::keyRelease(at, Qt::Key_Alt, Qt::NoModifier);
    QApplication::processEvents();
    EXPECT_FALSE(menuOpen()) << "Alt held for a shortcut";

    QTest::keyPress(at, Qt::Key_Alt, Qt::AltModifier);
    QTest::mousePress(m_window.reportMemo()->viewport(), Qt::LeftButton);
    QTest::mouseRelease(m_window.reportMemo()->viewport(), Qt::LeftButton);
    QTest::keyRelease(focus(), Qt::Key_Alt, Qt::NoModifier);
    QApplication::processEvents();
    EXPECT_FALSE(menuOpen()) << "a click came between";

    QTest::keyPress(focus(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(focus(), Qt::Key_Alt, Qt::NoModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return menuOpen(); }, 2000));
}

TEST_F(KeyboardTest, SpaceOnTheFocusedMenuButtonOpensItsMenu)
{
    m_window.aboutMenuButton()->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([this] { return menuOpen(); }, 2000));
}

TEST_F(KeyboardTest, EscapeClosesTheAboutWindow)
{
    m_about.show();
    m_about.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_about));
    QTest::keyClick(&m_about, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_about.isVisible(); }, 2000));
}

} // namespace
} // namespace tessaly
