#include "skin/menus/skin_popup_menu.h"

#include <QWidget>

#include "skin/menus/menu_frame.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_window.h"

namespace tessaly::skin {

SkinPopupMenu::SkinPopupMenu(QWidget* window)
    : QObject(window)
    , m_window(window)
{
}

SkinPopupMenu::~SkinPopupMenu() = default;

SkinMenu& SkinPopupMenu::engine()
{
    if (m_frame)
        return m_frame->skinMenu();
    if (!m_ownEngine)
        m_ownEngine = std::make_unique<SkinMenu>(m_window);
    return *m_ownEngine;
}

SkinPopupWindow* SkinPopupMenu::openWindow()
{
    SkinPopupWindow* first = engine().window(0);
    return first && first->isVisible() && first->menuItem() == &m_items ? first : nullptr;
}

void SkinPopupMenu::popupFromRect2(QObject* control, const Rect& r, bool up)
{
    if (m_onPopup)
        m_onPopup();
    if (!m_skinData && m_frame)
        m_skinData = m_frame->menusSkinData();
    SkinMenu& menu = engine();
    m_popupPoint = {r.left, r.top};
    menu.popup(control, m_skinData, 0, r, &m_items, up, MenuOwner{&m_images, m_autoLineReduction}, m_onMenuClose);
}

} // namespace tessaly::skin
