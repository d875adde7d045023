#include "skin/controls/skin_link_label.h"

#include "skin/controls/control_accessibility.h"
#include "skin/controls/skin_std_label.h"
#include "skin/data/skin_data.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/device_picture.h"
#include "skin/paint/text_effects.h"
#include "platform/qt_canvas.h"
#include "platform/qt_geometry.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tessaly::skin {

SkinLinkLabel::SkinLinkLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
    , SkinBound("stdlabel")
    , m_url(text)
{
    forgetBaseAccessible(this);
    m_defaultFont.style.underline = true;
    m_defaultFont.color = rgbColor(0, 0, 0);
    setCursor(Qt::PointingHandCursor);
    applyLook();
}

bool SkinLinkLabel::isOpenableUrl(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

void SkinLinkLabel::setSkinData(SkinData* skinData)
{
    m_binding.registry = skinData;
    if (m_binding.registry)
        changeSkinData();
}

void SkinLinkLabel::setDefaultFont(const Font& font)
{
    m_defaultFont = font;
    applyLook();
}

void SkinLinkLabel::setDefaultActiveFontColor(Color colour)
{
    m_defaultActiveFontColor = colour;
    applyLook();
}

void SkinLinkLabel::setUseUnderLine(bool on)
{
    m_useUnderLine = on;
    applyLook();
}

void SkinLinkLabel::beforeChangeSkinData() { m_binding.unbind(); }

void SkinLinkLabel::changeSkinData()
{
    m_binding.lookUp();
    applyLook();
}

void SkinLinkLabel::applyLook()
{
    const auto* r = m_binding.recordAs<DataSkinStdLabelControl>();
    Font font = m_defaultFont;
    Color colour = m_mouseIn ? m_defaultActiveFontColor : m_defaultFont.color;
    if (r) {
        font.name = r->fontName;
        font.height = r->fontHeight;
        font.style = r->fontStyle;
        font.style.underline = m_useUnderLine;
        // With the glow, only the glow takes the hover colour.
        colour = m_mouseIn && !m_glowEffect ? r->activeFontColor : r->fontColor;
    } else {
        font.style.underline = font.style.underline || m_useUnderLine;
    }
    setFont(fontOf(font));
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, qColorOf(colour));
    setPalette(palette);
    update();
}

void SkinLinkLabel::setGlowEffect(bool on)
{
    if (m_glowEffect == on)
        return;
    m_glowEffect = on;
    updateGeometry();
    applyLook();
}

void SkinLinkLabel::setGlowSize(int size)
{
    size = std::clamp(size, 0, 64);
    if (m_glowSize == size)
        return;
    m_glowSize = size;
    updateGeometry();
    update();
}

QSize SkinLinkLabel::sizeHint() const
{
    return QLabel::sizeHint() + QSize(0, m_glowEffect ? m_glowSize : 0);
}

QSize SkinLinkLabel::minimumSizeHint() const
{
    return QLabel::minimumSizeHint() + QSize(0, m_glowEffect ? m_glowSize : 0);
}

QRect SkinLinkLabel::textRect() const
{
    return contentsRect().translated(0, m_glowEffect ? m_glowSize : 0);
}

Color SkinLinkLabel::glowColour() const
{
    const auto* r = m_binding.recordAs<DataSkinStdLabelControl>();
    return r ? r->activeFontColor : m_defaultActiveFontColor;
}

void SkinLinkLabel::paintEvent(QPaintEvent* event)
{
    if (!isEnabled()) {
        paintEmbossedText(*this, !m_binding.isBound() ? nullptr : m_binding.registry, text());
        return;
    }
    if (!m_glowEffect) {
        QLabel::paintEvent(event);
        return;
    }
    if (m_mouseIn) {
        paintGlowing();
        return;
    }
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(textRect(), int(alignment()) | Qt::TextSingleLine, text());
}

// The text with its glow, drawn into a picture of the label first: the
// glow is a blur of the text's outline.
void SkinLinkLabel::paintGlowing()
{
    namespace TF = platform::TextFormat;
    const Qt::Alignment a = alignment();
    unsigned flags = TF::SingleLine | TF::ExpandTabs;
    flags |= a & Qt::AlignHCenter ? TF::Center : a & Qt::AlignRight ? TF::Right : TF::Left;
    flags |= a & Qt::AlignBottom ? TF::Bottom : a & Qt::AlignTop ? 0u : TF::VCenter;
    Bitmap picture(width(), height());
    platform::QtCanvas canvas = canvasOf(picture);
    canvas.setFont(font());
    canvas.setTextColor(palette().color(QPalette::WindowText).rgb());
    drawOutlineGlowText(canvas, platform::toRect(textRect()), text(), m_glowSize, glowColour(), 0, flags);
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), scaledToDevice(imageOf(picture), devicePixelRatioF()));
}

void SkinLinkLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    m_mouseIn = true;
    applyLook();
}

void SkinLinkLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    m_mouseIn = false;
    applyLook();
}

void SkinLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        activate();
}

void SkinLinkLabel::activate()
{
    if (m_onClick)
        m_onClick();
    if (m_url.isEmpty())
        return;
    // An address from anywhere else (file:, a program's own scheme) is
    // never handed to the desktop.
    const QUrl url(m_url, QUrl::StrictMode);
    if (!isOpenableUrl(url))
        return;
    if (m_urlOpener)
        m_urlOpener(url);
    else
        QDesktopServices::openUrl(url);
}

bool SkinLinkLabel::event(QEvent* event)
{
    // Skin notices relayed by the window's frame.
    return handleSkinNoticeEvent(*this, event) || QLabel::event(event);
}

} // namespace tessaly::skin
