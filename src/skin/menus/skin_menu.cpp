#include "skin/menus/skin_menu.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTimerEvent>
#include <QWidget>

#include "skin/data/skin_data.h"
#include "skin/menus/menu_events.h"
#include "skin/menus/skin_popup_window.h"
#include "skin/paint/bitmap_canvas.h"
#include "platform/qt_geometry.h"

namespace tessaly::skin {

namespace {

constexpr int kSubMenuDelay = 500;
constexpr int kPointerPoll = 50;
// Closed windows kept for reuse: enough for a menu with two sub-levels.
constexpr std::size_t kSpareWindows = 3;

// The one open menu of the program.
QPointer<SkinMenu> openMenu;

void notify(QObject* control, QEvent::Type type)
{
    if (!control)
        return;
    QEvent event(type);
    QCoreApplication::sendEvent(control, &event);
}

} // namespace

SkinMenu::SkinMenu(QWidget* form, MenuFrame* frame)
    : m_form(form)
    , m_frame(frame)
{
}

SkinMenu::~SkinMenu()
{
    // Closing tells the control. The engine may go from inside a command
    // that a window's handler runs: windows are deleted later.
    closeFrom(0);
    for (const QPointer<SkinPopupWindow>& window : m_spareWindows)
        if (window)
            window->deleteLater();
}

const QFont& SkinMenu::font(const Font& font)
{
    for (const auto& [key, made] : m_fonts)
        if (key == font)
            return made;
    m_fonts.emplace_back(font, fontOf(font));
    return m_fonts.back().second;
}

int SkinMenu::textWidth(const QFont& font, const QString& text)
{
    // Menus show the same few captions again and again: measuring them is
    // the larger part of opening a menu.
    const QString key = font.key() + QChar(0) + text;
    auto found = m_textWidths.constFind(key);
    if (found != m_textWidths.constEnd())
        return *found;
    if (m_textWidths.size() > 1000)
        m_textWidths.clear();
    const int width = QFontMetrics(font).size(Qt::TextSingleLine | Qt::TextShowMnemonic, text).width();
    m_textWidths.insert(key, width);
    return width;
}

MenuSettings SkinMenu::settings() const { return m_frame ? m_frame->menuSettings() : m_settings; }

bool SkinMenu::layeredWindowsAvailable() const { return m_frame && m_frame->layeredWindowsAvailable(); }

SkinPopupWindow* SkinMenu::window(int level) const
{
    return level >= 0 && level < levelCount() ? m_windows[std::size_t(level)] : nullptr;
}

Rect SkinMenu::findWorkArea(const Rect& anchor) const
{
    if (m_fixedWorkArea)
        return *m_fixedWorkArea;
    QScreen* screen = m_form ? m_form->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::screenAt(platform::toQPoint({anchor.left, anchor.top}));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {0, 0, 1 << 14, 1 << 14};
    const QRect a = screen->availableGeometry();
    return platform::toRect(a);
}

void SkinMenu::popup(QObject* control, SkinData* skinData, int startIndex, const Rect& anchor, MenuItem* item,
                     bool up, const MenuOwner& owner, std::function<void()> onMenuClose)
{
    // Another menu of the program closes first and tells its own control.
    if (openMenu && openMenu != this)
        openMenu->hide();
    m_first = !m_visible;
    if (m_visible)
        closeFrom(0);
    m_popupCtrl = control;
    m_onMenuClose = std::move(onMenuClose);
    m_workArea = findWorkArea(anchor);
    m_skinData = skinData;
    m_owner = owner;
    m_pressSeen = false;
    m_visible = true;
    if (m_frame)
        m_frame->skinMenuOpen();
    openMenu = this;
    // A menu that cannot open closes at once, so its control does not wait.
    if (!item || startIndex < 0 || startIndex >= item->count() || !openWindow(anchor, *item, startIndex, false, up)) {
        closeFrom(0);
        return;
    }
    m_first = false;
    m_polledPointer = QCursor::pos();
    m_pollTimer.start(kPointerPoll, this);
}

bool SkinMenu::openWindow(const Rect& anchor, MenuItem& item, int startIndex, bool byItem, bool up)
{
    const DataSkinPopupWindow* record = m_skinData && !m_skinData->empty() ? &m_skinData->popupWindow : nullptr;
    SkinPopupWindow* window = nullptr;
    while (!window && !m_spareWindows.empty()) {
        window = m_spareWindows.back();
        m_spareWindows.pop_back();
    }
    if (window)
        window->reset(record, levelCount());
    else
        window = new SkinPopupWindow(*this, record, levelCount());
    m_windows.push_back(window);
    if (window->showMenu(anchor, item, startIndex, byItem, up))
        return true;
    // Nothing visible to show.
    m_windows.pop_back();
    retire(window);
    return false;
}

void SkinMenu::retire(SkinPopupWindow* window)
{
    // Never destroyed inside its own event handlers: hidden now, and kept
    // for the next popup or deleted later.
    window->closeMenuWindow();
    if (m_spareWindows.size() < kSpareWindows)
        m_spareWindows.emplace_back(window);
    else
        window->deleteLater();
}

void SkinMenu::closeFrom(int level)
{
    level = std::max(level, 0);
    while (levelCount() > level) {
        SkinPopupWindow* window = m_windows.back();
        m_windows.pop_back();
        if (m_waitItem && &m_waitItem->parent() == window) {
            m_waitTimer.stop();
            m_waitItem = nullptr;
        }
        retire(window);
    }
    if (level > 0 || !m_visible)
        return;
    m_visible = false;
    m_waitTimer.stop();
    m_pollTimer.stop();
    m_waitItem = nullptr;
    if (openMenu == this)
        openMenu = nullptr;
    const QPointer<QObject> control = m_popupCtrl;
    m_popupCtrl = nullptr;
    std::function<void()> onClose = std::move(m_onMenuClose);
    m_onMenuClose = nullptr;
    if (m_frame)
        m_frame->skinMenuClose();
    notify(control, closeSkinMenuEvent);
    if (onClose)
        onClose();
}

void SkinMenu::hide()
{
    closeFrom(0);
    m_waitTimer.stop();
    m_waitItem = nullptr;
}

void SkinMenu::closeLastLevel()
{
    const int last = levelCount() - 1;
    if (last >= 1) {
        SkinPopupWindow* parent = window(last - 1);
        for (int i = 0; i < parent->itemCount(); ++i)
            if (parent->item(i).down) {
                parent->item(i).down = false;
                parent->redrawItem(parent->item(i));
                parent->startMorph();
            }
        closeFrom(last);
    } else {
        closeFrom(0);
    }
}

void SkinMenu::windowLost()
{
    // Hidden by the window system (the application lost the pointer grab,
    // for instance): the whole menu closes, after the current event.
    QMetaObject::invokeMethod(this, [self = QPointer<SkinMenu>(this)] {
        if (self)
            self->hide();
    }, Qt::QueuedConnection);
}

void SkinMenu::itemEntered(SkinPopupWindow& window, SkinMenuItem& item, bool keyboard)
{
    if (!item.menuItem().hasItems()) {
        m_waitTimer.stop();
        m_waitItem = nullptr;
        closeFrom(window.level() + 1);
        return;
    }
    if (keyboard)
        return;
    m_waitTimer.stop();
    closeFrom(window.level() + 1);
    m_waitItem = &item;
    m_waitTimer.start(kSubMenuDelay, this);
}

void SkinMenu::itemLeft(SkinMenuItem& item)
{
    if (m_waitItem == &item) {
        m_waitTimer.stop();
        m_waitItem = nullptr;
    }
}

void SkinMenu::itemClicked(SkinPopupWindow& window, SkinMenuItem& item)
{
    m_waitTimer.stop();
    m_waitItem = nullptr;
    MenuItem& menuItem = item.menuItem();
    if (menuItem.hasItems()) {
        menuItem.click(); // a parent item's own command runs as its sub-menu opens
        item.down = true;
        window.redrawItem(item);
        closeFrom(window.level() + 1);
        openWindow(window.screenRect(item), menuItem, 0, true, false);
        return;
    }
    // The command runs once every window has gone, after the control has
    // heard that the menu closed; then the control hears it has run.
    const QPointer<QObject> control = m_popupCtrl;
    hide();
    menuItem.click();
    notify(control, skinMenuItemDoneEvent);
}

void SkinMenu::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_pollTimer.timerId()) {
        const QPoint pointer = QCursor::pos();
        if (pointer != m_polledPointer) {
            m_polledPointer = pointer;
            pointerAt(pointer);
        }
        return;
    }
    if (event->timerId() != m_waitTimer.timerId())
        return;
    m_waitTimer.stop();
    SkinMenuItem* item = m_waitItem;
    m_waitItem = nullptr;
    if (item)
        itemClicked(item->parent(), *item);
}

