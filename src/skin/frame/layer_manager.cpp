#include "skin/frame/layer_manager.h"

#include <QPainter>
#include <QTimerEvent>
#include <algorithm>

#include "platform/qt_compositor.h"
#include "skin/paint/device_picture.h"
#include "skin/paint/stack_blur.h"

namespace tessaly::skin {

LayerWindow::LayerWindow()
    : LayerWindow(Qt::ToolTip | Qt::WindowTransparentForInput | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("glow"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

LayerWindow::LayerWindow(Qt::WindowFlags flags)
    : QWidget(nullptr, flags | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void LayerWindow::setImage(QImage image)
{
    m_image = std::move(image);
    resize(m_image.size());
    update();
}

void LayerWindow::setImage(QImage image, const QPoint& at)
{
    m_image = std::move(image);
    setGeometry(QRect(at, m_image.size()));
    update();
}

void LayerWindow::setOpacity(int alpha)
{
    m_alpha = std::clamp(alpha, 0, 255);
    update();
}

void LayerWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(m_alpha / 255.0);
    // Scaled to the screen's pixels once per picture and factor.
    if (m_deviceImage.isNull() || m_deviceImageKey != m_image.cacheKey() ||
        m_deviceImage.devicePixelRatio() != DeviceScale::fromRatio(devicePixelRatioF()).ratio()) {
        m_deviceImage = scaledToDevice(m_image, devicePixelRatioF());
        m_deviceImageKey = m_image.cacheKey();
    }
    painter.drawImage(QPointF(0, 0), m_deviceImage);
}

LayerManager::LayerManager() = default;
LayerManager::~LayerManager() = default;

void LayerManager::show(const QPoint& screenPos, PixelView image, PixelView mask, int alpha)
{
    if (!platform::compositingManagerRunning() || image.isEmpty())
        return;
    hide();
    m_visible = true;
    m_bmp.assign(image);
    if (!mask.isEmpty())
        alphaFromMask(m_bmp, mask);
    m_bmp.checkRGBA();
    const QImage glow(reinterpret_cast<const uchar*>(m_bmp.rowPointer(0)), m_bmp.width(), m_bmp.height(),
                      qsizetype(m_bmp.width()) * 4, QImage::Format_ARGB32_Premultiplied);
    if (!m_window)
        m_window = std::make_unique<LayerWindow>();
    m_window->setImage(glow.copy());
    m_window->setOpacity(0);
    m_window->move(screenPos);
    m_window->show();
    m_window->raise();
    m_endAlpha = std::clamp(alpha, 0, 255);
    // A step of at least 1, so that every fade ends.
    m_stepAlpha = std::max(m_endAlpha / 10, 1);
    m_beginAlpha = 0;
    if (m_endAlpha > 0)
        m_timer.start(kFadeInterval, this);
}

void LayerManager::hide()
{
    m_timer.stop();
    m_bmp.clear();
    m_visible = false;
    if (m_window)
        m_window->hide();
}

void LayerManager::fadeStep()
{
    if (!m_visible || !m_window) {
        m_timer.stop();
        return;
    }
    m_beginAlpha = std::min(m_beginAlpha + m_stepAlpha, m_endAlpha);
    m_window->setOpacity(m_beginAlpha);
    if (m_beginAlpha >= m_endAlpha)
        m_timer.stop();
}

void LayerManager::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer.timerId())
        fadeStep();
    else
        QObject::timerEvent(event);
}

} // namespace tessaly::skin
