#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "skin/data/skin_notifier.h"

namespace tessaly::skin {

// The application's windows as skin registries see them: every top-level
// window that wears a skin frame, in the order the windows were created.
// A notice reaches a window as a SkinNoticeEvent sent to it synchronously;
// the registry itself decides the direction of the walk.
class ApplicationNotifier : public SkinNotifier {
public:
    ApplicationNotifier();
    ~ApplicationNotifier() override;

    // The program's one notifier.
    static ApplicationNotifier& instance();

    // Adds a window at the end (once); windows that are destroyed drop out
    // by themselves.
    void addWindow(QWidget* window);
    void removeWindow(QWidget* window);
    // The receiver that stands for the window (null when not added), e.g.
    // as a registry's owner window.
    SkinNoticeReceiver* receiverOf(const QWidget* window) const;

    std::vector<SkinNoticeReceiver*> windows() const override;

private:
    class WindowReceiver;
    std::vector<std::unique_ptr<WindowReceiver>> m_windows;
};

} // namespace tessaly::skin
