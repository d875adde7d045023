#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "skin/data/geometry.h"
#include "skin/menus/menu_item.h"

class QShortcut;

namespace tessaly::skin {

class ResourceStrData;
class SkinFrame;
class SkinPopupMenu;

// Which caption buttons a window has (bit masks, as stored).
namespace BorderIcon {
inline constexpr unsigned SystemMenu = 1;
inline constexpr unsigned Minimize = 2;
inline constexpr unsigned Maximize = 4;
inline constexpr unsigned RollUp = 8;
inline constexpr unsigned MinimizeToTray = 16;
} // namespace BorderIcon

// What the system menu offers depends on the window's caption buttons and
// its state.
struct SystemMenuState {
    unsigned borderIcons = 0; // BorderIcon bits
    bool minimised = false;
    bool maximised = false;
    bool rolledUp = false;
    bool maxRollUpState = false; // rolled up while maximised
};

// The commands of the system menu's items.
struct SystemMenuActions {
    std::function<void()> minimize;
    std::function<void()> maximize;
    std::function<void()> restore;
    std::function<void()> rollUp;
    std::function<void()> minimizeToTray;
    std::function<void()> close;
};

// Adds the system menu's items to `menu` (which should be empty): the
// window commands the state allows, a separator when there is one, and
// "&Close" (shortcut text Alt+F4) last. Item names identify them. With a
// string list (the registry's) the captions come from its MI_… keys.
void buildSystemMenu(MenuItem& menu, const SystemMenuState& state, const SystemMenuActions& actions,
                     const ResourceStrData* strings = nullptr);

// Merges the system menu's items into a window's own menu: the window
// commands are taken out (by their names) and put in again at its top, in
// the order Minimize, Restore, Maximize, RollUp, Minimize to Tray, under
// the same conditions, and "&Close" goes last; the window's items stay
// between. Merging again gives the same menu for the same state.
void mergeSystemMenu(MenuItem& menu, const SystemMenuState& state, const SystemMenuActions& actions,
                     const ResourceStrData* strings = nullptr);

// The system menu of a skinned frame: a skinned popup menu run by the
// frame's menu engine, built for the window's state at each opening. It
// opens from a press on the system-menu button (which stays down while the
// menu is open), a right click on the caption, or Alt+Space anywhere in the
// window. A double click on the button closes the window, also when its
// first click opened the menu.
class SystemMenu : public QObject {
public:
    explicit SystemMenu(SkinFrame& frame);
    ~SystemMenu() override;

    bool disabled() const { return m_disabled; }
    void setDisabled(bool on) { m_disabled = on; }
    // Opens at a screen point / below the system-menu button (nothing
    // without an enabled, visible one).
    void showAt(const QPoint& global);
    void showBelowButton();
    // Opens below the button pressed, whose screen rectangle is given.
    void showFromButton(const Rect& button);
    // A double click on the button: the window closes once the menu is.
    void buttonDoubleClicked();
    // The menu last opened (null before the first).
    SkinPopupMenu* menu() const { return m_shown; }
    // The window's own system menu (not owned; null: the built-in one).
    // With useDefault the window commands are merged into it at each
    // opening; without, it is shown as it is.
    void setUserMenu(SkinPopupMenu* menu) { m_userMenu = menu; }
    SkinPopupMenu* userMenu() const { return m_userMenu; }
    void setUseDefault(bool on) { m_useDefault = on; }
    bool useDefault() const { return m_useDefault; }
    bool inMenu() const { return m_inMenu; }
    // The frame's menu engine opened or closed a menu.
    void opened();
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SystemMenuActions actions();
    void popup(const Rect& anchor);
    void closeWindow();

    SkinFrame& m_frame;
    bool m_disabled = false;
    std::unique_ptr<SkinPopupMenu> m_menu;
    SkinPopupMenu* m_shown = nullptr;
    SkinPopupMenu* m_userMenu = nullptr;
    bool m_useDefault = true;
    QPointer<QShortcut> m_altSpace;
    bool m_inMenu = false;
    bool m_byButton = false;
    bool m_closeAfterMenu = false;
    QElapsedTimer m_opened;
};

} // namespace tessaly::skin
