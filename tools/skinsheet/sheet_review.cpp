#include "sheet_review.h"

#include "app/skin_preview_window.h"

#include "control_shots.h"

#include "platform/qt_frameless_window.h"
#include "skin/frame/frame_painter.h"
#include "skin/frame/skin_frame.h"
#include "skin/paint/bitmap.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/compose.h"
#include "skin/paint/effect_bmp.h"
#include "skin/paint/region.h"
#include "skin/paint/stack_blur.h"

#include <QPainter>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

using namespace tessaly::skin;
namespace TF = tessaly::platform::TextFormat;

namespace skinsheet {
namespace {

// ---- small helpers ---------------------------------------------------------

QImage toImage(const Bitmap& bitmap)
{
    return imageOf(bitmap).convertToFormat(QImage::Format_ARGB32);
}

QRect qrect(const Rect& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

QColor qcolour(Color value)
{
    return qColorOf(value);
}

void drawText(Bitmap& bitmap, const Rect& rect, const QString& text, const Font& font, Color colour,
              unsigned flags)
{
    auto canvas = canvasOf(bitmap);
    canvas.setFont(fontOf(font));
    canvas.setTextColor(colorFromValue(colour));
    canvas.drawText(qrect(rect), text, flags);
}

Font fontFrom(const std::string& name, int height, const FontStyle& style)
{
    Font f;
    f.name = name;
    f.height = height;
    f.style = style;
    return f;
}

Bitmap filled(int w, int h, Color colour)
{
    Bitmap b(w, h);
    b.fillRect({0, 0, w, h}, colorFromValue(colour));
    return b;
}

// The nine-piece geometry of a record and the same geometry grown to w x h.
NineGeometry cutOf(const DataSkinCustomControl& c)
{
    return {c.ltPoint, c.rtPoint, c.lbPoint, c.rbPoint, c.clRect};
}

NineGeometry grown(const NineGeometry& g, const Rect& skinRect, int w, int h)
{
    const int dw = w - skinRect.width(), dh = h - skinRect.height();
    return {g.lt,
            {g.rt.x + dw, g.rt.y},
            {g.lb.x, g.lb.y + dh},
            {g.rb.x + dw, g.rb.y + dh},
            {g.client.left, g.client.top, g.client.right + dw, g.client.bottom + dh}};
}

EdgeStretch stretchOf(const DataSkinCustomControl& c)
{
    return {c.leftStretch, c.topStretch, c.rightStretch, c.bottomStretch};
}

// A control face from one state rectangle, nine pieces at w x h.
Bitmap composeFace(const SkinData& sd, const DataSkinCustomControl& c, const Rect& source, int w, int h)
{
    Bitmap b;
    const Picture* picture = sd.activePicture(c.pictureIndex);
    if (!picture)
        return filled(w, h, rgbColor(255, 0, 255));
    composeSkinImage(b, pixelView(*picture), source, cutOf(c), grown(cutOf(c), c.skinRect, w, h), w, h, true,
                     stretchOf(c), c.stretchEffect, c.stretchType);
    return b;
}

// Left part, stretched or tiled middle, right part: controls of fixed height.
Bitmap composeStrip(const SkinData& sd, const DataSkinCustomControl& c, const Rect& source, int w)
{
    Bitmap b;
    const Picture* picture = sd.activePicture(c.pictureIndex);
    if (!picture)
        return filled(w, source.height(), rgbColor(255, 0, 255));
    composeHorzSkinImage(c.ltPoint.x, c.skinRect.width() - c.rtPoint.x, b, pixelView(*picture), source, w,
                         source.height(), c.stretchEffect);
    return b;
}

// Cuts a bitmap to a window region: pixels outside become fully transparent.
QImage clipped(const Bitmap& bitmap, const std::optional<Region>& region)
{
    QImage image = toImage(bitmap);
    if (!region)
        return image;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!region->contains(x, y))
                image.setPixel(x, y, 0);
    return image;
}

// A tile with a backdrop under a (possibly shaped) image.
QImage onBackdrop(const QImage& image, const QColor& backdrop, int margin = 0)
{
    QImage tile(image.width() + 2 * margin, image.height() + 2 * margin, QImage::Format_ARGB32);
    tile.fill(backdrop);
    QPainter p(&tile);
    p.drawImage(margin, margin, image);
    return tile;
}

// Draws a halo bitmap whose colours are premultiplied by its alpha, as a
// layered window shows it.
void drawPremultiplied(QImage& target, const Bitmap& halo, int x0, int y0)
{
    for (int y = 0; y < halo.height(); ++y) {
        for (int x = 0; x < halo.width(); ++x) {
            const int tx = x0 + x, ty = y0 + y;
            if (tx < 0 || ty < 0 || tx >= target.width() || ty >= target.height())
                continue;
            const uint32_t s = halo.getPixel(x, y);
            const QRgb d = target.pixel(tx, ty);
            const int a = alphaOf(s);
            auto ch = [a](int sc, int dc) { return std::min(255, sc + dc * (255 - a) / 255); };
            target.setPixel(tx, ty, qRgb(ch(redOf(s), qRed(d)), ch(greenOf(s), qGreen(d)), ch(blueOf(s), qBlue(d))));
        }
    }
}

// The glow picture with its opacity from the mask, as it is shown.
Bitmap haloFrom(PixelView picture, PixelView mask)
{
    Bitmap glow;
    glow.assign(picture);
    alphaFromMask(glow, mask);
    glow.checkRGBA();
    return glow;
}

template <class Record>
const Record* controlRecord(const SkinData& sd, const char* name)
{
    const int i = sd.getControlIndex(name);
    return i < 0 ? nullptr : dynamic_cast<const Record*>(sd.ctrlList()[size_t(i)].get());
}

template <class Record>
const Record* objectRecord(const SkinData& sd, const char* name)
{
    const int i = sd.getIndex(name);
    return i < 0 ? nullptr : dynamic_cast<const Record*>(sd.objectList()[size_t(i)].get());
}

QString record(const char* name)
{
    return QString("\"%1\"").arg(name);
}

const QColor kDesktop(0x3C, 0x4B, 0x5A);

// ---- controls --------------------------------------------------------------

enum class State { Normal, Hot, Pressed, Focused, Disabled };

class Review {
public:
    explicit Review(const SkinData& sd)
        : sd(sd)
        , clientColour(sd.skinColors().cBtnFace)
    {
    }

