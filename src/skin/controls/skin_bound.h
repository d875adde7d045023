#pragma once

#include <string>

class QEvent;
class QWidget;

namespace tessaly::skin {

class DataSkinControl;
class SkinData;

// Which control record of which registry a control wears. The record is
// found by name; `index` is where the registry holds it, -1 while the
// control is unbound (no registry, an empty one, or no record of that
// name): then the control draws its built-in look.
struct RecordBinding {
    SkinData* registry = nullptr;
    std::string name;
    int index = -1;

    bool isBound() const { return index != -1; }
    void unbind() { index = -1; }
    // Finds the record by name again (the registry's records change with
    // every skin) and answers it, or null when unbound.
    const DataSkinControl* lookUp();
    // The bound record (null while unbound), and the same as a record of
    // one kind (null for another kind).
    const DataSkinControl* record() const;
    template <class Record>
    const Record* recordAs() const
    {
        return dynamic_cast<const Record*>(record());
    }
};

// A control that takes its look from a skin registry. The window's frame
// relays the registry's notices to every such control of its window: the
// before-change notice drops everything taken from the registry, the
// change notice looks the record up again and repaints.
class SkinBound {
public:
    explicit SkinBound(std::string recordName = {}) { m_binding.name = std::move(recordName); }
    virtual ~SkinBound() = default;

    SkinData* skinData() const { return m_binding.registry; }
    // The name of the record the control looks for; only stored: the next
    // look-up uses it.
    const std::string& skinDataName() const { return m_binding.name; }
    void setSkinDataName(std::string name) { m_binding.name = std::move(name); }
    // Where the registry holds the record (-1 while unbound).
    int index() const { return m_binding.index; }

    virtual void beforeChangeSkinData() = 0;
    virtual void changeSkinData() = 0;

protected:
    RecordBinding m_binding;
};

// One control's answer to a registry notice: SKINMSG_BEFORE_CHANGE drops
// what it took from the registry, SKINMSG_CHANGE looks its record up again
// and repaints; only when `registry` is the control's own, or null (a
// notice for every control). Other notices are ignored.
void applySkinNotice(SkinBound& control, int message, const SkinData* registry);

// Relays a registry notice as a SkinNoticeEvent to every widget of
// `window`: its children at any depth, but not those of windows it owns
// (they get the notice themselves). Skinned controls answer it through
// handleSkinNoticeEvent; other widgets may watch for it.
void relaySkinNotice(QWidget* window, int message, const SkinData* registry);

// Answers a registry notice relayed to the control as an event (see
// skin_notice_event.h); true when `event` was one.
bool handleSkinNoticeEvent(SkinBound& control, QEvent* event);

} // namespace tessaly::skin