void SkinMenu::pointerAt(const QPoint& global)
{
    SkinPopupWindow* target = nullptr;
    for (int level = levelCount() - 1; level >= 0 && !target; --level)
        if (m_windows[std::size_t(level)]->holds(global))
            target = m_windows[std::size_t(level)];
    for (SkinPopupWindow* w : m_windows)
        if (w != target)
            w->pointerElsewhere();
    if (target)
        target->trackPoint(global - target->geometry().topLeft());
}

void SkinMenu::routeMouse(QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    SkinPopupWindow* target = nullptr;
    for (int level = levelCount() - 1; level >= 0 && !target; --level)
        if (m_windows[std::size_t(level)]->holds(global))
            target = m_windows[std::size_t(level)];
    switch (event->type()) {
    case QEvent::MouseMove:
        pointerAt(global);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // A press outside every level closes the whole menu and goes no further.
        if (!target) {
            hide();
            break;
        }
        m_pressSeen = true;
        target->trackPoint(global - target->geometry().topLeft());
        break;
    case QEvent::MouseButtonRelease:
        if (target)
            target->release(global - target->geometry().topLeft(), event->button(), m_pressSeen);
        break;
    default:
        break;
    }
}

void SkinMenu::keyDown(QKeyEvent* event)
{
    if (SkinPopupWindow* last = lastWindow())
        last->popupKeyDown(event->key(), event->text());
}

} // namespace tessaly::skin