    // A push or tool button in a state: the program's own widget, grabbed.
    QImage button(const DataSkinButtonControl& b, int w, int h, State state, const QString& caption,
                  double morph = -1)
    {
        const auto shot = ShotState(int(state));
        const bool tool = &b == controlRecord<DataSkinButtonControl>(sd, "toolbutton");
        const QImage image = tool ? toolButtonShot(sd, w, h, shot, caption, morph)
                                  : pushButtonShot(sd, w, h, shot, caption, morph);
        return onBackdrop(image, qcolour(clientColour));
    }

    // The push button under the pointer with its halo around it.
    QImage buttonWithGlow(const DataSkinButtonControl& b, int w, int h, const QString& caption)
    {
        const int margin = 12;
        QImage tile = onBackdrop(button(b, w, h, State::Hot, caption), qcolour(clientColour), margin);
        const Picture* glow = sd.activePicture(b.glowLayerPictureIndex);
        const Picture* mask = sd.activePicture(b.glowLayerMaskPictureIndex);
        if (!glow || !mask)
            return tile;
        const int gw = glow->width(), gh = glow->height();
        const NineGeometry cut{{b.glowLayerOffsetLeft, b.glowLayerOffsetTop},
                               {gw - b.glowLayerOffsetRight, b.glowLayerOffsetTop},
                               {b.glowLayerOffsetLeft, gh - b.glowLayerOffsetBottom},
                               {gw - b.glowLayerOffsetRight, gh - b.glowLayerOffsetBottom},
                               {b.glowLayerOffsetLeft, b.glowLayerOffsetTop, gw - b.glowLayerOffsetRight,
                                gh - b.glowLayerOffsetBottom}};
        const int ow = gw + w - b.skinRect.width(), oh = gh + h - b.skinRect.height();
        const NineGeometry target = grown(cut, {0, 0, gw, gh}, ow, oh);
        Bitmap image, imageMask;
        const EdgeStretch all{true, true, true, true};
        composeSkinImage(image, pixelView(*glow), {0, 0, gw, gh}, cut, target, ow, oh, true, all, true,
                         StretchType::Full);
        composeSkinImage(imageMask, pixelView(*mask), {0, 0, gw, gh}, cut, target, ow, oh, true, all, true,
                         StretchType::Full);
        drawPremultiplied(tile, haloFrom(image.view(), imageMask.view()), margin - b.glowLayerShowOffsetX,
                          margin - b.glowLayerShowOffsetY);
        return tile;
    }

