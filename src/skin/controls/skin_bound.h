#pragma once

#include <string>

class QEvent;
class QWidget;

namespace tessaly::skin {

class SkinData;

// A control that takes its look from a skin registry. The window's frame
// relays the registry's notices to every such control of its window: the
// before-change notice drops everything taken from the registry, the
// change notice looks the record up again and repaints.
class SkinBound {
public:
    virtual ~SkinBound() = default;
    virtual SkinData* skinData() const = 0;
    // The name of the record the control looks for, and where the registry
    // holds it (-1 while unbound or without one).
    virtual const std::string& skinDataName() const = 0;
    virtual int index() const = 0;
    virtual void beforeChangeSkinData() = 0;
    virtual void changeSkinData() = 0;
};

// One control's answer to a registry notice: SKINMSG_BEFORE_CHANGE drops
// what it took from the registry, SKINMSG_CHANGE looks its record up again
// and repaints; only when `registry` is the control's own, or null (a
// notice for every control). Other notices are ignored.
void applySkinNotice(SkinBound& control, int message, const SkinData* registry);

// Delivers a registry notice (SKINMSG_BEFORE_CHANGE or SKINMSG_CHANGE) to
// every skinned control under `root` bound to `registry`, or to all of them
// when `registry` is null. Other notices are ignored.
void relaySkinNotice(QWidget* root, int message, const SkinData* registry);

// Answers a registry notice relayed to the control as an event (see
// platform/qt_skin_notice_event.h); true when `event` was one.
bool handleSkinNoticeEvent(SkinBound& control, QEvent* event);

} // namespace tessaly::skin
