#include "skin/frame/system_menu.h"

#include <algorithm>

#include <QApplication>
#include <QMouseEvent>
#include <QShortcut>

#include "platform/qt_frameless_window.h"
#include "platform/qt_geometry.h"
#include "skin/data/resource_str_data.h"
#include "skin/data/skin_data.h"
#include "skin/frame/skin_frame.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_menu.h"

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

void mergeSystemMenu(MenuItem& menu, const SystemMenuState& state, const SystemMenuActions& actions,
                     const ResourceStrData* strings)
{
    static const QString kNames[] = {QStringLiteral("SFR_MINITEM"), QStringLiteral("SFR_RESTORE"),
                                     QStringLiteral("SFR_MAXITEM"), QStringLiteral("SFR_ROLLUP"),
                                     QStringLiteral("SFR_MINTOTRAY"), QStringLiteral("SFR_CLOSE")};
    auto isCommand = [](const MenuItem& item) { return std::find(std::begin(kNames), std::end(kNames), item.name) != std::end(kNames); };
    for (int i = menu.count() - 1; i >= 0; --i)
        if (isCommand(menu.at(i)))
            menu.take(i);
    MenuItem built;
    buildSystemMenu(built, state, actions, strings);
    auto takeNamed = [&](const QString& name) -> std::unique_ptr<MenuItem> {
        for (int i = 0; i < built.count(); ++i)
            if (built.at(i).name == name)
                return built.take(i);
        return nullptr;
    };
    int top = 0;
    for (const QString& name : kNames) {
        std::unique_ptr<MenuItem> item = takeNamed(name);
        if (!item)
            continue;
        if (name == QLatin1String("SFR_CLOSE"))
            menu.insert(menu.count(), std::move(item));
        else
            menu.insert(top++, std::move(item));
    }
}

} // namespace tessaly::skin

namespace tessaly::skin {

SystemMenu::SystemMenu(SkinFrame& frame)
    : m_frame(frame)
{
    // Alt+Space opens the menu below its button wherever the focus is in
    // the window.
    m_altSpace = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), frame.window());
    m_altSpace->setContext(Qt::WindowShortcut);
    connect(m_altSpace, &QShortcut::activated, this, [this] { showBelowButton(); });
}

SystemMenu::~SystemMenu()
{
    if (m_inMenu)
        QCoreApplication::instance()->removeEventFilter(this);
    // A later frame of the same window makes its own.
    delete m_altSpace;
}

SystemMenuActions SystemMenu::actions()
{
    WindowStates& states = m_frame.windowStates();
    SystemMenuActions a;
    a.minimize = [&states] { states.changeWindowState(WindowState::Minimized); };
    a.maximize = [&states] { states.changeWindowState(WindowState::Maximized); };
    a.restore = [&states] { states.restoreOrUnroll(); };
    a.rollUp = [&states] { states.switchRollUp(true); };
    a.minimizeToTray = [] {}; // no tray icon
    a.close = [this] { closeWindow(); };
    return a;
}

void SystemMenu::closeWindow()
{
    QMetaObject::invokeMethod(m_frame.window(), &QWidget::close, Qt::QueuedConnection);
}

void SystemMenu::popup(const Rect& anchor)
{
    // The items are built for the state at each opening; the engine lets go
    // of the old ones first.
    m_frame.skinMenu().hide();
    m_menu = std::make_unique<SkinPopupMenu>(m_frame.window());
    m_menu->setSkinComponent(&m_frame);
    const WindowStates& states = m_frame.windowStates();
    SystemMenuState state;
    state.borderIcons = m_frame.borderIcons();
    state.minimised = states.state() == WindowState::Minimized;
    state.maximised = states.state() == WindowState::Maximized;
    state.rolledUp = states.rollUpState();
    state.maxRollUpState = states.maxRollUpState();
    const SkinData* sd = m_frame.skinData();
    const ResourceStrData* strings = sd ? sd->resourceStrData() : nullptr;
    m_shown = m_menu.get();
    if (m_userMenu) {
        // The window's own menu, with the window commands merged in.
        m_shown = m_userMenu;
        if (!m_userMenu->skinComponent())
            m_userMenu->setSkinComponent(&m_frame);
        if (m_useDefault)
            mergeSystemMenu(m_userMenu->items(), state, actions(), strings);
    } else {
        buildSystemMenu(m_menu->items(), state, actions(), strings);
    }
    m_opened.start();
    m_shown->popupFromRect(anchor, false);
}

void SystemMenu::showAt(const QPoint& global)
{
    if (m_disabled)
        return;
    m_byButton = false;
    popup(Rect::sized(0, 0).translated(global.x(), global.y()));
}

void SystemMenu::showBelowButton()
{
    if (m_disabled || !m_frame.window()->isVisible())
        return;
    const auto& objects = m_frame.objects();
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const CaptionButton& b = objects[i];
        if (b.command() != StdCommand::SysMenu || b.isCaption() || !b.enabled() || !b.visible())
            continue;
        const Rect r = m_frame.objectOnScreen(int(i));
        if (r.isEmpty())
            continue;
        m_byButton = false;
        popup(r);
        return;
    }
}

void SystemMenu::showFromButton(const Rect& button)
{
    popup(button);
    m_byButton = true;
}

void SystemMenu::buttonDoubleClicked()
{
    if (m_inMenu)
        m_closeAfterMenu = true;
    else
        closeWindow();
}

void SystemMenu::opened()
{
    if (m_inMenu)
        return;
    m_inMenu = true;
    m_closeAfterMenu = false;
    // Watches presses on the menu's windows (a second click on the
    // system-menu button lands on the menu, which has the pointer).
    QCoreApplication::instance()->installEventFilter(this);
}

void SystemMenu::closed()
{
    if (!m_inMenu)
        return;
    m_inMenu = false;
    QCoreApplication::instance()->removeEventFilter(this);
    if (m_closeAfterMenu) {
        m_closeAfterMenu = false;
        closeWindow();
    }
}

bool SystemMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    if (!m_inMenu || !watched->isWidgetType() || !m_byButton)
        return false;
    const auto* e = static_cast<QMouseEvent*>(event);
    if (e->button() != Qt::LeftButton || m_opened.elapsed() > QApplication::doubleClickInterval())
        return false;
    const int index = m_frame.getIndex("sysmenubutton");
    if (index >= 0 && m_frame.objectOnScreen(index).contains(platform::toPoint(e->globalPosition().toPoint())))
        m_closeAfterMenu = true;
    return false;
}

} // namespace tessaly::skin
