#include "skin/menus/skin_hint_window.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include "skin/data/skin_data.h"
#include "skin/data/system_colors.h"
#include "skin/paint/pixel_view.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/compose.h"
#include "skin/paint/device_picture.h"
#include "skin/paint/region.h"
#include "skin/paint/window_shape.h"
#include "platform/qt_geometry.h"

namespace tessaly::skin {

namespace TF = platform::TextFormat;

QString hintLines(const QString& text, const QString& separator)
{
    if (separator.isEmpty())
        return text;
    QString lines = text;
    return lines.replace(separator, QStringLiteral("\n"));
}

HintGeometry hintSize(const HintFrame& f, int textWidth, int textHeight)
{
    HintGeometry g;
    if (!f.skinned) {
        g.width = textWidth + 4;
        g.height = textHeight + 4;
        g.client = {2, 2, g.width - 2, g.height - 2};
        return g;
    }
    g.width = textWidth + f.clRect.left + f.pictureWidth - f.clRect.right + 5;
    g.height = textHeight + f.clRect.top + f.pictureHeight - f.clRect.bottom;
    // The right-hand and bottom points move with the size; they must not
    // pass the left-hand and top ones.
    g.width = std::max({g.width, f.pictureWidth - f.rt.x + f.lt.x, f.pictureWidth - f.rb.x + f.lb.x});
    g.height = std::max({g.height, f.pictureHeight - f.lb.y + f.lt.y, f.pictureHeight - f.rb.y + f.rt.y});
    const int dx = g.width - f.pictureWidth, dy = g.height - f.pictureHeight;
    g.client = {f.clRect.left, f.clRect.top, f.clRect.right + dx, f.clRect.bottom + dy};
    return g;
}

ExtendedHintLayout extendedHintLayout(int imageWidth, int imageHeight, int titleWidth, int titleHeight,
                                      int textWidth, int textHeight)
{
    ExtendedHintLayout l;
    const bool image = imageWidth > 0 && imageHeight > 0;
    const int column = image ? imageWidth + kHintImageSpacing : 0;
    const int gap = titleHeight > 0 && textHeight > 0 ? kHintTitleSpacing : 0;
    const int columnHeight = titleHeight + gap + textHeight;
    l.width = column + std::max(titleWidth, textWidth);
    l.height = std::max(image ? imageHeight : 0, columnHeight);
    if (image) {
        const int y = (l.height - imageHeight) / 2;
        l.image = {0, y, imageWidth, y + imageHeight};
    }
    const int top = (l.height - columnHeight) / 2;
    if (titleHeight > 0)
        l.title = {column, top, column + titleWidth, top + titleHeight};
    if (textHeight > 0)
        l.text = {column, top + titleHeight + gap, column + textWidth, top + columnHeight};
    return l;
}

Point hintPosition(const Point& at, int width, int height, const Rect& a)
{
    Point p = at;
    if (p.x + width > a.right)
        p.x -= width + 2;
    if (p.y + height > a.bottom)
        p.y -= height + 2;
    p.x = std::max(p.x, a.left);
    p.y = std::max(p.y, a.top);
    return p;
}

namespace {

// The hint record with a picture, or null for the built-in look.
const DataSkinHintWindow* hintRecord(const HintLook& look)
{
    const SkinData* sd = look.skinData;
    if (!sd || sd->empty() || !sd->activePicture(sd->hintWindow.windowPictureIndex))
        return nullptr;
    return &sd->hintWindow;
}

Rect workAreaAt(const QPoint& p)
{
    QScreen* screen = QGuiApplication::screenAt(p);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {0, 0, 1 << 14, 1 << 14};
    const QRect a = screen->availableGeometry();
    return platform::toRect(a);
}

} // namespace

SkinHintWindow::SkinHintWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

namespace {

Rect moved(const Rect& r, int dx, int dy)
{
    return r.isEmpty() ? Rect{} : Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

} // namespace

QSize SkinHintWindow::prepare(const HintContent& content, const HintLook& look)
{
    m_text = hintLines(content.text, look.lineSeparator);
    m_title = content.extended() ? hintLines(content.title, look.lineSeparator) : QString();
    m_layout = {};
    const DataSkinHintWindow* record = hintRecord(look);
    const QFont font = fontOf(record && look.useSkinFont
                                  ? Font{record->fontName, record->fontHeight, record->fontStyle, Color(0), 1}
                                  : look.defaultFont);
    QFont titleFont = font;
    titleFont.setBold(true);
    // An extended hint may have no text (a title or an image alone).
    const QSize textSize =
        m_text.isEmpty() && content.extended() ? QSize(0, 0) : QFontMetrics(font).size(0, m_text);
    const QSize titleSize = m_title.isEmpty() ? QSize(0, 0) : QFontMetrics(titleFont).size(0, m_title);
    QSize blockSize = textSize;
    if (content.extended()) {
        m_layout = extendedHintLayout(content.image.width(), content.image.height(), titleSize.width(),
                                      titleSize.height(), textSize.width(), textSize.height());
        blockSize = QSize(m_layout.width, m_layout.height);
    }

    HintFrame frame;
    const Picture* picture = nullptr;
    if (record) {
        picture = look.skinData->activePicture(record->windowPictureIndex);
        frame = {true, picture->width(), picture->height(), record->ltPoint, record->rtPoint,
                 record->lbPoint, record->rbPoint, record->clRect};
    }
    const HintGeometry g = hintSize(frame, blockSize.width(), blockSize.height());
    PixelColor textColor;
    if (record) {
        const NineGeometry cut{frame.lt, frame.rt, frame.lb, frame.rb, frame.clRect};
        const int dx = g.width - frame.pictureWidth, dy = g.height - frame.pictureHeight;
        const NineGeometry moved{frame.lt, {frame.rt.x + dx, frame.rt.y}, {frame.lb.x, frame.lb.y + dy},
                                 {frame.rb.x + dx, frame.rb.y + dy}, g.client};
        composeSkinImage(m_buffer, pixelView(*picture), {0, 0, frame.pictureWidth, frame.pictureHeight}, cut, moved,
                         g.width, g.height, true,
                         {record->leftStretch, record->topStretch, record->rightStretch, record->bottomStretch},
                         record->stretchEffect, record->stretchType);
        textColor = colorFromValue(record->fontColor);
        const Picture* mask = look.skinData->activePicture(record->maskPictureIndex);
        setSkinWindowShape(this, mask ? createSkinRegion(pixelView(*mask), cut, moved, g.width, g.height) : std::nullopt);
    } else {
        m_buffer.setSize(g.width, g.height);
        m_buffer.fillRect({0, 0, g.width, g.height}, colorFromValue(colors::btnShadow));
        m_buffer.fillRect({1, 1, g.width - 1, g.height - 1}, colorFromValue(colors::infoBk));
        textColor = colorFromValue(colors::infoText);
        setSkinWindowShape(this, std::nullopt);
    }
    // The block is centred on both axes in the client rectangle.
    const QRect client(g.client.left, g.client.top, g.client.width(), g.client.height());
    const int top = client.top() + (client.height() - blockSize.height()) / 2;
    if (!content.extended()) {
        platform::QtCanvas canvas = canvasOf(m_buffer);
        canvas.setFont(font);
        canvas.setTextColor(textColor);
        const QRect block(client.left(), top, client.width(), textSize.height());
        canvas.drawText(block, m_text, (record ? TF::Center : TF::Left) | TF::NoClip | TF::NoPrefix);
        return QSize(g.width, g.height);
    }
    const int left = record ? client.left() + (client.width() - blockSize.width()) / 2 : client.left();
    m_layout.image = moved(m_layout.image, left, top);
    m_layout.title = moved(m_layout.title, left, top);
    m_layout.text = moved(m_layout.text, left, top);
    if (!m_layout.image.isEmpty()) {
        Bitmap image(content.image);
        image.setAlphaBlend(true);
        image.draw(m_buffer, m_layout.image.left, m_layout.image.top);
    }
    platform::QtCanvas canvas = canvasOf(m_buffer);
    canvas.setTextColor(textColor);
    const unsigned flags = TF::Left | TF::NoClip | TF::NoPrefix;
    if (!m_layout.title.isEmpty()) {
        canvas.setFont(titleFont);
        canvas.drawText(platform::toQRect(m_layout.title), m_title, flags);
    }
    if (!m_layout.text.isEmpty()) {
        canvas.setFont(font);
        canvas.drawText(platform::toQRect(m_layout.text), m_text, flags);
    }
    return QSize(g.width, g.height);
}

void SkinHintWindow::showAt(const Point& at, const QSize& size, const HintLook& look)
{
    const Point p = hintPosition(at, size.width(), size.height(), workAreaAt(QPoint(at.x, at.y)));
    setGeometry(p.x, p.y, size.width(), size.height());
    setWindowOpacity(look.layeredWindowsAvailable && look.alphaBlend ? std::clamp(look.alphaBlendValue, 0, 255) / 255.0
                                                                     : 1.0);
    // The shadow first, so that the hint shows above it.
    if (look.layeredWindowsAvailable)
        m_shadow.showFor(geometry(), mask());
    else
        m_shadow.hide();
    show();
    raise();
    update();
}

void SkinHintWindow::activateHint(const QPoint& at, const QString& text, const HintLook& look)
{
    showAt({at.x(), at.y()}, prepare({text, {}, {}}, look), look);
}

void SkinHintWindow::activateHintEx(const QPoint& at, const HintContent& content, const HintLook& look)
{
    showAt({at.x(), at.y()}, prepare(content, look), look);
}

void SkinHintWindow::activateHintFromRect(const Rect& rect, const QString& text, const HintLook& look, bool top)
{
    const QSize size = prepare({text, {}, {}}, look);
    showAt({rect.left, top ? rect.top - size.height() : rect.bottom}, size, look);
}

void SkinHintWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_shadow.hide();
}

void SkinHintWindow::paintEvent(QPaintEvent* event)
{
    if (m_buffer.empty())
        return;
    QPainter painter(this);
    painter.setClipRegion(event->region());
    drawDevicePicture(painter, m_deviceBuffer, m_buffer);
}

} // namespace tessaly::skin
