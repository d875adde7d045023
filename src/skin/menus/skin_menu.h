#pragma once

#include <QBasicTimer>
#include <QFont>
#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <optional>
#include <vector>

#include "skin/data/geometry.h"
#include "skin/menus/menu_frame.h"
#include "skin/menus/menu_item.h"

class QMouseEvent;
class QKeyEvent;
class QWidget;

namespace tessaly::skin {

class SkinData;
class SkinMenuItem;
class SkinPopupWindow;

// The menu engine of a window: opens one popup window per menu level, routes
// the pointer and the keys to them, opens sub-menus, runs the chosen command
// and tells the control that opened the menu when it has closed and when
// the command has run (see menu_events.h). At most one menu of the whole
// program is open at a time: opening one closes any other first.
class SkinMenu : public QObject {
public:
    // `form`: the window the menus belong to (its screen gives the work
    // area); `frame`: its skinned frame, or null for the default settings.
    explicit SkinMenu(QWidget* form = nullptr, MenuFrame* frame = nullptr);
    ~SkinMenu() override;

    // Opens the items of `item` from `startIndex` on against the screen
    // rectangle `anchor` (below it, or above it with `up`). `control` (may be
    // null) hears closeSkinMenuEvent when the menu closes, at once when
    // nothing can open, and skinMenuItemDoneEvent after a chosen command.
    // `onMenuClose` is called once when this popup's menu closes.
    void popup(QObject* control, SkinData* skinData, int startIndex, const Rect& anchor, MenuItem* item, bool up,
               const MenuOwner& owner = {}, std::function<void()> onMenuClose = {});
    // Closes the whole menu.
    void hide();
    bool visible() const { return m_visible; }

    // Settings used without a frame (a frame gives its own).
    void setSettings(const MenuSettings& settings) { m_settings = settings; }
    MenuSettings settings() const;
    bool layeredWindowsAvailable() const;
    // A fixed work area instead of the screen's (tests, snapshots).
    void setWorkArea(std::optional<Rect> area) { m_fixedWorkArea = area; }
    const Rect& workArea() const { return m_workArea; }
    SkinData* skinData() const { return m_skinData; }
    const MenuOwner& owner() const { return m_owner; }
    // The installed font for a skin or settings font (made once, then kept).
    const QFont& font(const Font& font);
    // The width of a text drawn in one of the fonts made by font(), with
    // "&" marking accelerators (kept for later popups).
    int textWidth(const QFont& font, const QString& text);
    // The window being opened is the first of its popup.
    bool first() const { return m_first; }

    // --- the open levels, level 0 first
    int levelCount() const { return int(m_windows.size()); }
    // The control the open menu tells when it closes (null: none).
    QObject* popupControl() const { return m_popupCtrl; }
    SkinPopupWindow* window(int level) const;
    SkinPopupWindow* lastWindow() const { return m_windows.empty() ? nullptr : m_windows.back(); }
    // Closes the windows of `level` and below (hidden now, deleted later);
    // from level 0 the menu is closed and its control told.
    void closeFrom(int level);

    // --- what items and windows report
    void itemEntered(SkinPopupWindow& window, SkinMenuItem& item, bool keyboard);
    void itemLeft(SkinMenuItem& item);
    void itemClicked(SkinPopupWindow& window, SkinMenuItem& item);
    // A mouse event received by any level: routed by its screen position.
    void routeMouse(QMouseEvent* event);
    // A key received by any level: for the last level.
    void keyDown(QKeyEvent* event);
    // Esc / Left: the last level closes (the whole menu when it is the only one).
    void closeLastLevel();
    // A level was hidden by something other than the engine.
    void windowLost();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    bool openWindow(const Rect& anchor, MenuItem& item, int startIndex, bool byItem, bool up);
    // The pointer is at a screen point: the level under it tracks it.
    void pointerAt(const QPoint& global);
    Rect findWorkArea(const Rect& anchor) const;
    void retire(SkinPopupWindow* window);

    QPointer<QWidget> m_form;
    MenuFrame* m_frame;
    MenuSettings m_settings;
    std::optional<Rect> m_fixedWorkArea;
    Rect m_workArea;
    SkinData* m_skinData = nullptr;
    MenuOwner m_owner;
    QPointer<QObject> m_popupCtrl;
    std::vector<SkinPopupWindow*> m_windows;
    // Closed windows kept for the next levels that open.
    std::vector<QPointer<SkinPopupWindow>> m_spareWindows;
    std::vector<std::pair<Font, QFont>> m_fonts;
    QHash<QString, int> m_textWidths;
    QBasicTimer m_waitTimer;
    // Polls the pointer while a menu is open: motion that reached no level
    // (a pointer moved before the grab took hold) still counts.
    QBasicTimer m_pollTimer;
    QPoint m_polledPointer;
    SkinMenuItem* m_waitItem = nullptr;
    std::function<void()> m_onMenuClose;
    bool m_visible = false;
    bool m_first = false;
    // A button was pressed on the menu since it opened: only then can a
    // release choose (the release of the press that opened it cannot).
    bool m_pressSeen = false;
};

} // namespace tessaly::skin
