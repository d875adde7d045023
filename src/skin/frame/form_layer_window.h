#pragma once

#include "skin/frame/layer_border_layout.h"
#include "skin/frame/layer_manager.h"

namespace tessaly::skin {

class FormLayerBorder;

// One strip window of a layered border: a frameless translucent tool window
// that is never activated or focused and has no task-bar entry; the window
// manager stacks it with the window it surrounds (it is transient for that
// window). It shows its strip image at the border's opacity. Over a
// mouse-sensitive border it shows the sizing cursors and hands presses to
// its border; a border without one lets the pointer through. The strips of
// a window kept above others are kept above others too.
class FormLayerWindow : public LayerWindow {
public:
    FormLayerWindow(FormLayerBorder* owner, FormLayerBorderType type, bool transparentForInput, bool staysOnTop);

    FormLayerBorderType borderType() const { return m_borderType; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    FormLayerBorder* m_layerBorder;
    FormLayerBorderType m_borderType;
};

} // namespace tessaly::skin
