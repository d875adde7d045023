#include "skin/controls/popup_menu_opener.h"

#include <QAction>
#include <QMenu>
#include <memory>

namespace tessaly::skin {

void QMenuPopupOpener::popupFromRect(QWidget*, const QRect& screenRect, std::function<void()> closed)
{
    if (!m_menu) {
        if (closed)
            closed();
        return;
    }
    // One notice per opening, however the menu goes.
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(m_menu, &QMenu::aboutToHide, m_menu, [connection, closed] {
        QObject::disconnect(*connection);
        if (closed)
            closed();
    });
    m_menu->popup(screenRect.bottomLeft() + QPoint(0, 1));
}

void QMenuContextOpener::popup(QWidget* owner, const QPoint& screenPos, std::vector<MenuCommand> commands)
{
    auto* menu = new QMenu(owner);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (MenuCommand& command : commands) {
        if (command.isSeparator()) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(command.caption);
        action->setEnabled(command.enabled);
        QObject::connect(action, &QAction::triggered, menu, [run = std::move(command.run)] {
            if (run)
                run();
        });
    }
    menu->popup(screenPos);
}

} // namespace tessaly::skin
