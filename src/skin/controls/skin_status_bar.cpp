#include "skin/controls/skin_status_bar.h"

#include <QEvent>

namespace tessaly::skin {

SkinStatusBar::SkinStatusBar(QWidget* parent)
    : SkinControl(parent)
{
    m_binding.name = "statusbar";
    resize(parent ? parent->width() : 150, 21);
    if (parent)
        parent->installEventFilter(this);
    dock();
}

void SkinStatusBar::setSkinData(SkinData* skinData)
{
    SkinControl::setSkinData(skinData);
    // The controls carry no meta-object of their own: look them up by their
    // C++ type.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (auto* control = dynamic_cast<SkinControl*>(child))
            control->setSkinData(skinData);
    dock();
}

void SkinStatusBar::dock()
{
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    const QRect place(0, parent->height() - height(), parent->width(), height());
    if (geometry() != place)
        setGeometry(place);
}

bool SkinStatusBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        dock();
    return SkinControl::eventFilter(watched, event);
}

void SkinStatusBar::resizeEvent(QResizeEvent* event)
{
    SkinControl::resizeEvent(event);
    // The record may change the height: stay on the bottom edge.
    dock();
}

} // namespace tessaly::skin