    // The status bar at width w with the "About" button near its right end.
    QImage statusBar(int w) { return statusBarShot(sd, w, std::max(0, w - 53), ShotState::Normal); }

    // The menu tool button on the status bar: flat at rest (caption and
    // marker only), or its face when hot or pressed (menu open).
    QImage toolMenuButton(State state, bool) { return statusBarShot(sd, 110, 56, ShotState(int(state))); }

    QImage edit(int w, bool hot, const QString& text, bool disabled = false)
    {
        return editShot(sd, w, hot, text, disabled);
    }

    QImage label(int w, const QString& text)
    {
        const auto* l = controlRecord<DataSkinLabelControl>(sd, "label");
        if (!l)
            return {};
        Bitmap face = composeStrip(sd, *l, l->skinRect, w);
        const Rect area{l->clRect.left, l->clRect.top, w - (l->skinRect.width() - l->clRect.right), l->clRect.bottom};
        drawText(face, area, text, fontFrom(l->fontName, l->fontHeight, l->fontStyle), l->fontColor,
                 TF::Center | TF::VCenter | TF::SingleLine);
        return toImage(face);
    }

    QImage panel(int w, int h)
    {
        const auto* p = controlRecord<DataSkinPanelControl>(sd, "panel");
        return p ? toImage(composeFace(sd, *p, p->skinRect, w, h)) : QImage();
    }

    // A standard label, or (hover) the link label under the pointer.
    QImage stdLabel(const QString& text, bool hover)
    {
        return stdLabelShot(sd, text, hover, hover, qcolour(clientColour));
    }

    // The status-bar menu as it opens, one item highlighted.
    QImage popupMenu(int highlighted)
    {
        const DataSkinPopupWindow& pw = sd.popupWindow;
        const auto* mi = objectRecord<DataSkinMenuItem>(sd, "menuitem");
        const Picture* window = sd.activePicture(pw.windowPictureIndex);
        const Picture* items = mi ? sd.activePicture(mi->activePictureIndex) : nullptr;
        if (!window || !items)
            return {};
        struct Item {
            QString text;
            bool separator, disabled, checked;
        };
        const Item list[] = {{"Visit Our Website", false, false, false},
                             {"", true, false, false},
                             {"About", false, false, false},
                             {"Checked item", false, false, true},
                             {"Disabled item", false, true, false}};
        const int pwW = window->width(), pwH = window->height();
        const int itemsW = pw.itemsRect.width(), itemsH = pw.itemsRect.height();
        int sum = 0;
        for (const Item& i : list)
            sum += i.separator ? mi->dividerRect.height() : mi->skinRect.height();
        const int w = 190, h = sum + pwH - itemsH;
        const NineGeometry cut{pw.ltPoint, pw.rtPoint, pw.lbPoint, pw.rbPoint, pw.itemsRect};
        const NineGeometry target = grown(cut, {0, 0, pwW, pwH}, w, h);
        Bitmap menu;
        composeSkinImage(menu, pixelView(*window), {0, 0, pwW, pwH}, cut, target, w, h, false,
                         {pw.leftStretch, pw.topStretch, pw.rightStretch, pw.bottomStretch}, pw.stretchEffect,
                         pw.stretchType);
        int y = target.client.top;
        const int iw = target.client.width();
        (void)itemsW;
        for (int n = 0; n < int(std::size(list)); ++n) {
            const Item& it = list[n];
            Bitmap face;
            if (it.separator) {
                composeHorzSkinImage(mi->dividerLO, mi->dividerRO, face, pixelView(*items), mi->dividerRect, iw,
                                     mi->dividerRect.height(), mi->dividerStretchEffect);
            } else {
                const bool hot = n == highlighted && !it.disabled;
                composeHorzSkinImage(mi->itemLO, mi->itemRO, face, pixelView(*items),
                                     hot ? mi->activeSkinRect : mi->skinRect, iw, mi->skinRect.height(),
                                     hot ? mi->stretchEffect : mi->inActiveStretchEffect);
                const Rect text{mi->textRct.left, mi->textRct.top, iw - (mi->skinRect.width() - mi->textRct.right),
                                mi->textRct.bottom};
                const Color colour = it.disabled ? mi->unEnabledFontColor : hot ? mi->activeFontColor : mi->fontColor;
                drawText(face, text, it.text, fontFrom(mi->fontName, mi->fontHeight, mi->fontStyle), colour,
                         TF::Left | TF::VCenter | TF::SingleLine);
                if (it.checked) {
                    const Rect glyph = hot ? mi->activeCheckImageRect : mi->checkImageRect;
                    Bitmap cell(glyph.width(), glyph.height());
                    copyPiece(pixelView(*items), glyph, cell, {0, 0, glyph.width(), glyph.height()});
                    cell.checkingTransparent(cell.getPixel(0, cell.height() - 1));
                    const Rect& box = mi->imageRct;
                    cell.draw(face, box.left + (box.width() - glyph.width()) / 2,
                              box.top + (box.height() - glyph.height()) / 2);
                }
            }
            face.draw(menu, target.client.left, y);
            y += face.height();
        }
        return toImage(menu);
    }

