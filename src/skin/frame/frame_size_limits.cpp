#include "skin/frame/frame_size_limits.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace tessaly::skin {

FrameSizeLimits::FrameSizeLimits(QWidget* window, SkinGeometry skinGeometry, State state)
    : m_window(window)
    , m_skinGeometry(std::move(skinGeometry))
    , m_state(std::move(state))
{
}

void FrameSizeLimits::setSettings(const FrameSizeSettings& settings)
{
    m_settings = settings;
    apply();
}

int FrameSizeLimits::getMinWidth() const { return frameMinWidth(m_skinGeometry(), m_settings, m_state()); }

int FrameSizeLimits::getMinHeight() const { return frameMinHeight(m_skinGeometry(), m_settings, m_state()); }

int FrameSizeLimits::getMaxWidth() const { return frameMaxWidth(m_settings, workArea().width()); }

int FrameSizeLimits::getMaxHeight() const { return frameMaxHeight(m_settings, workArea().height()); }

QRect FrameSizeLimits::workArea() const
{
    const QScreen* screen = m_window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1 << 14, 1 << 14);
}

void FrameSizeLimits::apply()
{
    // Qt hands these to the window manager as the window's size hints, and
    // keeps its own resizes within them too.
    const int minW = getMinWidth(), minH = getMinHeight();
    m_window->setMinimumSize(minW, minH);
    m_window->setMaximumSize(std::max(minW, getMaxWidth()), std::max(minH, getMaxHeight()));
}

void FrameSizeLimits::release()
{
    m_window->setMinimumSize(0, 0);
    m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void FrameSizeLimits::watchScreen()
{
    // The maximum is the work area: a change of screen or of its work area
    // applies the limits again.
    auto watch = [this](QScreen* screen) {
        if (screen)
            connect(screen, &QScreen::availableGeometryChanged, this, [this] { apply(); });
        apply();
    };
    connect(m_window->windowHandle(), &QWindow::screenChanged, this, watch);
    watch(m_window->screen());
}

} // namespace tessaly::skin
