#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

#include "skin/data/geometry.h"
#include "skin/menus/menu_item.h"

class QWidget;

namespace tessaly::skin {

class MenuFrame;
class SkinData;
class SkinMenu;
class SkinPopupWindow;

// A popup menu drawn from the skin: holds a tree of items and opens it
// through the menu engine of its window's frame, or through an engine of its
// own when it has no frame (the default settings, never translucent).
class SkinPopupMenu : public QObject {
public:
    // `window`: the window the menu belongs to (its screen gives the work area).
    explicit SkinPopupMenu(QWidget* window = nullptr);
    ~SkinPopupMenu() override;

    MenuItem& items() { return m_items; }
    MenuImages& images() { return m_images; }
    // Leading, trailing and doubled separators are left out (on by default).
    bool autoLineReduction() const { return m_autoLineReduction; }
    void setAutoLineReduction(bool on) { m_autoLineReduction = on; }

    // The registry the menu is drawn with. When none is set, the first popup
    // takes the frame's menu registry, and keeps it.
    SkinData* skinData() const { return m_skinData; }
    void setSkinData(SkinData* skinData) { m_skinData = skinData; }
    // The frame whose engine runs the menu.
    MenuFrame* skinComponent() const { return m_frame; }
    void setSkinComponent(MenuFrame* frame) { m_frame = frame; }
    // The engine used: the frame's, or the menu's own.
    SkinMenu& engine();
    // The window of the menu's first level while the menu is open, else
    // null.
    SkinPopupWindow* openWindow();

    // Top-left of the rectangle of the last popup; (-1, -1) before the first.
    Point popupPoint() const { return m_popupPoint; }
    // Raised before every popup, and once when the menu of a popup closes.
    void setOnPopup(std::function<void()> handler) { m_onPopup = std::move(handler); }
    void setOnMenuClose(std::function<void()> handler) { m_onMenuClose = std::move(handler); }

    // Opens below the screen point.
    void popup(int x, int y) { popupFromRect2(nullptr, {x, y, x, y}, false); }
    // Opens against a screen rectangle: below it, or above it with `up`.
    void popupFromRect(const Rect& r, bool up) { popupFromRect2(nullptr, r, up); }
    // The same, telling `control` when the menu has closed (closeSkinMenuEvent)
    // and when a chosen command has run (skinMenuItemDoneEvent).
    void popup2(QObject* control, int x, int y) { popupFromRect2(control, {x, y, x, y}, false); }
    void popupFromRect2(QObject* control, const Rect& r, bool up);

private:
    QPointer<QWidget> m_window;
    MenuFrame* m_frame = nullptr;
    SkinData* m_skinData = nullptr;
    MenuItem m_items;
    MenuImages m_images;
    bool m_autoLineReduction = true;
    std::unique_ptr<SkinMenu> m_ownEngine;
    Point m_popupPoint{-1, -1};
    std::function<void()> m_onPopup;
    std::function<void()> m_onMenuClose;
};

} // namespace tessaly::skin