    QImage hint(const QString& text)
    {
        const DataSkinHintWindow& hw = sd.hintWindow;
        const Picture* picture = sd.activePicture(hw.windowPictureIndex);
        if (!picture)
            return {};
        const int pw = picture->width(), ph = picture->height();
        const int w = 64, h = 22;
        const NineGeometry cut{hw.ltPoint, hw.rtPoint, hw.lbPoint, hw.rbPoint, hw.clRect};
        const NineGeometry target = grown(cut, {0, 0, pw, ph}, w, h);
        Bitmap b;
        composeSkinImage(b, pixelView(*picture), {0, 0, pw, ph}, cut, target, w, h, true,
                         {hw.leftStretch, hw.topStretch, hw.rightStretch, hw.bottomStretch}, hw.stretchEffect,
                         hw.stretchType);
        drawText(b, target.client, text, fontFrom(hw.fontName, hw.fontHeight, hw.fontStyle), hw.fontColor,
                 TF::Center | TF::VCenter | TF::SingleLine | TF::NoClip);
        return toImage(b);
    }

    // ---- caption buttons ---------------------------------------------------

    enum class CapState { Normal, Hot, Pressed, Inactive, Disabled, Restore, RestoreHot, RestorePressed, RestoreInactive };

    static Rect capRect(const DataSkinStdButton& b, CapState s)
    {
        switch (s) {
        case CapState::Normal: return b.skinRect;
        case CapState::Hot: return b.activeSkinRect;
        case CapState::Pressed: return b.downRect;
        case CapState::Inactive: return b.inActiveSkinRect;
        case CapState::Disabled: return b.disableSkinRect;
        case CapState::Restore: return b.restoreRect;
        case CapState::RestoreHot: return b.restoreActiveRect;
        case CapState::RestorePressed: return b.restoreDownRect;
        case CapState::RestoreInactive: return b.restoreInActiveRect;
        }
        return {};
    }

    QImage captionButton(const DataSkinStdButton& b, CapState s, int zoom = 1)
    {
        return piece(b.activePictureIndex, capRect(b, s), zoom);
    }

    // A piece of an active picture, enlarged by a whole factor.
    QImage piece(int pictureIndex, const Rect& r, int zoom = 1)
    {
        const Picture* picture = sd.activePicture(pictureIndex);
        if (r.isEmpty() || !picture)
            return {};
        Bitmap cell(r.width() * zoom, r.height() * zoom);
        copyPiece(pixelView(*picture), r, cell, {0, 0, r.width() * zoom, r.height() * zoom});
        return toImage(cell);
    }

