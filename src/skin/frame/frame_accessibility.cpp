#include "skin/frame/frame_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <vector>

#include "platform/qt_frameless_window.h"
#include "platform/qt_geometry.h"
#include "skin/frame/caption_buttons.h"
#include "skin/frame/layer_manager.h"
#include "skin/frame/skin_frame.h"
#include "skin/frame/system_menu.h"
#include "skin/frame/window_states.h"
#include "skin/menus/skin_popup_menu.h"
#include "skin/menus/skin_popup_window.h"

namespace tessaly::skin {

namespace {

SkinFrame* frameOf(QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->isWindow())
        return nullptr;
    // The frame is a child of its window; it has no meta-object of its own.
    for (QObject* child : widget->children())
        if (auto* frame = dynamic_cast<SkinFrame*>(child))
            return frame;
    return nullptr;
}

// The spoken name of a caption button: what its command does now.
QString buttonName(const SkinFrame& frame, const CaptionButton& button)
{
    const WindowStates& states = frame.windowStates();
    switch (button.command()) {
    case StdCommand::Close:
        return QStringLiteral("Close");
    case StdCommand::Maximize:
        return states.state() == WindowState::Maximized ? QStringLiteral("Restore") : QStringLiteral("Maximize");
    case StdCommand::Minimize:
        return QStringLiteral("Minimize");
    case StdCommand::MinimizeToTray:
        return QStringLiteral("Minimize to tray");
    case StdCommand::RollUp:
        return states.rollUpState() ? QStringLiteral("Roll down") : QStringLiteral("Roll up");
    case StdCommand::SysMenu:
        return QStringLiteral("System menu");
    case StdCommand::Default:
        break;
    }
    // A custom button says what its skin calls it.
    const std::string& hint = button.look().hint;
    return QString::fromStdString(hint.empty() ? button.idName() : hint);
}

// One caption button, addressed by its place among the frame's objects.
// The frame makes its objects again when the skin changes: an entry made
// for another set of objects is no longer valid.
class AccessibleCaptionButton : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleCaptionButton(SkinFrame* frame, int index)
        : m_frame(frame), m_index(index), m_build(frame->captionButtons().build())
    {
    }

    bool isValid() const override
    {
        return m_frame && m_frame->captionButtons().build() == m_build && m_index < int(m_frame->objects().size());
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_frame ? m_frame->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return m_frame ? QAccessible::queryAccessibleInterface(m_frame->window()) : nullptr;
    }
    // The system menu, while open, is the system menu button's child.
    QAccessibleInterface* child(int index) const override
    {
        QWidget* menu = index == 0 ? openMenu() : nullptr;
        return menu ? QAccessible::queryAccessibleInterface(menu) : nullptr;
    }
    int childCount() const override { return openMenu() ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && openMenu() && child->object() == openMenu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name)
            return {};
        return buttonName(*m_frame, button());
    }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override
    {
        return isValid() && opensMenu() ? QAccessible::ButtonMenu : QAccessible::PushButton;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const CaptionButton& b = button();
        s.disabled = !b.enabled();
        s.invisible = !b.visible();
        s.pressed = b.pressed();
        s.hotTracked = b.hot();
        if (opensMenu()) {
            s.hasPopup = true;
            s.expanded = openMenu() != nullptr;
            s.collapsed = !s.expanded;
        }
        return s;
    }
    QRect rect() const override { return isValid() ? platform::toQRect(m_frame->objectOnScreen(m_index)) : QRect(); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override
    {
        if (!isValid() || !button().tracksPointer())
            return {};
        return {opensMenu() ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& actionName) override
    {
        if (!actionNames().contains(actionName))
            return;
        if (button().command() == StdCommand::SysMenu)
            m_frame->systemMenuPart().showFromButton(m_frame->objectOnScreen(m_index));
        else if (button().menu())
            m_frame->captionButtons().openLinkedMenu(m_index);
        else
            m_frame->captionButtons().runCommand(m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    const CaptionButton& button() const { return m_frame->objects()[std::size_t(m_index)]; }
    // The system menu button, or a button with a linked menu.
    bool opensMenu() const { return button().command() == StdCommand::SysMenu || button().menu(); }
    QWidget* openMenu() const
    {
        if (!isValid())
            return nullptr;
        if (button().command() != StdCommand::SysMenu)
            return button().menu() ? button().menu()->openWindow() : nullptr;
        return m_frame->systemMenu() ? m_frame->systemMenu()->openWindow() : nullptr;
    }

    QPointer<SkinFrame> m_frame;
    int m_index;
    int m_build;
};

// The window: named by its title; its caption buttons (the caption itself
// is the window's name) come before the widgets of the window.
class AccessibleSkinWindow : public QAccessibleWidget {
public:
    AccessibleSkinWindow(QWidget* window, SkinFrame* frame)
        : QAccessibleWidget(window, QAccessible::Window), m_frame(frame)
    {
    }
    ~AccessibleSkinWindow() override { forgetButtons(); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->windowTitle();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return int(buttonIndices().size()) + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override
    {
        const std::vector<int> buttons = buttonIndices();
        if (index < 0)
            return nullptr;
        if (index >= int(buttons.size()))
            return QAccessibleWidget::child(index - int(buttons.size()));
        return buttonInterface(buttons[std::size_t(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const std::vector<int> buttons = buttonIndices();
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (buttonInterface(buttons[i]) == child)
                return int(i);
        const int widgetIndex = QAccessibleWidget::indexOfChild(child);
        return widgetIndex < 0 ? -1 : widgetIndex + int(buttons.size());
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (const int i : buttonIndices())
            if (QAccessibleInterface* b = buttonInterface(i); b->rect().contains(x, y))
                return b;
        return QAccessibleWidget::childAt(x, y);
    }

private:
    // The frame's objects that are buttons a user can see.
    std::vector<int> buttonIndices() const
    {
        std::vector<int> indices;
        if (!m_frame)
            return indices;
        const auto& objects = m_frame->objects();
        for (std::size_t i = 0; i < objects.size(); ++i)
            if (!objects[i].isCaption() && objects[i].visible())
                indices.push_back(int(i));
        return indices;
    }
    QAccessibleInterface* buttonInterface(int index) const
    {
        if (m_frame->captionButtons().build() != m_build) {
            forgetButtons();
            m_build = m_frame->captionButtons().build();
            m_buttons.assign(m_frame->objects().size(), 0);
        }
        QAccessible::Id& id = m_buttons[std::size_t(index)];
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(new AccessibleCaptionButton(m_frame, index));
        return QAccessible::accessibleInterface(id);
    }
    void forgetButtons() const
    {
        for (QAccessible::Id id : m_buttons)
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
        m_buttons.clear();
    }

    QPointer<SkinFrame> m_frame;
    mutable int m_build = -1;
    mutable std::vector<QAccessible::Id> m_buttons;
};

} // namespace

QAccessibleInterface* skinnedWindowAccessible(const QString&, QObject* object)
{
    if (SkinFrame* frame = frameOf(object))
        return new AccessibleSkinWindow(static_cast<QWidget*>(object), frame);
    // Glows and the layered border's strips only decorate a window.
    if (auto* layer = dynamic_cast<LayerWindow*>(object))
        return new QAccessibleWidget(layer, QAccessible::Border);
    return nullptr;
}

void installFrameAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(skinnedWindowAccessible);
        return true;
    }();
    (void)installed;
}

} // namespace tessaly::skin
