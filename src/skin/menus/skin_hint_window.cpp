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

QSize SkinHintWindow::prepare(const QString& text, const HintLook& look)
{
    m_text = hintLines(text, look.lineSeparator);
    const DataSkinHintWindow* record = hintRecord(look);
    const QFont font = fontOf(record && look.useSkinFont
                                  ? Font{record->fontName, record->fontHeight, record->fontStyle, Color(0), 1}
                                  : look.defaultFont);
    const QSize textSize = QFontMetrics(font).size(0, m_text);

    HintFrame frame;
    const Picture* picture = nullptr;
    if (record) {
        picture = look.skinData->activePicture(record->windowPictureIndex);
        frame = {true, picture->width(), picture->height(), record->ltPoint, record->rtPoint,
                 record->lbPoint, record->rbPoint, record->clRect};
    }
    const HintGeometry g = hintSize(frame, textSize.width(), textSize.height());
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
    platform::QtCanvas canvas = canvasOf(m_buffer);
    canvas.setFont(font);
    canvas.setTextColor(textColor);
    // Centred on both axes in the client rectangle, line by line.
    const QRect client(g.client.left, g.client.top, g.client.width(), g.client.height());
    const QRect block(client.left(), client.top() + (client.height() - textSize.height()) / 2, client.width(),
                      textSize.height());
    canvas.drawText(block, m_text, (record ? TF::Center : TF::Left) | TF::NoClip | TF::NoPrefix);
    return QSize(g.width, g.height);
}

void SkinHintWindow::showAt(const Point& at, const QSize& size, const HintLook& look)
{
    const Point p = hintPosition(at, size.width(), size.height(), workAreaAt(QPoint(at.x, at.y)));
    setGeometry(p.x, p.y, size.width(), size.height());
    setWindowOpacity(look.layeredWindowsAvailable && look.alphaBlend ? std::clamp(look.alphaBlendValue, 0, 255) / 255.0
                                                                     : 1.0);
    show();
    raise();
    update();
}

void SkinHintWindow::activateHint(const QPoint& at, const QString& text, const HintLook& look)
{
    showAt({at.x(), at.y()}, prepare(text, look), look);
}

void SkinHintWindow::activateHintFromRect(const Rect& rect, const QString& text, const HintLook& look, bool top)
{
    const QSize size = prepare(text, look);
    showAt({rect.left, top ? rect.top - size.height() : rect.bottom}, size, look);
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