    // A caption button under the pointer with its halo, over the caption bar.
    QImage captionButtonGlow(const DataSkinStdButton& b)
    {
        const Picture* glow = sd.activePicture(b.glowLayerPictureIndex);
        const Picture* mask = sd.activePicture(b.glowLayerMaskPictureIndex);
        const QImage face = captionButton(b, CapState::Hot);
        if (!glow || !mask || face.isNull())
            return face;
        // the caption bar's own rows behind the button
        const Picture& frame = sd.picture().picture();
        const int w = glow->width() + 8, h = glow->height();
        Bitmap back(w, h);
        const int top = sd.captionRect.top - b.glowLayerOffsetY;
        for (int y = 0; y < h; ++y) {
            // rows beyond the caption bar repeat its first or last row
            const int row = std::clamp(top + y, 1, sd.clRect.top - 2);
            copyPiece(pixelView(frame), {frame.width() / 2, row, frame.width() / 2 + 1, row + 1}, back,
                      {0, y, w, y + 1});
        }
        QImage tile = toImage(back);
        QPainter(&tile).drawImage(4 + b.glowLayerOffsetX, b.glowLayerOffsetY, face);
        drawPremultiplied(tile, haloFrom(pixelView(*glow), pixelView(*mask)), 4, 0);
        return tile;
    }

    // ---- the window frame -----------------------------------------------------

    struct WindowLook {
        bool active = true;
        bool mainWindow = true; // system menu, minimise and close; else close only
        QString title;
        std::string hotButton;
        bool withControls = false;
        int captionFrame = 0;     // a frame of the caption's animation (0: none)
        int captionFadeStep = -1; // a step of its cross-fade (-1: settled)
    };

    // The window drawn by the program's own frame component, off screen:
    // its layout, objects and painting, with the look's activation and hot
    // button, cut to the window's shape.
    QImage frame(int w, int h, const WindowLook& look)
    {
        tessaly::platform::FramelessWindow window;
        window.setWindowTitle(look.title);
        SkinFrame skinFrame(&window);
        skinFrame.setBorderIcons(look.mainWindow ? BorderIcon::SystemMenu | BorderIcon::Minimize : 0u);
        // The skin's custom caption buttons are shown too.
        skinFrame.setOnActivateCustomObject([](const std::string&) { return true; });
        // The frame only reads the registry.
        skinFrame.setSkinData(const_cast<SkinData*>(&sd));
        window.resize(w, h);
        skinFrame.updateFrame();

        std::vector<CaptionButton> objects = skinFrame.objects();
        for (CaptionButton& o : objects) {
            if (o.idName() == look.hotButton && look.active)
                o.showHot();
            if (o.isCaption()) {
                o.settle(look.active);
                if (look.captionFrame > 0 || look.captionFadeStep >= 0)
                    o.showCaptionAt(look.captionFrame, std::max(look.captionFadeStep, 0));
            }
        }
        FramePaintState state;
        state.active = look.active;
        state.title = look.title;
        state.morphEnabled = sd.options().enableSkinEffects;
        Bitmap image;
        composeFrame(image, &sd, skinFrame.layout(), objects, state);
        const Rect client = skinFrame.layout().clientRect;
        if (look.withControls && !image.empty())
            drawMainWindowControls(image, client.left, client.top);
        return clipped(image, skinFrame.layout().region);
    }

    // The main window's controls at their design places (the report box is
    // a plain platform control and shown as a white box).
    void drawMainWindowControls(Bitmap& window, int ox, int oy)
    {
        auto place = [&](const QImage& image, int x, int y) {
            QImage target = toImage(window);
            QPainter(&target).drawImage(ox + x, oy + y, image);
            for (int yy = 0; yy < window.height(); ++yy)
                for (int xx = 0; xx < window.width(); ++xx)
                    window.setPixel(xx, yy, target.pixel(xx, yy));
        };
        QImage memo(565, 280, QImage::Format_ARGB32);
        memo.fill(Qt::white);
        {
            QPainter p(&memo);
            p.setPen(qcolour(sd.skinColors().cBtnShadow));
            p.drawRect(0, 0, 564, 279);
            p.setPen(Qt::black);
            p.setFont(fontOf(fontFrom("Tahoma", -11, {})));
            p.drawText(QRect(4, 3, 556, 270), Qt::AlignLeft | Qt::AlignTop,
                       "Validating using EPUB version 3.3 rules.\nPassed! No errors or warnings detected");
        }
        place(memo, 8, 8);
        place(edit(433, false, "/home/reader/Books/sample.epub"), 8, 294);
        if (const auto* t = controlRecord<DataSkinButtonControl>(sd, "toolbutton"))
            place(button(*t, 33, 21, State::Normal, QString::fromUtf8("\u2026")), 442, 294);
        if (const auto* b = controlRecord<DataSkinButtonControl>(sd, "button"))
            place(button(*b, 75, 25, State::Normal, "Validate"), 498, 293);
        place(statusBarShot(sd, 581, 528, ShotState::Normal), 0, 322);
    }

