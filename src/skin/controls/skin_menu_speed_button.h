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
//
// In track-button mode only the arrow part opens the menu; the rest is an
// ordinary tool button. The face follows the record's name: the plain
// tool-button records ("toolbutton", "bigtoolbutton", "resizebutton",
// "resizetoolbutton") are drawn as a body and a 15-pixel arrow strip of
// their own, with the record's menu markers in the strip; a record made
// for menu buttons carries its arrow in its pictures.
class SkinMenuSpeedButton : public SkinSpeedButton {
public:
    enum class TrackPosition { Right, Bottom };
    static constexpr int kArrowStrip = 15;

    explicit SkinMenuSpeedButton(const QString& caption = {}, QWidget* parent = nullptr);

    // The menu (not owned; none: a plain tool button).
    void setPopupMenu(PopupMenuOpener* menu) { m_menu = menu; }
    PopupMenuOpener* popupMenu() const { return m_menu; }
    bool menuTracked() const { return m_menuTracked; }
    void setOnShowTrackMenu(std::function<void()> handler) { m_onShowTrackMenu = std::move(handler); }
    void setOnHideTrackMenu(std::function<void()> handler) { m_onHideTrackMenu = std::move(handler); }

    bool trackButtonMode() const { return m_trackButtonMode; }
    void setTrackButtonMode(bool on);
    TrackPosition trackPosition() const { return m_trackPosition; }
    void setTrackPosition(TrackPosition position);
    bool newStyle() const { return m_newStyle; }
    // Switched on, the button wears "resizetoolbutton".
    void setNewStyle(bool on);
    // Whether a press at `point` opens the menu.
    bool inTrackArea(QPoint point) const;
    // The strip that holds the arrow (at the right, or at the bottom for
    // the new style placed at the bottom).
    Rect arrowStrip() const;

    // The menu has closed (the menu's notice to the button that opened it).
    void closeSkinMenu();
    // Opens the menu as a press on the button does (keyboard and assistive
    // tools); nothing without a menu or while it is open.
    void showMenu();

protected:
    bool showsPressed() const override { return m_menuTracked || SkinSpeedButton::showsPressed(); }
    void keyActivate() override { showMenu(); }
    void paintCaptionOnly(QPainter& painter) override;
    bool getSkinData() override;
    void drawSkinFace(Bitmap& face) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void openMenu();
    // The record is one of the plain tool-button records, which carry no
    // arrow of their own.
    bool composedVariant() const;
    bool bottomStrip() const { return m_newStyle && m_trackPosition == TrackPosition::Bottom; }
    // Body and strip composed apart, the arrow drawn in the strip.
    void drawComposedFace(Bitmap& face);
    void composePart(Bitmap& face, const Rect& at, const Rect& source);
    void drawArrow(Bitmap& face, const Rect& strip, Color colour);
    // A record-arrow face whose track area shows the pressed picture while
    // the menu is open.
    void overlayPressedTrackArea(Bitmap& face);

    bool m_trackButtonMode = false;
    TrackPosition m_trackPosition = TrackPosition::Right;
    bool m_newStyle = false;
    Rect m_trackButtonRect;

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
