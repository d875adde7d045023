#include "skin/frame/application_notifier.h"

#include <QCoreApplication>
#include <algorithm>

#include "skin/controls/skin_notice_event.h"

namespace tessaly::skin {

class ApplicationNotifier::WindowReceiver : public SkinNoticeReceiver {
public:
    explicit WindowReceiver(QWidget* window) : m_window(window) {}

    void skinNotice(int message, SkinData& sender) override
    {
        if (!m_window)
            return;
        SkinNoticeEvent event(message, &sender);
        QCoreApplication::sendEvent(m_window, &event);
    }

    QWidget* window() const { return m_window; }
    void forget() { m_window = nullptr; }

private:
    QPointer<QWidget> m_window;
};

ApplicationNotifier::ApplicationNotifier() = default;
ApplicationNotifier::~ApplicationNotifier() = default;

ApplicationNotifier& ApplicationNotifier::instance()
{
    static ApplicationNotifier notifier;
    return notifier;
}

void ApplicationNotifier::addWindow(QWidget* window)
{
    if (!window || receiverOf(window))
        return;
    // Receivers of windows that are gone are dropped here rather than on
    // removal, which may happen while a notice is being delivered.
    std::erase_if(m_windows, [](const auto& r) { return !r->window(); });
    m_windows.push_back(std::make_unique<WindowReceiver>(window));
}

void ApplicationNotifier::removeWindow(QWidget* window)
{
    for (const auto& r : m_windows)
        if (r->window() == window)
            r->forget();
}

SkinNoticeReceiver* ApplicationNotifier::receiverOf(const QWidget* window) const
{
    for (const auto& r : m_windows)
        if (r->window() == window)
            return r.get();
    return nullptr;
}

std::vector<SkinNoticeReceiver*> ApplicationNotifier::windows() const
{
    std::vector<SkinNoticeReceiver*> result;
    for (const auto& r : m_windows)
        if (r->window())
            result.push_back(r.get());
    return result;
}

} // namespace tessaly::skin
