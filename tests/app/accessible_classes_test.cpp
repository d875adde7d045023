// Every widget class of the program speaks to assistive tools. The test
// finds the classes by reading the program's headers: each class that
// derives, directly or through others of ours, from a Qt widget class. Each
// must have a row in the table below that makes one and names the role its
// accessible interface must have, so a new widget class without an
// interface (Qt's generic "client") or without a row fails here.

#include "app/about_window.h"
#include "app/app_accessibility.h"
#include "app/book_queue_view.h"
#include "app/message_list_view.h"
#include "app/messages_view.h"
#include "app/report_pages.h"
#include "app/source_pane.h"
#include "app/logo_label.h"
#include "app/main_window.h"
#include "app/report_text_view.h"
#include "app/skin_preview_window.h"
#include "platform/qt_main_thread.h"
#include "skin/controls/control_accessibility.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_link_label.h"
#include "skin/controls/skin_menu_speed_button.h"
#include "skin/controls/skin_panel.h"
#include "skin/controls/skin_speed_button.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/controls/skin_std_label.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/controls/skin_tab_control.h"
#include "skin/controls/skin_toggle_button.h"
#include "skin/frame/form_layer_window.h"
#include "skin/frame/frame_accessibility.h"
#include "skin/frame/layer_manager.h"
#include "skin/menus/drop_shadow.h"
#include "skin/menus/menu_accessibility.h"
#include "skin/menus/skin_hint_window.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_menu.h"
#include "skin/menus/skin_popup_window.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>

namespace tessaly {
namespace {

using tessaly::testing::programFolder;

// Qt's widget classes our classes derive from.
const std::set<QString> kQtWidgetClasses = {
    QStringLiteral("QWidget"), QStringLiteral("QLabel"), QStringLiteral("QLineEdit"),
    QStringLiteral("QPlainTextEdit"), QStringLiteral("QTextEdit"), QStringLiteral("QFrame"),
    QStringLiteral("QAbstractButton"), QStringLiteral("QAbstractScrollArea"), QStringLiteral("QAbstractItemView"),
    QStringLiteral("QTreeView"), QStringLiteral("QListView"), QStringLiteral("QTabBar"), QStringLiteral("QScrollBar"),
};

// The widget classes declared in the program's headers.
std::set<QString> widgetClassesOfTheProgram()
{
    static const QRegularExpression declaration(
        QStringLiteral(R"(^\s*class\s+(\w+)\s*(?:final\s*)?:\s*public\s+(?:\w+::)*(\w+))"),
        QRegularExpression::MultilineOption);
    std::map<QString, QString> baseOf;
    QDirIterator headers(QStringLiteral(TESSALY_SOURCE_DIR "/src"), {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                         QDir::Files, QDirIterator::Subdirectories);
    while (headers.hasNext()) {
        QFile file(headers.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = declaration.globalMatch(text); match.hasNext();) {
            const auto m = match.next();
            baseOf[m.captured(1)] = m.captured(2);
        }
    }
    std::set<QString> widgets;
    for (const auto& [name, base] : baseOf) {
        QString at = base;
        for (int depth = 0; depth < 16 && !kQtWidgetClasses.count(at) && baseOf.count(at); ++depth)
            at = baseOf[at];
        if (kQtWidgetClasses.count(at))
            widgets.insert(name);
    }
    return widgets;
}

class AccessibleClasses : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        skin::installControlAccessibility();
        skin::installMenuAccessibility();
        skin::installFrameAccessibility();
        app::installAppAccessibility();
    }

    // One widget class: how to make one (null for a base class that only
    // its subclasses make), the role it must have, and whether a reader
    // must hear a name.
    struct Row {
        std::function<QWidget*()> make;
        QAccessible::Role role;
        bool named;
    };