    const SkinData& sd;
    Color clientColour;
};

} // namespace

// ---- the sheet -------------------------------------------------------------

// The skin preview window wearing the skin, shown (off screen) with its
// controls put into their states, and grabbed.
QImage previewWindowShot(const SkinData& sd)
{
    // The window only reads the registry.
    tessaly::app::SkinPreviewWindow window(const_cast<SkinData&>(sd));
    window.show();
    window.showStates();
    QCoreApplication::processEvents();
    return window.grab().toImage();
}

void buildSheet(const SkinData& sd, skinsheet::SheetLayout& sheet, QImage& large)
{
    Review r(sd);
    auto L = [](bool active, bool mainWindow, const QString& title, const std::string& hot = "",
                bool withControls = false) {
        Review::WindowLook look;
        look.active = active;
        look.mainWindow = mainWindow;
        look.title = title;
        look.hotButton = hot;
        look.withControls = withControls;
        return look;
    };
    const int bw = sd.clRect.left + (sd.picture().width() - sd.clRect.right);
    const int bh = sd.clRect.top + (sd.picture().height() - sd.clRect.bottom);

    sheet.section("Main window (client 581 x 343) and About window (client 319 x 175)");
    sheet.add(onBackdrop(r.frame(581 + bw, 343 + bh, L(true, true, "Tessaly 1.0", "", true)), kDesktop, 6),
              "main window, active");
    sheet.add(onBackdrop(r.frame(581 + bw, 343 + bh, L(false, true, "Tessaly 1.0", "", true)), kDesktop, 6),
              "main window, inactive (the frame's inactive effect)");
    sheet.add(onBackdrop(r.frame(319 + bw, 175 + bh, L(true, false, "", "closebutton")), kDesktop, 6),
              "About window, active, close button hot");
    sheet.add(onBackdrop(r.frame(319 + bw, 175 + bh, L(false, false, "")), kDesktop, 6), "About window, inactive");

    sheet.section("Frame from the minimum size upwards");
    const int minW = std::max(sd.formMinWidth, 1), minH = std::max(sd.formMinHeight, 1);
    sheet.add(onBackdrop(r.frame(minW, minH, L(true, true, "Tessaly 1.0")), kDesktop, 6),
              QString("minimum %1 x %2").arg(minW).arg(minH));
    sheet.add(onBackdrop(r.frame(minW, minH, L(false, true, "Tessaly 1.0")), kDesktop, 6), "minimum, inactive");
    sheet.add(onBackdrop(r.frame(sd.picture().width(), sd.picture().height(), L(true, true, "Pewter")), kDesktop, 6),
              "picture size");
    sheet.add(onBackdrop(r.frame(260, 120, L(true, true, "A title too long for the caption")), kDesktop, 6),
              "260 x 120, long title");
    sheet.add(onBackdrop(r.frame(420, 90, L(true, true, "Tessaly 1.0", "minbutton")), kDesktop, 6),
              "420 x 90, minimise hot");

    // The caption's own pictures, when the skin has them: each frame of its
    // animation and each step of its cross-fade.
    if (const auto* c = objectRecord<DataSkinCaption>(sd, "caption");
        c && (!c->animateSkinRect.isEmpty() || (c->morphing && !c->activeSkinRect.isEmpty()))) {
        sheet.section("Caption: animation frames, cross-fade from inactive to active");
        for (int k = 1; !c->animateSkinRect.isEmpty() && k <= c->frameCount; ++k) {
            Review::WindowLook look = L(true, true, "Tessaly 1.0");
            look.captionFrame = k;
            sheet.add(onBackdrop(r.frame(300, 60, look), kDesktop, 6), QString("frame %1").arg(k));
        }
        for (int step = 1; c->morphing && step < CrossFade::kSteps; ++step) {
            Review::WindowLook look = L(true, true, "Tessaly 1.0");
            look.captionFadeStep = step;
            sheet.add(onBackdrop(r.frame(300, 60, look), kDesktop, 6),
                      QString("fade %1/%2").arg(step).arg(CrossFade::kSteps));
        }
    }

    sheet.section("Caption buttons: normal, hot, pressed, inactive, disabled; restore; x3");
    for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton", "traybutton"}) {
        const auto* b = objectRecord<DataSkinStdButton>(sd, name);
        if (!b)
            continue;
        using C = Review::CapState;
        const std::pair<C, const char*> states[] = {{C::Normal, "normal"},   {C::Hot, "hot"},
                                                    {C::Pressed, "pressed"}, {C::Inactive, "inactive"},
                                                    {C::Disabled, "disabled"}};
        bool first = true;
        for (const auto& [s, label] : states) {
            sheet.add(r.captionButton(*b, s), first ? QString("%1 %2").arg(record(name), label) : QString(label));
            first = false;
        }
        if (!b->restoreRect.isEmpty()) {
            for (const auto& [s, label] : {std::pair{C::Restore, "restore"}, {C::RestoreHot, "restore hot"},
                                           {C::RestorePressed, "restore pressed"}, {C::RestoreInactive, "restore inactive"}})
                sheet.add(r.captionButton(*b, s), label);
        }
        sheet.add(r.captionButtonGlow(*b), "hot with glow");
        sheet.add(r.captionButton(*b, C::Normal, 3), "normal x3");
        sheet.add(r.captionButton(*b, C::Hot, 3), "hot x3");
        sheet.newRow();
    }

