#include "skin/menus/menu_accessibility.h"

#include "skin/menus/drop_shadow.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <vector>

#include "platform/qt_geometry.h"
#include "skin/menus/skin_hint_window.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_window.h"
#include "skin/paint/caption_text.h"

namespace tessaly::skin {

namespace {

// One item of an open popup window. The window rebuilds its items for every
// menu it shows; an entry made for an earlier build is no longer valid.
class AccessibleMenuEntry : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleMenuEntry(SkinPopupWindow* window, int index)
        : m_window(window), m_index(index), m_build(window->itemsBuild())
    {
    }

    bool isValid() const override
    {
        return m_window && m_window->itemsBuild() == m_build && m_index < m_window->itemCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_window ? m_window->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_window); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        const MenuItem& item = menuItem();
        switch (t) {
        case QAccessible::Name:
            return item.isSeparator() ? QString() : spokenCaption(item.caption);
        case QAccessible::Description:
            return item.hint;
        case QAccessible::Accelerator:
            return item.shortCutText();
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QAccessible::Role role() const override
    {
        return isValid() && menuItem().isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const SkinMenuItem& entry = m_window->item(m_index);
        const MenuItem& item = entry.menuItem();
        s.disabled = !item.enabled;
        s.focusable = entry.usable();
        s.selectable = entry.usable();
        s.focused = s.selected = m_window->activeItem() == m_index;
        s.checkable = item.checked;
        s.checked = item.checked;
        s.hasPopup = item.hasItems();
        s.expanded = entry.down;
        s.invisible = !entry.visible || !m_window->isVisible();
        s.offscreen = s.invisible;
        return s;
    }

    QRect rect() const override
    {
        return isValid() ? platform::toQRect(m_window->screenRect(m_window->item(m_index))) : QRect();
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override
    {
        if (!isValid() || !m_window->item(m_index).usable())
            return {};
        return {menuItem().hasItems() ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& actionName) override
    {
        if (!actionNames().contains(actionName))
            return;
        // Chosen as a click chooses it: the command runs once the menu has
        // closed, a parent item opens its sub-menu.
        m_window->engine().itemClicked(*m_window, m_window->item(m_index));
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    MenuItem& menuItem() const { return m_window->item(m_index).menuItem(); }

    QPointer<SkinPopupWindow> m_window;
    int m_index;
    int m_build;
};

// A popup window: a popup menu named by the item it opens from, its items
// as children. The entries of the current build are kept so that a tool
// asking twice meets the same object.
class AccessiblePopupMenu : public QAccessibleWidget {
public:
    explicit AccessiblePopupMenu(SkinPopupWindow* window) : QAccessibleWidget(window, QAccessible::PopupMenu) {}
    ~AccessiblePopupMenu() override { forgetEntries(); }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        // Named by the item it opens from, or else by what opened it.
        if (popup()->menuItem() && !popup()->menuItem()->caption.isEmpty())
            return spokenCaption(popup()->menuItem()->caption);
        QAccessibleInterface* opener = parent();
        return opener ? opener->text(QAccessible::Name) : QString();
    }
    // The first level belongs to the control that opened it (a menu
    // button lists it as its child), a sub-menu to the level before.
    QAccessibleInterface* parent() const override
    {
        SkinMenu& engine = popup()->engine();
        if (popup()->level() > 0)
            return QAccessible::queryAccessibleInterface(engine.window(popup()->level() - 1));
        if (QObject* control = engine.popupControl(); control && control->isWidgetType())
            return QAccessible::queryAccessibleInterface(control);
        return QAccessibleWidget::parent();
    }
    int childCount() const override { return popup()->itemCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        syncEntries();
        QAccessible::Id& id = m_entries[std::size_t(index)];
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(new AccessibleMenuEntry(popup(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* entry = child(i); entry->rect().contains(x, y))
                return entry;
        return nullptr;
    }

private:
    SkinPopupWindow* popup() const { return static_cast<SkinPopupWindow*>(widget()); }

    void syncEntries() const
    {
        if (m_build == popup()->itemsBuild() && m_entries.size() == std::size_t(childCount()))
            return;
        forgetEntries();
        m_build = popup()->itemsBuild();
        m_entries.assign(std::size_t(childCount()), 0);
    }
    void forgetEntries() const
    {
        for (QAccessible::Id id : m_entries)
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
        m_entries.clear();
    }

    mutable std::vector<QAccessible::Id> m_entries;
    mutable int m_build = -1;
};

// A hint: a tool tip that says its text.
class AccessibleHint : public QAccessibleWidget {
public:
    explicit AccessibleHint(SkinHintWindow* hint) : QAccessibleWidget(hint, QAccessible::ToolTip) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name || t == QAccessible::Description)
            return static_cast<SkinHintWindow*>(widget())->shownText();
        return QAccessibleWidget::text(t);
    }
};

} // namespace

QAccessibleInterface* skinnedMenuAccessible(const QString&, QObject* object)
{
    if (auto* popup = dynamic_cast<SkinPopupWindow*>(object))
        return new AccessiblePopupMenu(popup);
    if (auto* hint = dynamic_cast<SkinHintWindow*>(object))
        return new AccessibleHint(hint);
    // A shadow is decoration beside a menu or hint, as a glow is.
    if (auto* shadow = dynamic_cast<DropShadowWindow*>(object))
        return new QAccessibleWidget(shadow, QAccessible::Border);
    return nullptr;
}

void installMenuAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(skinnedMenuAccessible);
        return true;
    }();
    (void)installed;
}

void tellMenuOpened(SkinPopupWindow& window)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(&window, QAccessible::PopupMenuStart);
    QAccessible::updateAccessibility(&event);
}

void tellMenuClosed(SkinPopupWindow& window)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(&window, QAccessible::PopupMenuEnd);
    QAccessible::updateAccessibility(&event);
}

void tellItemHighlighted(SkinPopupWindow& window, int index)
{
    if (!QAccessible::isActive() || index < 0)
        return;
    QAccessibleEvent event(&window, QAccessible::Focus);
    event.setChild(index);
    QAccessible::updateAccessibility(&event);
}

} // namespace tessaly::skin
