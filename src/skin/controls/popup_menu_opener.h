#pragma once

// Where the controls open their menus. The menu tool button opens a drop-
// down menu against itself and stays down until it has closed; the edit
// opens a context menu of commands it builds. The skinned popup menus
// implement these; plain Qt menus stand in where none is given.

#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace tessaly::skin {

// A drop-down menu that opens against a rectangle of the screen.
class PopupMenuOpener {
public:
    virtual ~PopupMenuOpener() = default;
    // Opens the menu under `screenRect` (or above it where there is no
    // room) for `owner`; `closed` runs once when the menu has gone, whether
    // an item was chosen, Escape was pressed or the user clicked elsewhere.
    virtual void popupFromRect(QWidget* owner, const QRect& screenRect, std::function<void()> closed) = 0;
    // The window of the menu while it is open (its first level), else null:
    // assistive tools meet the open menu as the button's child.
    virtual QWidget* openMenuWindow() const { return nullptr; }
};

// One entry of a context menu; the caption "-" is a separator.
struct MenuCommand {
    QString caption;
    bool enabled = true;
    std::function<void()> run;

    bool isSeparator() const { return caption == QLatin1String("-"); }
};

// A menu of commands opened at a point of the screen.
class ContextMenuOpener {
public:
    virtual ~ContextMenuOpener() = default;
    virtual void popup(QWidget* owner, const QPoint& screenPos, std::vector<MenuCommand> commands) = 0;
};

// A plain Qt menu as the drop-down menu (not owned).
class QMenuPopupOpener : public PopupMenuOpener {
public:
    explicit QMenuPopupOpener(QMenu* menu)
        : m_menu(menu)
    {
    }
    void popupFromRect(QWidget* owner, const QRect& screenRect, std::function<void()> closed) override;
    QWidget* openMenuWindow() const override { return m_menu && m_menu->isVisible() ? m_menu.data() : nullptr; }
    QMenu* menu() const { return m_menu; }

private:
    QPointer<QMenu> m_menu;
};

// The context menu as a plain Qt menu, made for each request and freed
// when it closes.
class QMenuContextOpener : public ContextMenuOpener {
public:
    void popup(QWidget* owner, const QPoint& screenPos, std::vector<MenuCommand> commands) override;
};

} // namespace tessaly::skin
