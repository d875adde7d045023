#include "process/cps_startup_info.h"

namespace tessaly::process {

namespace {

std::uint16_t showWindowValue(CPSShowWindow value)
{
    switch (value) {
    case CPSShowWindow::Hide: return 0;
    case CPSShowWindow::Minimize: return 2;
    case CPSShowWindow::Maximize: return 3;
    case CPSShowWindow::Normal: return 1;
    }
    return 1;
}

} // namespace

StartupRecord CPSStartupInfo::startupInfo() const
{
    StartupRecord record;
    record.desktop = m_desktop;
    record.title = m_title;
    if (!m_defaultPosition) {
        record.x = m_left;
        record.y = m_top;
        record.flags |= StartupRecord::UsePosition;
    }
    if (!m_defaultSize) {
        record.width = m_width;
        record.height = m_height;
        record.flags |= StartupRecord::UseSize;
    }
    if (!m_defaultWindowState) {
        record.showWindow = showWindowValue(m_showWindow);
        record.flags |= StartupRecord::UseShowWindow;
    }
    if (m_forceOnFeedback)
        record.flags |= StartupRecord::ForceOnFeedback;
    if (m_forceOffFeedback)
        record.flags |= StartupRecord::ForceOffFeedback;
    return record;
}

} // namespace tessaly::process
