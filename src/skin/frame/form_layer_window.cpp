#include "skin/frame/form_layer_window.h"

#include <QMouseEvent>

#include "skin/frame/form_layer_border.h"

namespace tessaly::skin {

namespace {

const char* nameOf(FormLayerBorderType type)
{
    switch (type) {
    case FormLayerBorderType::Left:
        return "layerborder-left";
    case FormLayerBorderType::Top:
        return "layerborder-top";
    case FormLayerBorderType::Right:
        return "layerborder-right";
    case FormLayerBorderType::Bottom:
        return "layerborder-bottom";
    }
    return "layerborder";
}

} // namespace

FormLayerWindow::FormLayerWindow(FormLayerBorder* owner, FormLayerBorderType type, bool transparentForInput,
                                 bool staysOnTop)
    : LayerWindow(Qt::Tool | Qt::NoDropShadowWindowHint
                  | (transparentForInput ? Qt::WindowTransparentForInput : Qt::WindowFlags())
                  | (staysOnTop ? Qt::WindowStaysOnTopHint : Qt::WindowFlags()))
    , m_layerBorder(owner)
    , m_borderType(type)
{
    setObjectName(QString::fromLatin1(nameOf(type)));
    setWindowTitle(objectName());
    if (transparentForInput)
        setAttribute(Qt::WA_TransparentForMouseEvents);
    else
        setMouseTracking(true);
}

void FormLayerWindow::mousePressEvent(QMouseEvent* event)
{
    m_layerBorder->stripPress(m_borderType, event->globalPosition().toPoint(), event->button());
    event->accept();
}

void FormLayerWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A second press sizes as the first one did; on the caption it is a
    // double click.
    m_layerBorder->stripPress(m_borderType, event->globalPosition().toPoint(), event->button(), true);
    event->accept();
}

void FormLayerWindow::leaveEvent(QEvent* event)
{
    m_layerBorder->stripLeft(m_borderType);
    LayerWindow::leaveEvent(event);
}

void FormLayerWindow::mouseMoveEvent(QMouseEvent* event)
{
    const Qt::CursorShape shape = m_layerBorder->stripMove(m_borderType, event->globalPosition().toPoint());
    if (shape == Qt::ArrowCursor)
        unsetCursor();
    else
        setCursor(shape);
    event->accept();
}

void FormLayerWindow::mouseReleaseEvent(QMouseEvent* event)
{
    m_layerBorder->stripRelease(m_borderType, event->globalPosition().toPoint(), event->button());
    event->accept();
}

} // namespace tessaly::skin
