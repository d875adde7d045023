#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>

#include "skin/paint/bitmap.h"

namespace tessaly::skin {

// The window that shows a shadow picture: translucent, never activated,
// transparent for the pointer, not managed by the window manager (like the
// menus and hints it lies under).
class DropShadowWindow : public QWidget {
public:
    DropShadowWindow();
    void setImage(QImage image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

// The soft shadow under a popup menu or a hint: a translucent window just
// below the shadowed one, offset down and to the right, showing a blurred
// copy of its shape with the shape itself cut out (the shadow shows only
// beside it, so a translucent menu is not darkened). Shown only while
// translucent windows can be shown (a compositing manager runs): without
// one it would be a black box, so there is no shadow at all.
class DropShadow {
public:
    static constexpr int kOffset = 4;
    static constexpr int kBlur = 4;
    static constexpr int kOpacity = 90;

    DropShadow();
    ~DropShadow();
    DropShadow(const DropShadow&) = delete;
    DropShadow& operator=(const DropShadow&) = delete;

    // Shows the shadow of a window at `geometry` (screen coordinates) whose
    // shape is `shape` (window coordinates; empty: the whole rectangle).
    // Call it before the window itself shows, so that the window is above.
    void showFor(const QRect& geometry, const QRegion& shape);
    void hide();
    bool isVisible() const;
    // The shadow window (null before the first show).
    DropShadowWindow* window() const { return m_window.get(); }

    // The shadow picture of a width × height window with that shape:
    // premultiplied black, (width + 2·kBlur) × (height + 2·kBlur), its
    // top-left at (kOffset − kBlur, kOffset − kBlur) from the window's.
    // Integer arithmetic throughout.
    static Bitmap shadowImage(int width, int height, const QRegion& shape);
    // Where the shadow window goes for a window at `geometry`.
    static QRect shadowGeometry(const QRect& geometry);

private:
    std::unique_ptr<DropShadowWindow> m_window;
};

} // namespace tessaly::skin
