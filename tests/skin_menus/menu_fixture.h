#pragma once

// Shared pieces of the menu tests: the pewter registry, a control that
// records the menu's notices, and the status bar's menu.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <memory>
#include <string>
#include <vector>

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"
#include "skin/menus/menu_events.h"
#include "skin/menus/skin_popup_menu.h"

namespace tessaly::skin::test {

// The built-in skin, loaded once.
inline SkinData& pewter()
{
    static std::unique_ptr<SkinData> data = [] {
        CompressedStoredSkin stored;
        stored.loadFromCompressBytes(embedded_pewter());
        auto sd = std::make_unique<SkinData>();
        sd->loadCompressedStoredSkin(stored);
        return sd;
    }();
    return *data;
}

// Everything that happens, in order: notices to the control and commands.
using Log = std::vector<std::string>;

class RecordingControl : public QObject {
public:
    explicit RecordingControl(Log& log, std::string name = "control")
        : m_log(log)
        , m_name(std::move(name))
    {
    }
    bool event(QEvent* e) override
    {
        if (e->type() == closeSkinMenuEvent)
            m_log.push_back(m_name + " closed");
        else if (e->type() == skinMenuItemDoneEvent)
            m_log.push_back(m_name + " done");
        else
            return QObject::event(e);
        return true;
    }

private:
    Log& m_log;
    std::string m_name;
};

// "Visit Our Website", a separator and "About", each logging its command.
inline void addStatusBarItems(SkinPopupMenu& menu, Log& log)
{
    menu.items().add(QStringLiteral("Visit Our Website"), [&log] { log.push_back("Visit Our Website"); });
    menu.items().addSeparator();
    menu.items().add(QStringLiteral("About"), [&log] { log.push_back("About"); });
}

inline void processEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace tessaly::skin::test
