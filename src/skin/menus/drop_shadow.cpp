#include "skin/menus/drop_shadow.h"

#include <QPaintEvent>
#include <QPainter>

#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/stack_blur.h"

namespace tessaly::skin {

DropShadowWindow::DropShadowWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput
                           | Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint)
{
    setObjectName(QStringLiteral("dropShadow"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void DropShadowWindow::setImage(QImage image)
{
    m_image = std::move(image);
    update();
}

void DropShadowWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(event->rect(), m_image, event->rect());
}

DropShadow::DropShadow() = default;
DropShadow::~DropShadow() = default;

QRect DropShadow::shadowGeometry(const QRect& g)
{
    return QRect(g.x() + kOffset - kBlur, g.y() + kOffset - kBlur, g.width() + 2 * kBlur, g.height() + 2 * kBlur);
}

Bitmap DropShadow::shadowImage(int width, int height, const QRegion& shape)
{
    const QRegion whole = shape.isEmpty() ? QRegion(0, 0, width, height) : shape;
    const int w = width + 2 * kBlur, h = height + 2 * kBlur;
    // The shape in white on black at the shadow's place, blurred.
    Bitmap grey(w, h);
    grey.fillRect({0, 0, w, h}, 0xFF000000u);
    for (const QRect& r : whole.translated(kBlur, kBlur))
        grey.fillRect({r.left(), r.top(), r.right() + 1, r.bottom() + 1}, 0xFFFFFFFFu);
    stackBlur(grey, kBlur);
    // Black with the blurred value as its alpha, none under the window.
    const QRegion window = whole.translated(kBlur - kOffset, kBlur - kOffset);
    Bitmap shadow(w, h);
    for (int y = 0; y < h; ++y) {
        const uint32_t* in = grey.rowPointer(y);
        uint32_t* out = shadow.rowPointer(y);
        for (int x = 0; x < w; ++x) {
            const uint32_t a = ((in[x] >> 16) & 0xFFu) * kOpacity / 255u;
            out[x] = a << 24;
        }
    }
    for (const QRect& r : window)
        shadow.fillRect({r.left(), r.top(), r.right() + 1, r.bottom() + 1}, 0);
    shadow.setAlphaBlend(true);
    return shadow;
}

void DropShadow::showFor(const QRect& geometry, const QRegion& shape)
{
    if (!m_window)
        m_window = std::make_unique<DropShadowWindow>();
    const Bitmap image = shadowImage(geometry.width(), geometry.height(), shape);
    m_window->setImage(imageOf(image).copy());
    m_window->setGeometry(shadowGeometry(geometry));
    m_window->show();
}

void DropShadow::hide()
{
    if (m_window)
        m_window->hide();
}

bool DropShadow::isVisible() const { return m_window && m_window->isVisible(); }

} // namespace tessaly::skin
