#include "app/skin_menu_openers.h"

#include "skin/menus/skin_popup_menu.h"
#include "skin/menus/skin_popup_window.h"
#include "platform/qt_geometry.h"

#include <QWidget>

namespace tessaly::app {

void SkinPopupMenuOpener::popupFromRect(QWidget* owner, const QRect& screenRect, std::function<void()> closed)
{
    m_menu.setOnMenuClose(std::move(closed));
    m_menu.popupFromRect2(owner, platform::toRect(screenRect), false);
}

QWidget* SkinPopupMenuOpener::openMenuWindow() const
{
    return m_menu.openWindow();
}

void SkinContextMenuOpener::popup(QWidget* owner, const QPoint& screenPos, std::vector<skin::MenuCommand> commands)
{
    auto* menu = new skin::SkinPopupMenu(owner ? owner->window() : nullptr);
    menu->setSkinComponent(m_frame);
    menu->setSkinData(m_skinData);
    for (auto& command : commands) {
        skin::MenuItem& item = menu->items().add(command.caption, std::move(command.run));
        item.enabled = command.enabled;
    }
    // Freed from the event loop: the menu is still closing when it says so.
    menu->setOnMenuClose([menu] { menu->deleteLater(); });
    menu->popup2(owner, screenPos.x(), screenPos.y());
}

} // namespace tessaly::app
