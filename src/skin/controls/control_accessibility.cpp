#include "skin/controls/control_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_link_label.h"
#include "skin/controls/skin_menu_speed_button.h"
#include "skin/controls/skin_speed_button.h"
#include "skin/controls/skin_panel.h"
#include "skin/controls/skin_status_bar.h"
#include "skin/controls/skin_tab_control.h"
#include "skin/controls/skin_toggle_button.h"
#include "skin/paint/caption_text.h"

namespace tessaly::skin {

namespace {

// Push and tool buttons: named by their caption unless the window names
// them (a glyph-only button such as "…" needs a spoken name); pressed,
// focused and hot states; "Press" clicks as a click of the pointer does,
// and a menu button's "Show menu" opens its menu.
class AccessibleSkinButton : public QAccessibleWidget {
public:
    explicit AccessibleSkinButton(SkinButtonBase* button)
        : QAccessibleWidget(button, dynamic_cast<SkinMenuSpeedButton*>(button) ? QAccessible::ButtonMenu
                                                                                 : QAccessible::PushButton)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString named = widget()->accessibleName();
            return named.isEmpty() ? spokenCaption(button()->text()) : named;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        // A check or grouped button is checked while down; others are
        // pressed.
        s.checkable = button()->isCheckable();
        s.checked = s.checkable && button()->isDown();
        s.pressed = !s.checkable && button()->isDown();
        s.hotTracked = button()->isMouseIn();
        if (auto* toggle = dynamic_cast<SkinToggleButton*>(widget())) {
            s.checkable = true;
            s.checked = toggle->isChecked();
        }
        if (SkinMenuSpeedButton* menu = menuButton()) {
            s.hasPopup = menu->popupMenu() != nullptr;
            s.expanded = menu->menuTracked();
            s.collapsed = s.hasPopup && !s.expanded;
        }
        return s;
    }

    // A menu button's open menu is its child.
    int childCount() const override { return openMenu() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        QWidget* menu = index == 0 ? openMenu() : nullptr;
        return menu ? QAccessible::queryAccessibleInterface(menu) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && openMenu() && child->object() == openMenu() ? 0 : -1;
    }

    QStringList actionNames() const override
    {
        if (!widget()->isEnabled())
            return {};
        if (SkinMenuSpeedButton* menu = menuButton(); menu && menu->popupMenu())
            return {showMenuAction()};
        if (button()->isCheckable())
            return {pressAction(), toggleAction()};
        return {pressAction()};
    }

    void doAction(const QString& actionName) override
    {
        if (!widget()->isEnabled())
            return;
        if (actionName == pressAction()) {
            button()->activate();
        } else if (actionName == toggleAction() && button()->isCheckable()) {
            button()->activate();
        } else if (actionName == showMenuAction()) {
            if (SkinMenuSpeedButton* menu = menuButton())
                menu->showMenu();
        }
    }

private:
    SkinButtonBase* button() const { return static_cast<SkinButtonBase*>(widget()); }
    SkinMenuSpeedButton* menuButton() const { return dynamic_cast<SkinMenuSpeedButton*>(widget()); }
    QWidget* openMenu() const
    {
        SkinMenuSpeedButton* menu = menuButton();
        return menu && menu->popupMenu() ? menu->popupMenu()->openMenuWindow() : nullptr;
    }
};

// The link label: Qt would offer it as static text; it is a link that
// "Press" follows as a click does.
class AccessibleSkinLink : public QAccessibleWidget {
public:
    explicit AccessibleSkinLink(SkinLinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<SkinLinkLabel*>(widget());
        if (t == QAccessible::Name)
            return widget()->accessibleName().isEmpty() ? label->text() : widget()->accessibleName();
        if (t == QAccessible::Value)
            return label->url();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        return widget()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction() && widget()->isEnabled())
            static_cast<SkinLinkLabel*>(widget())->activate();
    }
};

// The edit's frame around its text field: a group named as the field, so
// that a reader announces the field once.
class AccessibleSkinEdit : public QAccessibleWidget {
public:
    explicit AccessibleSkinEdit(SkinEdit* edit) : QAccessibleWidget(edit, QAccessible::Grouping) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<SkinEdit*>(widget())->lineEdit()->accessibleName();
        return QAccessibleWidget::text(t);
    }
    // The side button, when the field has one.
    QStringList actionNames() const override
    {
        return edit()->buttonMode() && edit()->isEnabled() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction() && edit()->buttonMode() && edit()->isEnabled())
            edit()->buttonClick();
    }

private:
    SkinEdit* edit() const { return static_cast<SkinEdit*>(widget()); }
};

// The panel: a group named by its caption; in check mode a check box of
// its own, in roll-up mode expanded or collapsed, "Toggle" doing what a
// click on its caption does.
class AccessibleSkinPanel : public QAccessibleWidget {
public:
    explicit AccessibleSkinPanel(SkinPanel* panel) : QAccessibleWidget(panel, QAccessible::Grouping) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return spokenCaption(panel()->text());
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = panel()->checkedMode();
        s.checked = s.checkable && panel()->isChecked();
        if (panel()->rollUpMode()) {
            s.expandable = true;
            s.collapsed = panel()->rollUpState();
            s.expanded = !s.collapsed;
        }
        return s;
    }
    QStringList actionNames() const override
    {
        return panel()->checkedMode() || panel()->rollUpMode() ? QStringList{toggleAction()} : QStringList{};
    }
    void doAction(const QString& actionName) override
    {
        if (actionName == toggleAction())
            panel()->toggleByUser();
    }

private:
    SkinPanel* panel() const { return static_cast<SkinPanel*>(widget()); }
};

// The tab control: a list of page tabs whose value is the chosen tab;
// "Next" and "Previous" choose as the arrow keys do.
class AccessibleSkinTabs : public QAccessibleWidget {
public:
    explicit AccessibleSkinTabs(SkinTabControl* tabs) : QAccessibleWidget(tabs, QAccessible::PageTabList) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return tabs()->tabs().value(tabs()->currentIndex());
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {nextPageAction(), previousPageAction()}; }
    void doAction(const QString& actionName) override
    {
        if (actionName == nextPageAction())
            tabs()->setCurrentIndex(tabs()->currentIndex() + 1);
        else if (actionName == previousPageAction())
            tabs()->setCurrentIndex(tabs()->currentIndex() - 1);
    }

private:
    SkinTabControl* tabs() const { return static_cast<SkinTabControl*>(widget()); }
};

} // namespace

QAccessibleInterface* skinnedControlAccessible(const QString&, QObject* object)
{
    // The controls carry no meta-object of their own (their class name is
    // QWidget's): they are told apart by their C++ type.
    if (auto* button = dynamic_cast<SkinButtonBase*>(object))
        return new AccessibleSkinButton(button);
    if (auto* link = dynamic_cast<SkinLinkLabel*>(object))
        return new AccessibleSkinLink(link);
    if (auto* edit = dynamic_cast<SkinEdit*>(object))
        return new AccessibleSkinEdit(edit);
    if (auto* tabs = dynamic_cast<SkinTabControl*>(object))
        return new AccessibleSkinTabs(tabs);
    // The status bar: its panels are labels of their own.
    if (auto* bar = dynamic_cast<SkinStatusBar*>(object))
        return new QAccessibleWidget(bar, QAccessible::StatusBar);
    if (auto* panel = dynamic_cast<SkinPanel*>(object))
        return new AccessibleSkinPanel(panel);
    return nullptr;
}

void forgetBaseAccessible(QObject* object)
{
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void installControlAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(skinnedControlAccessible);
        return true;
    }();
    (void)installed;
}

} // namespace tessaly::skin
