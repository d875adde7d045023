// The skinned edit: the read-only rules, the context menu's items and
// where it opens, the hot look, the frame against the record and the
// height rule.

#include "pewter_fixture.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "skin/paint/bitmap_canvas.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>

#include <functional>

namespace tessaly::skin::test {
namespace {

const QString path = QStringLiteral("/home/reader/Books/sample.epub");

struct Field {
    QWidget window;
    SkinEdit* edit;
    Field()
    {
        window.resize(460, 60);
        edit = new SkinEdit(&window);
        edit->setGeometry(8, 10, 433, 18);
        edit->setSkinData(&pewter());
        edit->setReadOnly(true);
        edit->setText(path);
    }
    QLineEdit& line() { return *edit->lineEdit(); }
};

void sendKey(QWidget& w, int key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {})
{
    QTest::keyClick(&w, Qt::Key(key), modifiers);
    (void)text;
}

struct Attempt {
    const char* name;
    std::function<void(Field&)> act;
};

TEST(SkinEditReadOnly, NoInputChangesTheText)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    QGuiApplication::clipboard()->setText(QStringLiteral("selected"), QClipboard::Selection);
    const Attempt attempts[] = {
        {"typing", [](Field& f) { QTest::keyClicks(&f.line(), QStringLiteral("abc")); }},
        {"Backspace",
         [](Field& f) {
             f.line().end(false);
             sendKey(f.line(), Qt::Key_Backspace);
         }},
        {"Delete",
         [](Field& f) {
             f.line().home(false);
             sendKey(f.line(), Qt::Key_Delete);
         }},
        {"Ctrl+X on a selection",
         [](Field& f) {
             f.line().selectAll();
             sendKey(f.line(), Qt::Key_X, Qt::ControlModifier);
         }},
        {"Ctrl+V", [](Field& f) { sendKey(f.line(), Qt::Key_V, Qt::ControlModifier); }},
        {"Shift+Insert", [](Field& f) { sendKey(f.line(), Qt::Key_Insert, Qt::ShiftModifier); }},
        {"Shift+Delete on a selection",
         [](Field& f) {
             f.line().selectAll();
             sendKey(f.line(), Qt::Key_Delete, Qt::ShiftModifier);
         }},
        {"Ctrl+K", [](Field& f) { sendKey(f.line(), Qt::Key_K, Qt::ControlModifier); }},
        {"Ctrl+Z", [](Field& f) { sendKey(f.line(), Qt::Key_Z, Qt::ControlModifier); }},
        {"Enter", [](Field& f) { sendKey(f.line(), Qt::Key_Return); }},
        {"cut()",
         [](Field& f) {
             f.line().selectAll();
             f.line().cut();
         }},
        {"paste()", [](Field& f) { f.line().paste(); }},
        {"insert()", [](Field& f) { f.line().insert(QStringLiteral("x")); }},
        {"del()",
         [](Field& f) {
             f.line().selectAll();
             f.line().del();
         }},
        {"middle-click paste",
         [](Field& f) {
             QTest::mouseClick(&f.line(), Qt::MiddleButton, {}, QPoint(5, 5));
         }},
        {"drop",
         [](Field& f) {
             QMimeData data;
             data.setText(QStringLiteral("dropped"));
             QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
             QCoreApplication::sendEvent(&f.line(), &drop);
         }},
        {"input method",
         [](Field& f) {
             QInputMethodEvent event;
             event.setCommitString(QStringLiteral("ime"));
             QCoreApplication::sendEvent(&f.line(), &event);
         }},
    };
    for (const Attempt& a : attempts) {
        SCOPED_TRACE(a.name);
        Field f;
        a.act(f);
        EXPECT_EQ(f.edit->text(), path);
    }
    // The same inputs do change a field that is not read-only.
    Field writable;
    writable.edit->setReadOnly(false);
    QTest::keyClicks(&writable.line(), QStringLiteral("abc"));
    EXPECT_NE(writable.edit->text(), path);
}

TEST(SkinEditReadOnly, CaretMovesSelectionCopyAndSelectAllWork)
{
    Field f;
    f.line().setCursorPosition(0);
    sendKey(f.line(), Qt::Key_Right);
    sendKey(f.line(), Qt::Key_Right);
    EXPECT_EQ(f.line().cursorPosition(), 2);
    sendKey(f.line(), Qt::Key_End);
    EXPECT_EQ(f.line().cursorPosition(), path.size());
    sendKey(f.line(), Qt::Key_Left, Qt::ShiftModifier);
    sendKey(f.line(), Qt::Key_Left, Qt::ShiftModifier);
    sendKey(f.line(), Qt::Key_Left, Qt::ShiftModifier);
    sendKey(f.line(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(f.line().selectedText(), QStringLiteral("epub"));
    QGuiApplication::clipboard()->clear();
    sendKey(f.line(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("epub"));
    sendKey(f.line(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(f.line().selectedText(), path);
    // The line's own read-only mode (which hides the caret) stays off.
    EXPECT_FALSE(f.line().isReadOnly());
}

class FakeContextMenu : public ContextMenuOpener {
public:
    void popup(QWidget*, const QPoint& at, std::vector<MenuCommand> items) override
    {
        ++opened;
        openedAt = at;
        commands = std::move(items);
    }
    bool enabled(const QString& caption) const
    {
        for (const MenuCommand& c : commands)
            if (c.caption == caption)
                return c.enabled;
        ADD_FAILURE() << caption.toStdString() << " missing";
        return false;
    }
    void run(const QString& caption)
    {
        for (const MenuCommand& c : commands)
            if (c.caption == caption && c.enabled && c.run)
                c.run();
    }
    int opened = 0;
    QPoint openedAt;
    std::vector<MenuCommand> commands;
};

struct MenuCase {
    const char* name;
    bool readOnly;
    QString text;
    std::function<void(QLineEdit&)> select;
    bool clipboard;
    // Undo, Cut, Copy, Paste, Delete, Select All
    bool expected[6];
};

TEST(SkinEditContextMenu, ItemsAreEnabledByTheFieldsState)
{
    auto none = [](QLineEdit& l) { l.deselect(); };
    auto some = [](QLineEdit& l) { l.setSelection(0, 3); };
    auto all = [](QLineEdit& l) { l.selectAll(); };
    const MenuCase cases[] = {
        {"read-only, nothing selected", true, path, none, true, {false, false, false, false, false, true}},
        {"read-only, part selected", true, path, some, true, {false, false, true, false, false, true}},
        {"read-only, all selected", true, path, all, true, {false, false, true, false, false, false}},
        {"read-only, empty", true, QString(), none, true, {false, false, false, false, false, false}},
        {"writable, part selected", false, path, some, true, {false, true, true, true, true, true}},
        {"writable, empty clipboard", false, path, none, false, {false, false, false, false, false, true}},
    };
    const QString captions[] = {"Undo", "Cut", "Copy", "Paste", "Delete", "Select All"};
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.clipboard)
            QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
        else
            QGuiApplication::clipboard()->clear();
        Field f;
        FakeContextMenu menu;
        f.edit->setContextMenuOpener(&menu);
        f.edit->setReadOnly(c.readOnly);
        f.edit->setText(c.text);
        c.select(f.line());
        f.edit->showContextMenu(QPoint(50, 60), false);
        ASSERT_EQ(menu.opened, 1);
        ASSERT_EQ(menu.commands.size(), 8u);
        EXPECT_TRUE(menu.commands[1].isSeparator());
        EXPECT_TRUE(menu.commands[6].isSeparator());
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(menu.enabled(captions[i]), c.expected[i]) << captions[i].toStdString();
    }
}

TEST(SkinEditContextMenu, CopyAndSelectAllWorkOnAReadOnlyField)
{
    Field f;
    FakeContextMenu menu;
    f.edit->setContextMenuOpener(&menu);
    f.edit->showContextMenu({}, false);
    menu.run(QStringLiteral("Select All"));
    EXPECT_EQ(f.line().selectedText(), path);
    f.line().setSelection(0, 5);
    QGuiApplication::clipboard()->clear();
    f.edit->showContextMenu({}, false);
    menu.run(QStringLiteral("Copy"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), path.left(5));
}

TEST(SkinEditContextMenu, OpensAtThePointerOrFromTheKeyboardAtTheCentre)
{
    Field f;
    FakeContextMenu menu;
    f.edit->setContextMenuOpener(&menu);
    QContextMenuEvent mouse(QContextMenuEvent::Mouse, QPoint(3, 4), QPoint(123, 456));
    QCoreApplication::sendEvent(&f.line(), &mouse);
    EXPECT_EQ(menu.openedAt, QPoint(123, 456));
    const QPoint centre = f.edit->mapToGlobal(f.edit->rect().center());
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
    QCoreApplication::sendEvent(&f.line(), &keyboard);
    EXPECT_EQ(menu.openedAt, centre);
    sendKey(f.line(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(menu.opened, 3);
    EXPECT_EQ(menu.openedAt, centre);
}

TEST(SkinEditContextMenu, RightClickKeepsTheSelectionForCopy)
{
    Field f;
    FakeContextMenu menu;
    f.edit->setContextMenuOpener(&menu);
    f.window.show();
    f.line().setSelection(0, 5);
    QTest::mousePress(&f.line(), Qt::RightButton, {}, QPoint(100, 5));
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(100, 5), f.line().mapToGlobal(QPoint(100, 5)));
    QCoreApplication::sendEvent(&f.line(), &request);
    QTest::mouseRelease(&f.line(), Qt::RightButton, {}, QPoint(100, 5));
    ASSERT_EQ(menu.opened, 1);
    EXPECT_TRUE(menu.enabled(QStringLiteral("Copy")));
    EXPECT_EQ(f.line().selectedText(), path.left(5));
}

TEST(SkinEditLook, FrameIsTheRecordAndHotWhileHoveredOrFocused)
{
    const auto& r = recordOf<DataSkinEditControl>("edit");
    Field f;
    // The record decides the height.
    EXPECT_EQ(f.edit->height(), r.skinRect.height());
    f.edit->setText(QString());
    const QRect text = f.edit->editRect();
    const QRegion frame = QRegion(f.edit->rect()).subtracted(text);
    auto frameDiff = [&](const Rect& source) {
        const Bitmap expected = rowFace(r, source, f.edit->width());
        int n = 0;
        for (const QRect& part : frame)
            n += differingPixels(grabbed(*f.edit), expected, part);
        return n;
    };
    EXPECT_EQ(frameDiff(r.skinRect), 0);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(f.edit, &enter);
    EXPECT_TRUE(f.edit->isHot());
    EXPECT_EQ(frameDiff(r.activeSkinRect), 0);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(f.edit, &leave);
    EXPECT_EQ(frameDiff(r.skinRect), 0);
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&f.line(), &focus);
    EXPECT_EQ(frameDiff(r.activeSkinRect), 0);
    EXPECT_EQ(f.line().palette().color(QPalette::Text), qColorOf(r.activeFontColor));
    // A popup borrowing the focus keeps the hot look.
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(&f.line(), &popup);
    EXPECT_TRUE(f.edit->isHot());
}

TEST(SkinEditLook, WithoutRecordATwoPixelFrameAndTheDefaultColour)
{
    QWidget window;
    auto* edit = new SkinEdit(&window);
    edit->setSkinDataName("no such record");
    edit->setSkinData(&pewter());
    edit->setGeometry(0, 0, 100, 24);
    EXPECT_EQ(edit->height(), 24);
    EXPECT_EQ(edit->editRect(), QRect(2, 2, 96, 20));
    const QImage image = grabbed(*edit);
    EXPECT_EQ(image.pixel(0, 0), qColorOf(systemColorValue(SystemColor::BtnShadow)).rgb());
    EXPECT_EQ(image.pixel(1, 1), qColorOf(systemColorValue(SystemColor::BtnFace)).rgb());
}

TEST(SkinEditKeys, EnterClicksTheWindowsDefaultButtonOnce)
{
    Field f;
    auto* button = new SkinButton(QStringLiteral("Validate"), &f.window);
    int clicks = 0;
    button->setOnClick([&] { ++clicks; });
    sendKey(f.line(), Qt::Key_Return);
    EXPECT_EQ(clicks, 0);
    button->setDefault(true);
    f.window.show();
    sendKey(f.line(), Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(f.edit->text(), path);
}

} // namespace
} // namespace tessaly::skin::test
