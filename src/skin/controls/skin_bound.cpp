#include "skin/controls/skin_bound.h"

#include "skin/controls/skin_notice_event.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_notifier.h"

#include <QCoreApplication>
#include <QWidget>

namespace tessaly::skin {

const DataSkinControl* RecordBinding::lookUp()
{
    index = (!registry || registry->empty()) ? -1 : registry->getControlIndex(name);
    return record();
}

const DataSkinControl* RecordBinding::record() const
{
    if (index < 0 || !registry || std::size_t(index) >= registry->ctrlList().size())
        return nullptr;
    return registry->ctrlList()[std::size_t(index)].get();
}

void applySkinNotice(SkinBound& control, int message, const SkinData* registry)
{
    if (registry && control.skinData() != registry)
        return;
    if (message == SKINMSG_BEFORE_CHANGE)
        control.beforeChangeSkinData();
    else if (message == SKINMSG_CHANGE)
        control.changeSkinData();
}

void relaySkinNotice(QWidget* window, int message, const SkinData* registry)
{
    if (!window)
        return;
    // The list is taken first: a control may create or drop children of
    // its own while it changes.
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (widget->window() != window->window())
            continue;
        SkinNoticeEvent notice(message, registry);
        QCoreApplication::sendEvent(widget, &notice);
    }
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
