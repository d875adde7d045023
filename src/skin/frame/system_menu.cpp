#include "skin/frame/system_menu.h"

#include "skin/data/resource_str_data.h"
#include "skin/frame/skin_frame.h"

namespace tessaly::skin {

void buildSystemMenu(MenuItem& menu, const SystemMenuState& state, const SystemMenuActions& actions,
                     const ResourceStrData* strings)
{
    auto has = [&](unsigned icon) { return (state.borderIcons & icon) != 0; };
    auto text = [&](const char* builtIn, const char* key) {
        return strings ? QString::fromStdString(strings->getResStr(key)) : QString::fromUtf8(builtIn);
    };
    auto add = [&](const QString& caption, const char* name, const std::function<void()>& action) {
        MenuItem& item = menu.add(caption, action);
        item.name = QString::fromUtf8(name);
        return &item;
    };
    const bool normal = !state.minimised && !state.maximised;
    if (!state.minimised && has(BorderIcon::Minimize))
        add(text("Mi&nimize", "MI_MINCAPTION"), "SFR_MINITEM", actions.minimize);
    if (!state.maximised && has(BorderIcon::Maximize))
        add(text("Ma&ximize", "MI_MAXCAPTION"), "SFR_MAXITEM", actions.maximize);
    if (!normal || state.rolledUp)
        add(text("&Restore", "MI_RESTORECAPTION"), "SFR_RESTORE", actions.restore);
    if (!state.rolledUp && !state.minimised && has(BorderIcon::RollUp))
        add(text("Ro&llUp", "MI_ROLLUPCAPTION"), "SFR_ROLLUP", actions.rollUp);
    if (has(BorderIcon::MinimizeToTray))
        add(text("Minimize to &Tray", "MI_MINTOTRAYCAPTION"), "SFR_MINTOTRAY", actions.minimizeToTray);
    if (menu.hasItems())
        menu.addSeparator();
    MenuItem* close = add(text("&Close", "MI_CLOSECAPTION"), "SFR_CLOSE", actions.close);
    close->shortCut = QKeySequence(Qt::ALT | Qt::Key_F4);
}

} // namespace tessaly::skin
