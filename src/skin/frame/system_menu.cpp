#include "skin/frame/system_menu.h"

#include "skin/frame/skin_frame.h"

namespace tessaly::skin {

void buildSystemMenu(MenuItem& menu, const SystemMenuState& state, const SystemMenuActions& actions)
{
    auto has = [&](unsigned icon) { return (state.borderIcons & icon) != 0; };
    auto add = [&](const char* caption, const char* name, const std::function<void()>& action) {
        MenuItem& item = menu.add(QString::fromUtf8(caption), action);
        item.name = QString::fromUtf8(name);
        return &item;
    };
    const bool normal = !state.minimised && !state.maximised;
    if (!state.minimised && has(BorderIcon::Minimize))
        add("Mi&nimize", "SFR_MINITEM", actions.minimize);
    if (!state.maximised && has(BorderIcon::Maximize))
        add("Ma&ximize", "SFR_MAXITEM", actions.maximize);
    if (!normal || state.rolledUp)
        add("&Restore", "SFR_RESTORE", actions.restore);
    if (!state.rolledUp && !state.minimised && has(BorderIcon::RollUp))
        add("Ro&llUp", "SFR_ROLLUP", actions.rollUp);
    if (has(BorderIcon::MinimizeToTray))
        add("Minimize to &Tray", "SFR_MINTOTRAY", actions.minimizeToTray);
    if (menu.hasItems())
        menu.addSeparator();
    MenuItem* close = add("&Close", "SFR_CLOSE", actions.close);
    close->shortCut = QKeySequence(Qt::ALT | Qt::Key_F4);
}

} // namespace tessaly::skin
