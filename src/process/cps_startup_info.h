#pragma once

#include "process/process_types.h"

#include <cstdint>
#include <string>

namespace tessaly::process {

// The start-up record built from CPSStartupInfo, with the values the
// window-system start-up flags would carry. On Linux a console child has no
// window, so the record is kept for callers but does not change the child.
struct StartupRecord {
    static constexpr std::uint32_t UseShowWindow = 0x1;
    static constexpr std::uint32_t UseSize = 0x2;
    static constexpr std::uint32_t UsePosition = 0x4;
    static constexpr std::uint32_t ForceOnFeedback = 0x40;
    static constexpr std::uint32_t ForceOffFeedback = 0x80;
    static constexpr std::uint32_t UseStdHandles = 0x100;

    std::uint32_t flags = 0;
    std::string desktop; // empty: none
    std::string title;   // empty: none
    std::int32_t x = 0, y = 0, width = 0, height = 0;
    std::uint16_t showWindow = 0; // SW_HIDE 0, SW_SHOWNORMAL 1, SW_SHOWMINIMIZED 2, SW_SHOWMAXIMIZED 3
};

// Window settings for the child (copyable; assignment copies all twelve).
class CPSStartupInfo {
public:
    const std::string& desktop() const { return m_desktop; }
    void setDesktop(std::string value) { m_desktop = std::move(value); }
    const std::string& title() const { return m_title; }
    void setTitle(std::string value) { m_title = std::move(value); }
    std::int32_t left() const { return m_left; }
    void setLeft(std::int32_t value) { m_left = value; }
    std::int32_t top() const { return m_top; }
    void setTop(std::int32_t value) { m_top = value; }
    bool defaultPosition() const { return m_defaultPosition; }
    void setDefaultPosition(bool value) { m_defaultPosition = value; }
    std::int32_t width() const { return m_width; }
    void setWidth(std::int32_t value) { m_width = value; }
    std::int32_t height() const { return m_height; }
    void setHeight(std::int32_t value) { m_height = value; }
    bool defaultSize() const { return m_defaultSize; }
    void setDefaultSize(bool value) { m_defaultSize = value; }
    CPSShowWindow showWindow() const { return m_showWindow; }
    void setShowWindow(CPSShowWindow value) { m_showWindow = value; }
    bool defaultWindowState() const { return m_defaultWindowState; }
    void setDefaultWindowState(bool value) { m_defaultWindowState = value; }
    bool forceOnFeedback() const { return m_forceOnFeedback; }
    void setForceOnFeedback(bool value) { m_forceOnFeedback = value; }
    bool forceOffFeedback() const { return m_forceOffFeedback; }
    void setForceOffFeedback(bool value) { m_forceOffFeedback = value; }

    StartupRecord startupInfo() const;

    bool operator==(const CPSStartupInfo&) const = default;

private:
    std::string m_desktop;
    std::string m_title;
    bool m_defaultPosition = true;
    bool m_defaultWindowState = true;
    bool m_defaultSize = true;
    std::int32_t m_height = 0;
    std::int32_t m_left = 0;
    std::int32_t m_width = 0;
    CPSShowWindow m_showWindow = CPSShowWindow::Normal;
    std::int32_t m_top = 0;
    bool m_forceOnFeedback = false;
    bool m_forceOffFeedback = false;
};

} // namespace tessaly::process