    std::map<QString, Row> table()
    {
        auto parent = [this] { return &m_parent; };
        auto owned = [this](QWidget* w) {
            m_keep.emplace_back(w);
            return w;
        };
        return {
            {QStringLiteral("SkinControl"), {nullptr, QAccessible::NoRole, false}},
            {QStringLiteral("SkinButtonBase"), {nullptr, QAccessible::NoRole, false}},
            {QStringLiteral("FramelessWindow"), {nullptr, QAccessible::NoRole, false}},
            {QStringLiteral("SkinButton"),
             {[=, this] { return new skin::SkinButton(QStringLiteral("&Go"), parent()); }, QAccessible::PushButton, true}},
            {QStringLiteral("SkinSpeedButton"),
             {[=, this] { return new skin::SkinSpeedButton(QStringLiteral("Tool"), parent()); }, QAccessible::PushButton,
              true}},
            {QStringLiteral("SkinMenuSpeedButton"),
             {[=, this] { return new skin::SkinMenuSpeedButton(QStringLiteral("Menu"), parent()); },
              QAccessible::ButtonMenu, true}},
            {QStringLiteral("SkinStatusBar"),
             {[=, this] { return new skin::SkinStatusBar(parent()); }, QAccessible::StatusBar, false}},
            {QStringLiteral("SkinPanel"),
             {[=, this] {
                  auto* panel = new skin::SkinPanel(parent());
                  panel->setText(QStringLiteral("Options"));
                  return panel;
              },
              QAccessible::Grouping, true}},
            {QStringLiteral("SkinEdit"), {[=, this] { return editNamed(parent()); }, QAccessible::Grouping, true}},
            {QStringLiteral("EditLine"),
             {[=, this] { return editNamed(parent())->lineEdit(); }, QAccessible::EditableText, true}},
            {QStringLiteral("SkinLinkLabel"),
             {[=, this] { return new skin::SkinLinkLabel(QStringLiteral("Site"), parent()); }, QAccessible::Link, true}},
            {QStringLiteral("SkinStdLabel"),
             {[=, this] { return new skin::SkinStdLabel(QStringLiteral("Words"), parent()); }, QAccessible::StaticText,
              true}},
            {QStringLiteral("SkinHintWindow"),
             {[=, this] { return owned(new skin::SkinHintWindow()); }, QAccessible::ToolTip, false}},
            {QStringLiteral("SkinPopupWindow"), {[=, this] { return openPopup(); }, QAccessible::PopupMenu, true}},
            {QStringLiteral("DropShadowWindow"),
             {[=, this] { return owned(new skin::DropShadowWindow()); }, QAccessible::Border, false}},
            {QStringLiteral("LayerWindow"),
             {[=, this] { return owned(new skin::LayerWindow()); }, QAccessible::Border, false}},
            {QStringLiteral("FormLayerWindow"),
             {[=, this] { return owned(new skin::FormLayerWindow(nullptr, skin::FormLayerBorderType::Top, false, false)); },
              QAccessible::Border, false}},
            {QStringLiteral("LogoLabel"),
             {[=, this] { return new app::LogoLabel(QImage(8, 8, QImage::Format_ARGB32), parent()); },
              QAccessible::Graphic, true}},
            {QStringLiteral("ReportTextView"),
             {[=, this] {
                  auto* view = new app::ReportTextView(parent());
                  view->setAccessibleName(QStringLiteral("Report"));
                  return view;
              },
              QAccessible::EditableText, true}},
            {QStringLiteral("SkinTabControl"),
             {[=, this] {
                  auto* tabs = new skin::SkinTabControl(parent());
                  tabs->setAccessibleName(QStringLiteral("Pages"));
                  return tabs;
              },
              QAccessible::PageTabList, true}},
            {QStringLiteral("SkinScrollBar"),
             {[=, this] { return new skin::SkinScrollBar(parent()); }, QAccessible::ScrollBar, false}},
            {QStringLiteral("SkinToggleButton"),
             {[=, this] { return new skin::SkinToggleButton(QStringLiteral("Errors 3"), parent()); },
              QAccessible::PushButton, true}},
            {QStringLiteral("MessageListView"),
             {[this] { return static_cast<app::MainWindow*>(mainWindow())->messagesView()->list(); }, QAccessible::List, true}},
            {QStringLiteral("BookQueueView"),
             {[this] { return static_cast<app::MainWindow*>(mainWindow())->bookQueueView(); }, QAccessible::List, true}},
            {QStringLiteral("MessagesView"),
             {[=, this] { return static_cast<app::MainWindow*>(mainWindow())->messagesView(); }, QAccessible::Grouping, true}},
            {QStringLiteral("SourcePane"),
             {[=, this] { return static_cast<app::MainWindow*>(mainWindow())->messagesView()->sourcePane(); },
              QAccessible::StaticText, true}},
            {QStringLiteral("ReportPages"),
             {[=, this] { return static_cast<app::MainWindow*>(mainWindow())->reportPages(); }, QAccessible::Grouping, true}},
            {QStringLiteral("MainWindow"), {[=, this] { return mainWindow(); }, QAccessible::Window, true}},
            {QStringLiteral("AboutWindow"), {[=, this] { return aboutWindow(); }, QAccessible::Window, true}},
            {QStringLiteral("SkinPreviewWindow"),
             {[=, this] { return owned(new app::SkinPreviewWindow(QStringLiteral(TESSALY_SOURCE_DIR "/skins/pewter"))); },
              QAccessible::Window, true}},
        };
    }

