#pragma once

#include "skin/controls/popup_menu_opener.h"

#include <memory>

namespace tessaly::skin {
class MenuFrame;
class SkinData;
class SkinPopupMenu;
}

namespace tessaly::app {

// The drop-down menu of a menu tool button as a skinned popup menu (not
// owned), opened by its window's frame.
class SkinPopupMenuOpener : public skin::PopupMenuOpener {
public:
    explicit SkinPopupMenuOpener(skin::SkinPopupMenu& menu)
        : m_menu(menu)
    {
    }
    void popupFromRect(QWidget* owner, const QRect& screenRect, std::function<void()> closed) override;
    QWidget* openMenuWindow() const override;

private:
    skin::SkinPopupMenu& m_menu;
};

// A context menu of commands as a skinned popup menu, made for each request
// and freed once it has closed.
class SkinContextMenuOpener : public skin::ContextMenuOpener {
public:
    SkinContextMenuOpener(skin::MenuFrame* frame, skin::SkinData* skinData)
        : m_frame(frame)
        , m_skinData(skinData)
    {
    }
    void popup(QWidget* owner, const QPoint& screenPos, std::vector<skin::MenuCommand> commands) override;

private:
    skin::MenuFrame* m_frame;
    skin::SkinData* m_skinData;
};

} // namespace tessaly::app
