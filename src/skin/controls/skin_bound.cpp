#include "skin/controls/skin_bound.h"

#include "skin/data/skin_notifier.h"

#include <QWidget>

namespace tessaly::skin {

void relaySkinNotice(QWidget* root, int message, const SkinData* registry)
{
    if (!root || (message != SKINMSG_BEFORE_CHANGE && message != SKINMSG_CHANGE))
        return;
    // The list is taken first: a control may create or drop children of
    // its own while it changes.
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        auto* bound = dynamic_cast<SkinBound*>(widget);
        if (!bound || (registry && bound->skinData() != registry))
            continue;
        if (message == SKINMSG_BEFORE_CHANGE)
            bound->beforeChangeSkinData();
        else
            bound->changeSkinData();
    }
}

} // namespace tessaly::skin