    // Animate caption buttons: their frames side by side in the order they
    // play, their pressed and inactive looks, and a window with one hot.
    for (const auto& record : sd.objectList()) {
        const auto* a = dynamic_cast<const DataSkinAnimate*>(record.get());
        if (!a)
            continue;
        sheet.section(QString("Animate button %1: frames 1 to %2, pressed, inactive; x3")
                          .arg(QString::fromStdString(a->idName))
                          .arg(a->countFrames));
        const Rect first = a->skinRect;
        for (int k = 1; k <= a->countFrames; ++k)
            sheet.add(r.piece(a->activePictureIndex, first.translated((k - 1) * first.width(), 0)),
                      QString("frame %1").arg(k));
        sheet.add(r.piece(a->activePictureIndex, a->downSkinRect), "pressed");
        sheet.add(r.piece(a->activePictureIndex, a->inActiveSkinRect), "inactive");
        sheet.add(r.piece(a->activePictureIndex, first, 3), "frame 1 x3");
        sheet.add(r.piece(a->activePictureIndex, first.translated(first.width(), 0), 3), "frame 2 x3");
        sheet.add(onBackdrop(r.frame(420, 90, L(true, true, "Tessaly 1.0", a->idName)), kDesktop, 6),
                  "420 x 90, hovered to its last frame");
        sheet.newRow();
    }

    // The controls as the skin preview window shows them: every kind in
    // each state and mode, the program's own widgets in the program's own
    // window.
    sheet.section("Every control kind in its states and modes (the skin preview window)");
    sheet.add(onBackdrop(previewWindowShot(sd), kDesktop, 6), "tessaly --preview-skin");
    sheet.add(r.panel(150, 80), "\"panel\" 150 x 80");
    sheet.add(r.label(140, "Status text"), "\"label\" 140 x 21");

    sheet.section("Popup menu (POPUPWINDOW, \"menuitem\") and hint window (HINTWINDOW)");
    sheet.add(r.popupMenu(0), "first item highlighted");
    sheet.add(r.popupMenu(2), "\"About\" highlighted");
    sheet.add(r.popupMenu(-1), "nothing highlighted");
    sheet.add(r.hint("Minimize"), "hint");

    large = onBackdrop(r.frame(1920, 1080, L(true, true, "Tessaly 1.0")), kDesktop, 0);
}

} // namespace skinsheet
