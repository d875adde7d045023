#pragma once

#include "skin/controls/popup_menu_opener.h"
#include "skin/controls/skin_speed_button.h"

#include <functional>

namespace tessaly::skin {

// The tool button with a drop-down menu (record "toolmenubutton"): a left
// press opens the menu under the button, and the button stays down until
// the menu has closed, whatever the pointer does meanwhile; then it pops up
// again. Without a menu it is a plain tool button. At rest and flat it
// shows its caption and a small arrow over the parent.
class SkinMenuSpeedButton : public SkinSpeedButton {
public:
    explicit SkinMenuSpeedButton(const QString& caption = {}, QWidget* parent = nullptr);

    // The menu (not owned; none: a plain tool button).
    void setPopupMenu(PopupMenuOpener* menu) { m_menu = menu; }
    PopupMenuOpener* popupMenu() const { return m_menu; }
    bool menuTracked() const { return m_menuTracked; }
    void setOnShowTrackMenu(std::function<void()> handler) { m_onShowTrackMenu = std::move(handler); }
    void setOnHideTrackMenu(std::function<void()> handler) { m_onHideTrackMenu = std::move(handler); }

    // The menu has closed (the menu's notice to the button that opened it).
    void closeSkinMenu();
    // Opens the menu as a press on the button does (keyboard and assistive
    // tools); nothing without a menu or while it is open.
    void showMenu();

protected:
    bool showsPressed() const override { return m_menuTracked || SkinSpeedButton::showsPressed(); }
    void keyActivate() override { showMenu(); }
    void paintCaptionOnly(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void openMenu();

    PopupMenuOpener* m_menu = nullptr;
    std::function<void()> m_onShowTrackMenu;
    std::function<void()> m_onHideTrackMenu;
    bool m_menuTracked = false;
    // Set while the press that closed the menu is still being delivered:
    // Qt hands that press on to the widget under the pointer, and a press
    // on this button must close the menu, not open it again.
    bool m_closingPress = false;
};

// The small downward arrow of a menu button: five, three and one pixels.
void drawSmallArrow(QPainter& painter, const QRect& area, const QColor& colour);

} // namespace tessaly::skin
