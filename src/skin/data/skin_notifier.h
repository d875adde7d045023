#pragma once

#include <vector>

namespace tessaly::skin {

class SkinData;

// The notices a skin registry sends to the application's windows.
inline constexpr int SKINMSG_BEFORE_CHANGE = 1225;    // drop everything taken from the registry
inline constexpr int SKINMSG_CHANGE = 1226;           // the new data is in place: look it up again
inline constexpr int SKINMSG_AFTER_CHANGE = 1227;     // the change is finished
inline constexpr int SKINMSG_RESOURCE_STRINGS = 1274; // the registry's string component was set
inline constexpr int SKINMSG_LAYERED_BORDERS = 1427;  // the layered borders option changed

// A window that takes skin notices. Delivery is synchronous: the registry
// goes on only after skinNotice has returned.
class SkinNoticeReceiver {
public:
    virtual ~SkinNoticeReceiver() = default;
    virtual void skinNotice(int message, SkinData& sender) = 0;
    // The layered border windows follow their own window and are left out.
    virtual bool isLayeredBorderWindow() const { return false; }
};

// The application's windows, as the registry sends its notices to them.
class SkinNotifier {
public:
    virtual ~SkinNotifier() = default;
    // Every application window, in the application's window order.
    virtual std::vector<SkinNoticeReceiver*> windows() const = 0;
};

} // namespace tessaly::skin
