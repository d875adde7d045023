#include "skin/controls/skin_bound.h"

#include "platform/qt_skin_notice_event.h"
#include "skin/data/skin_notifier.h"

#include <QWidget>

namespace tessaly::skin {

void applySkinNotice(SkinBound& control, int message, const SkinData* registry)
{
    if (registry && control.skinData() != registry)
        return;
    if (message == SKINMSG_BEFORE_CHANGE)
        control.beforeChangeSkinData();
    else if (message == SKINMSG_CHANGE)
        control.changeSkinData();
}

void relaySkinNotice(QWidget* root, int message, const SkinData* registry)
{
    if (!root || (message != SKINMSG_BEFORE_CHANGE && message != SKINMSG_CHANGE))
        return;
    // The list is taken first: a control may create or drop children of
    // its own while it changes.
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* widget : widgets)
        if (auto* bound = dynamic_cast<SkinBound*>(widget))
            applySkinNotice(*bound, message, registry);
}

bool handleSkinNoticeEvent(SkinBound& control, QEvent* event)
{
    if (event->type() != SkinNoticeEvent::eventType())
        return false;
    const auto* notice = static_cast<const SkinNoticeEvent*>(event);
    applySkinNotice(control, notice->message(), notice->sender());
    return true;
}

} // namespace tessaly::skin