    skin::SkinEdit* editNamed(QWidget* parent)
    {
        auto* edit = new skin::SkinEdit(parent);
        edit->lineEdit()->setAccessibleName(QStringLiteral("Path"));
        return edit;
    }
    QWidget* openPopup()
    {
        m_menu.items().add(QStringLiteral("Item"));
        m_menu.engine().setWorkArea(skin::Rect{0, 0, 800, 600});
        m_menu.popupFromRect({10, 10, 50, 30}, false);
        return m_menu.engine().window(0);
    }
    QWidget* mainWindow()
    {
        if (!m_main)
            m_main = std::make_unique<app::MainWindow>(m_mainThread, programFolder);
        return m_main.get();
    }
    QWidget* aboutWindow()
    {
        if (!m_about) {
            QWidget* main = mainWindow();
            m_about = std::make_unique<app::AboutWindow>(main, &m_main->skinData());
        }
        return m_about.get();
    }

    QWidget m_parent;
    std::vector<std::unique_ptr<QWidget>> m_keep;
    skin::SkinPopupMenu m_menu;
    platform::QtMainThread m_mainThread;
    std::unique_ptr<app::MainWindow> m_main;
    std::unique_ptr<app::AboutWindow> m_about;
};

TEST_F(AccessibleClasses, EveryWidgetClassOfTheProgramHasARow)
{
    const std::set<QString> found = widgetClassesOfTheProgram();
    ASSERT_GT(found.size(), 10u) << "the headers were not read";
    const auto rows = table();
    for (const QString& name : found)
        EXPECT_TRUE(rows.count(name)) << name.toStdString() << " is a widget class without a row here";
    for (const auto& [name, row] : rows)
        EXPECT_TRUE(found.count(name)) << name.toStdString() << " has a row but is no widget class of the program";
}

TEST_F(AccessibleClasses, EachSpeaksWithItsRoleAndName)
{
    for (const auto& [name, row] : table()) {
        if (!row.make)
            continue;
        SCOPED_TRACE(name.toStdString());
        QWidget* widget = row.make();
        ASSERT_NE(widget, nullptr);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(face, nullptr);
        EXPECT_NE(face->role(), QAccessible::Client) << "Qt's generic interface";
        EXPECT_EQ(face->role(), row.role);
        if (row.named) {
            EXPECT_FALSE(face->text(QAccessible::Name).isEmpty());
        }
    }
}

} // namespace
} // namespace tessaly
