#include "skin/menus/skin_menu_item.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>

#include "skin/data/skin_data.h"
#include "skin/data/system_colors.h"
#include "skin/paint/pixel_view.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_window.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/compose.h"
#include "skin/paint/device_picture.h"
#include "skin/paint/effect_bmp.h"
#include "skin/paint/glyph.h"
#include "platform/qt_geometry.h"
#include "skin/paint/lines.h"

namespace tessaly::skin {

namespace TF = platform::TextFormat;

namespace {

void drawCheckMark(Bitmap& target, int x, int y, PixelColor color)
{
    for (int i = 0; i < 3; ++i) {
        drawLine(target.surface(), x, y + 5 - i, x + 2, y + 7 - i, color);
        drawLine(target.surface(), x + 2, y + 7 - i, x + 7, y + 2 - i, color);
    }
}

// A filled circle 6 pixels across with its top-left corner at (x, y).
void drawRadioDot(Bitmap& target, int x, int y, PixelColor color)
{
    for (int dy = 0; dy < 6; ++dy)
        for (int dx = 0; dx < 6; ++dx) {
            const double cx = dx - 2.5, cy = dy - 2.5;
            if (cx * cx + cy * cy <= 7.5)
                target.setPixel(x + dx, y + dy, color);
        }
}

// The built-in sub-menu arrow: four vertical lines, widest on the left.
void drawArrow(Bitmap& target, const Rect& area, PixelColor color)
{
    const int c = area.top + area.height() / 2 - 4;
    for (int i = 0; i < 4; ++i)
        drawLine(target.surface(), area.right - 7 + i, c + i, area.right - 7 + i, c + 7 - i, color);
}

// A part of a skin picture whose corner colour is transparent, drawn centred
// in the box but never left of or above it.
void drawRecordGlyph(Bitmap& target, const Picture* picture, const Rect& source, const Rect& box)
{
    if (!picture || source.isEmpty())
        return;
    Bitmap cell(source.width(), source.height());
    copyPiece(pixelView(*picture), source, cell, {0, 0, source.width(), source.height()});
    cell.checkingTransparent(cell.getPixel(0, cell.height() - 1));
    const int x = box.left + std::max(0, (box.width() - source.width()) / 2);
    const int y = box.top + std::max(0, (box.height() - source.height()) / 2);
    cell.draw(target, x, y);
}

// A blank bitmap of the wanted size when composition gave none (a record
// without a usable picture).
void ensureSize(Bitmap& face, int width, int height, PixelColor fill)
{
    if (face.width() == width && face.height() == height)
        return;
    Bitmap blank(width, height);
    blank.fillRect({0, 0, width, height}, fill);
    if (!face.empty())
        face.draw(blank, 0, 0);
    face = std::move(blank);
}

// The frame's system-menu items show built-in glyphs.
bool systemGlyph(const QString& name, DefaultGlyph& kind)
{
    static const std::pair<const char*, DefaultGlyph> names[] = {
        {"SFR_CLOSE", DefaultGlyph::Close},          {"TRAY_SFR_CLOSE", DefaultGlyph::Close},
        {"SFR_MINITEM", DefaultGlyph::Minimize},     {"SFR_MAXITEM", DefaultGlyph::Maximize},
        {"SFR_RESTORE", DefaultGlyph::Restore},      {"TRAY_SFR_RESTORE", DefaultGlyph::Restore},
        {"SFR_ROLLUP", DefaultGlyph::RollUp},        {"SFR_MINTOTRAY", DefaultGlyph::MinimizeToTray},
    };
    for (const auto& [n, k] : names)
        if (name == QLatin1String(n)) {
            kind = k;
            return true;
        }
    return false;
}

} // namespace

SkinMenuItem::SkinMenuItem(SkinPopupWindow& parent, MenuItem& menuItem)
    : m_parent(parent)
    , m_menuItem(menuItem)
{
}

class SkinMenuItem::FaceText {
public:
    FaceText(const SkinMenuItem& item, const Bitmap& face)
        : m_item(item), m_capture(captureTextOnDenseDevice(face, item.m_parent.devicePixelRatioF()))
    {
    }
    ~FaceText()
    {
        if (m_capture)
            m_item.m_faceText = m_capture->take();
    }
    FaceText(const FaceText&) = delete;
    FaceText& operator=(const FaceText&) = delete;

private:
    const SkinMenuItem& m_item;
    std::optional<platform::TextCapture> m_capture;
};

void SkinMenuItem::draw(Bitmap& target) const
{
    m_shownText.clear();
    if (!visible || objectRect.isEmpty())
        return;
    image().draw(target, objectRect.left, objectRect.top);
    m_shownText.append(m_faceText, {objectRect.left, objectRect.top});
}

Bitmap SkinMenuItem::image() const
{
    m_faceText.clear();
    return m_parent.look().record ? skinnedImage() : defaultImage();
}

Bitmap SkinMenuItem::skinnedImage() const
{
    const MenuItemLook& look = m_parent.look();
    const DataSkinMenuItem& r = *look.record;
    const int w = objectRect.width(), h = objectRect.height();
    if (m_menuItem.isSeparator()) {
        Bitmap face;
        if (look.picture)
            composeHorzSkinImage(r.dividerLO, r.dividerRO, face, pixelView(*look.picture), r.dividerRect, w, h,
                                 r.dividerStretchEffect);
        ensureSize(face, w, h, colorFromValue(colors::window));
        return face;
    }
    const bool highlighted = active || down;
    if (frameShowing())
        return skinnedFace(highlighted, frameCell(r.animateSkinRect, r.skinRect, r.frameCount, currentFrame));
    if (!look.morphing)
        return skinnedFace(highlighted);
    if (highlighted && m_fade.atHot())
        return skinnedFace(true);
    if (m_fade.atNormal())
        return skinnedFace(false);
    // Between the faces: the normal face blended towards the highlighted one.
    Bitmap normal = skinnedFace(false);
    const platform::TextRuns normalText = m_faceText;
    const Bitmap hot = skinnedFace(true);
    // Text kept apart cannot be mixed: the nearer end's text shows.
    if (m_fade.factor() < 0.5)
        m_faceText = normalText;
    EffectBmp from(normal.view());
    const EffectBmp to(hot.view());
    from.morphBy(r.morphKind, to, m_fade.factor());
    from.draw(normal.surface(), 0, 0);
    return normal;
}

Bitmap SkinMenuItem::skinnedFace(bool highlighted, const Rect& frame) const
{
    const MenuItemLook& look = m_parent.look();
    const DataSkinMenuItem& r = *look.record;
    const int w = objectRect.width(), h = objectRect.height();
    Bitmap face;
    if (!frame.isEmpty()) {
        // An animation frame stretches as the normal face does, or as the
        // highlighted one where the normal face does not.
        composeHorzSkinImage(r.itemLO, r.itemRO, face, pixelView(*look.picture), frame, w, h,
                             r.inActiveStretchEffect || r.stretchEffect);
    } else if (!highlighted && r.inActiveTransparent && look.paintBuffer) {
        face.setSize(w, h);
        look.paintBuffer->draw(face, 0, 0, objectRect);
    } else if (look.picture) {
        composeHorzSkinImage(r.itemLO, r.itemRO, face, pixelView(*look.picture),
                             highlighted ? r.activeSkinRect : r.skinRect, w, h,
                             highlighted ? r.stretchEffect : r.inActiveStretchEffect);
    }
    if (!face.empty() && face.width() == w && face.height() != h) {
        // An owner-measured item of another height: the face grows with it.
        Bitmap grown(w, h);
        face.draw(grown, Rect{0, 0, w, h});
        face = std::move(grown);
    }
    ensureSize(face, w, h, colorFromValue(colors::window));
    const FaceText keptText(*this, face);
    const int glyph = r.imageRct.isEmpty() ? (look.images ? look.glyphWidth : 16) : 0;
    Rect text = r.textRct;
    text.right = face.width() - (r.skinRect.width() - r.textRct.right);
    text.bottom += h - r.skinRect.height();
    const Color color = !m_menuItem.enabled ? r.unEnabledFontColor
                        : highlighted       ? r.activeFontColor
                                            : r.fontColor;
    if (ownerDraw(face, text, colorFromValue(color), highlighted))
        return face;
    if (m_menuItem.isHeader()) {
        drawHeader(face);
        return face;
    }
    drawContent(face, text, colorFromValue(color), highlighted, glyph, 16, false);
    return face;
}

bool SkinMenuItem::ownerDraw(Bitmap& face, const Rect& area, PixelColor color, bool highlighted) const
{
    if (!m_menuItem.onDrawItem)
        return false;
    platform::QtCanvas canvas = canvasOf(face);
    QPainter painter(&canvas.image());
    // The item's font and text colour, as its caption would have.
    painter.setFont(m_parent.look().font);
    painter.setPen(QColor::fromRgb(color));
    m_menuItem.onDrawItem(m_menuItem, painter, platform::toQRect(area), highlighted);
    return true;
}

bool SkinMenuItem::frameShowing() const
{
    const MenuItemLook& look = m_parent.look();
    return look.animation && look.record && currentFrame >= 1 && currentFrame <= look.record->frameCount;
}

Rect SkinMenuItem::frameCell(const Rect& a, const Rect& skinRect, int frameCount, int frame)
{
    if (a.isEmpty() || frameCount <= 0 || frame < 1 || frame > frameCount)
        return {};
    const int k = frame - 1;
    if (a.height() > skinRect.height()) {
        const int h = a.height() / frameCount;
        return {a.left, a.top + k * h, a.right, a.top + (k + 1) * h};
    }
    const int w = a.width() / frameCount;
    return {a.left + k * w, a.top, a.left + (k + 1) * w, a.bottom};
}

Bitmap SkinMenuItem::defaultImage() const
{
    const MenuItemLook& look = m_parent.look();
    const int w = objectRect.width(), h = objectRect.height();
    const int glyph = look.images ? look.glyphWidth : 19;
    Bitmap face(w, h);
    const FaceText keptText(*this, face);
    const bool highlighted = (active || down) && !m_menuItem.isSeparator();
    PixelColor color;
    if (highlighted) {
        face.fillRect({0, 0, w, h}, colorFromValue(colors::navy)); // navy
        face.fillRect({1, 1, w - 1, h - 1}, colorFromValue(Color(0xD2BDB6)));
        color = colorFromValue(colors::windowText);
    } else {
        face.fillRect({0, 0, glyph, h}, colorFromValue(colors::btnFace));
        face.fillRect({glyph, 0, w, h}, colorFromValue(colors::window));
        color = colorFromValue(m_menuItem.enabled ? colors::windowText : colors::btnShadow);
    }
    if (m_menuItem.isSeparator()) {
        drawLine(face.surface(), glyph, h / 2, w, h / 2, colorFromValue(colors::btnShadow));
        return face;
    }
    if (m_menuItem.isHeader()) {
        face.fillRect({0, 0, w, h}, colorFromValue(colors::btnShadow));
        platform::QtCanvas canvas = canvasOf(face);
        canvas.setFont(look.font);
        canvas.setTextColor(colorFromValue(colors::btnHighlight));
        canvas.drawText(QRect(0, 0, w, h), m_menuItem.caption.mid(1, m_menuItem.caption.size() - 2),
                        TF::Center | TF::VCenter | TF::SingleLine);
        return face;
    }
    if (ownerDraw(face, {2, 2, w - 2, h - 2}, color, highlighted))
        return face;
    drawContent(face, {2, 2, w - 2, h - 2}, color, highlighted, glyph, 19, true);
    return face;
}

void SkinMenuItem::drawContent(Bitmap& face, const Rect& area, PixelColor color, bool highlighted, int glyph,
                               int rightMargin, bool builtInGlyphs) const
{
    const MenuItemLook& look = m_parent.look();
    const DataSkinMenuItem* r = builtInGlyphs ? nullptr : look.record;
    {
        platform::QtCanvas canvas = canvasOf(face);
        canvas.setFont(look.font);
        canvas.setTextColor(color);
        const unsigned line = TF::SingleLine | TF::VCenter;
        canvas.drawText(QRect(area.left + glyph, area.top, captionWidth + 2, area.height()), m_menuItem.caption,
                        line | TF::Left);
        const QString shortCut = m_menuItem.shortCutText();
        if (!shortCut.isEmpty())
            canvas.drawText(QRect(area.left, area.top, area.width() - rightMargin, area.height()), shortCut,
                            line | TF::Right | TF::NoPrefix);
    }
    if (m_menuItem.hasItems()) {
        const Rect arrow = r ? (highlighted ? r->activeArrowImageRect : r->arrowImageRect) : Rect{};
        if (arrow.isEmpty())
            drawArrow(face, area, color);
        else
            drawRecordGlyph(face, look.picture, arrow, {area.right - arrow.width() - 5, area.top, area.right, area.bottom});
    }
    PixelColor glyphColor = color;
    if (r && r->useImageColor)
        glyphColor = colorFromValue(highlighted ? r->activeImageColor : r->imageColor);

    const bool inImageRect = r && !r->imageRct.isEmpty();
    QImage picture = m_menuItem.bitmap;
    if (picture.isNull() && look.images && m_menuItem.imageIndex >= 0 &&
        m_menuItem.imageIndex < int(look.images->size())) {
        picture = (*look.images)[std::size_t(m_menuItem.imageIndex)];
        if (!m_menuItem.enabled)
            picture = QIcon(QPixmap::fromImage(picture)).pixmap(picture.size(), QIcon::Disabled).toImage();
    }
    if (!picture.isNull()) {
        const QRect box = inImageRect ? platform::toQRect(r->imageRct)
                                      : QRect(area.left + 2, area.top, picture.width(), area.height());
        const QPoint at(box.left() + (box.width() - picture.width()) / 2, box.top() + (box.height() - picture.height()) / 2);
        platform::QtCanvas canvas = canvasOf(face);
        QPainter painter(&canvas.image());
        painter.drawImage(at, picture);
        if (m_menuItem.checked) {
            painter.setPen(QColor::fromRgb(glyphColor));
            painter.drawRect(QRect(at - QPoint(1, 1), picture.size() + QSize(1, 1)));
        }
        return;
    }

    const int middle = area.top + area.height() / 2 - 4;
    Point p{area.left + 2, middle};
    if (inImageRect)
        p = {r->imageRct.left + r->imageRct.width() / 2 - 4, r->imageRct.top + r->imageRct.height() / 2 - 4};
    DefaultGlyph kind;
    if (systemGlyph(m_menuItem.name, kind)) {
        drawDefaultGlyph(face, kind, p.x, p.y, glyphColor);
        return;
    }
    if (!m_menuItem.checked)
        return;
    if (builtInGlyphs)
        p = {area.left + 3, middle};
    const Rect glyphBox = inImageRect ? r->imageRct : Rect{area.left + 2, area.top, area.left + 16, area.bottom};
    if (m_menuItem.radioItem) {
        const Rect source = r ? (highlighted ? r->activeRadioImageRect : r->radioImageRect) : Rect{};
        if (source.isEmpty())
            drawRadioDot(face, p.x, p.y + 1, glyphColor);
        else
            drawRecordGlyph(face, look.picture, source, glyphBox);
        return;
    }
    const Rect source = r ? (highlighted ? r->activeCheckImageRect : r->checkImageRect) : Rect{};
    if (source.isEmpty())
        drawCheckMark(face, p.x, p.y, glyphColor);
    else
        drawRecordGlyph(face, look.picture, source, glyphBox);
}

bool SkinMenuItem::drawHeader(Bitmap& face) const
{
    const SkinData* sd = m_parent.look().skinData;
    if (!sd)
        return false;
    int index = sd->getControlIndex("menuheader");
    if (index < 0)
        index = sd->getControlIndex("label");
    if (index < 0)
        return false;
    const auto* label = dynamic_cast<const DataSkinLabelControl*>(sd->ctrlList()[std::size_t(index)].get());
    const Picture* picture = label ? sd->activePicture(label->pictureIndex) : nullptr;
    if (!picture)
        return false;
    Bitmap strip;
    composeHorzSkinImage(label->ltPoint.x, label->skinRect.width() - label->rtPoint.x, strip, pixelView(*picture),
                         label->skinRect, face.width(), 0, label->stretchEffect);
    if (strip.empty())
        return false;
    std::optional<platform::TextCapture> stripText = captureTextOnDenseDevice(strip, m_parent.devicePixelRatioF());
    {
        platform::QtCanvas canvas = canvasOf(strip);
        canvas.setFont(fontOf(Font{label->fontName, label->fontHeight, label->fontStyle, colors::black, 1}));
        canvas.setTextColor(colorFromValue(label->fontColor));
        const Rect area{label->clRect.left, label->clRect.top,
                        strip.width() - (label->skinRect.width() - label->clRect.right), strip.height()};
        canvas.drawText(platform::toQRect(area),
                        m_menuItem.caption.mid(1, m_menuItem.caption.size() - 2),
                        TF::Center | TF::VCenter | TF::SingleLine);
    }
    const int y = (face.height() - strip.height()) / 2;
    strip.draw(face, 0, y);
    if (stripText)
        canvasOf(face).drawRuns(stripText->take(), {0, y});
    return true;
}

void SkinMenuItem::redraw()
{
    const MenuItemLook& look = m_parent.look();
    if (look.animation) {
        // Without the record's InActiveAnimation an ended highlight shows
        // the normal face at once; every other change plays frames.
        if (!(active || down) && !look.record->inActiveAnimation) {
            currentFrame = 0;
            m_parent.redrawItem(*this);
        } else {
            m_parent.startMorph();
        }
    } else if (look.morphing) {
        m_parent.startMorph();
    } else {
        m_parent.redrawItem(*this);
    }
}

void SkinMenuItem::mouseEnter(bool keyboard)
{
    if (!active)
        currentFrame = 0; // the animation starts again
    active = true;
    for (int i = 0; i < m_parent.itemCount(); ++i) {
        SkinMenuItem& other = m_parent.item(i);
        if (&other != this && other.down) {
            other.down = false;
            other.redraw();
        }
    }
    SkinMenu& engine = m_parent.engine();
    const int level = m_parent.level();
    if (waitCommand && !keyboard) {
        redraw();
    } else if (down && engine.levelCount() > level + 2) {
        // Deeper levels under this item's open sub-menu close; the sub-menu stays.
        engine.closeFrom(level + 2);
        if (SkinPopupWindow* below = engine.window(level + 1))
            for (int i = 0; i < below->itemCount(); ++i)
                if (below->item(i).down) {
                    below->item(i).down = false;
                    below->item(i).redraw();
                }
    } else {
        redraw();
        engine.itemEntered(m_parent, *this, keyboard);
    }
    m_parent.setHint(m_menuItem.hint);
}

void SkinMenuItem::mouseLeave()
{
    // Past the last frame, so that the frames run back.
    if (m_parent.look().animation)
        currentFrame = m_parent.look().record->frameCount + 1;
    active = false;
    waitCommand = false;
    if (!down)
        redraw();
    m_parent.engine().itemLeft(*this);
}

void SkinMenuItem::mouseDown()
{
    waitCommand = false;
    if (!down && m_menuItem.enabled)
        m_parent.engine().itemClicked(m_parent, *this);
}

bool SkinMenuItem::canMorphing() const
{
    return visible && m_fade.canStepTowards(active || down);
}

bool SkinMenuItem::doMorphing() { return visible && m_fade.stepTowards(active || down); }

bool SkinMenuItem::doAnimation()
{
    const MenuItemLook& look = m_parent.look();
    if (!visible || !look.animation || m_menuItem.isSeparator())
        return false;
    if (active || down) {
        if (currentFrame >= look.record->frameCount)
            return false;
        ++currentFrame;
        return true;
    }
    if (currentFrame <= 0)
        return false;
    --currentFrame;
    return true;
}

} // namespace tessaly::skin
