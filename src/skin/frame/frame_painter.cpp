#include "skin/frame/frame_painter.h"

#include <algorithm>

#include "platform/qt_canvas.h"
#include "platform/qt_geometry.h"
#include "skin/data/skin_data.h"
#include "skin/data/system_colors.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/compose.h"
#include "skin/paint/device_picture.h"
#include "skin/paint/effect_bmp.h"
#include "skin/paint/lines.h"
#include "skin/paint/stack_blur.h"
#include "skin/paint/text_effects.h"

namespace tessaly::skin {

namespace TF = platform::TextFormat;

namespace {

constexpr unsigned kTextFlags = TF::SingleLine | TF::NoPrefix | TF::NoClip;

void applyInactiveEffect(EffectBmp& e, InActiveEffect effect)
{
    switch (effect) {
    case InActiveEffect::Brightness: e.changeBrightness(0.5); break;
    case InActiveEffect::Darkness: e.changeDarkness(0.3); break;
    case InActiveEffect::GrayScale: e.grayScale(); break;
    case InActiveEffect::Noise: e.addMonoNoise(50); break;
    case InActiveEffect::SplitBlur: e.splitBlur(1); break;
    case InActiveEffect::Invert: e.invert(); break;
    }
}

// The inactive effect over a part of a bitmap.
void applyInactiveEffect(Bitmap& bitmap, const Rect& part, InActiveEffect effect)
{
    const Rect r{std::max(part.left, 0), std::max(part.top, 0), std::min(part.right, bitmap.width()),
                 std::min(part.bottom, bitmap.height())};
    if (r.isEmpty())
        return;
    PixelView view = bitmap.view();
    view.bits = bitmap.pixelPointer(r.left, r.top);
    view.width = r.width();
    view.height = r.height();
    EffectBmp e(view);
    applyInactiveEffect(e, effect);
    e.draw(bitmap.surface(), r.left, r.top);
}

bool inactiveEffectOn(const SkinData& sd, const FramePaintState& state)
{
    return !state.active && sd.autoRenderingInActiveImage;
}

// ---- caption buttons --------------------------------------------------------

// Draws a button of the skin at `at` in its state. With `update` false, a
// normal image that is part of the frame picture is not drawn again.
// The restore look of a button in its restore situation: its inactive,
// pressed, hot or normal restore picture (hot and normal cross-faded as the
// normal look is). False when the button has no restore look to show.
bool drawRestoreLook(Bitmap& target, const FrameObject& o, const Rect& at, bool windowActive, bool morphEnabled,
                     const FramePaintState& state)
{
    if (!o.enabled || o.restoreRect.isEmpty() || !o.activePicture
        || !o.inRestoreSituation(state.maximized, state.minimized, state.rolledUp))
        return false;
    const PixelView active = pixelView(*o.activePicture);
    auto copy = [&](const Rect& r) { copyPiece(active, r, target, at); };
    if (!windowActive && !o.restoreInActiveRect.isEmpty()) {
        copy(o.restoreInActiveRect);
        return true;
    }
    if (o.pressed() && !o.restoreDownRect.isEmpty()) {
        copy(o.restoreDownRect);
        return true;
    }
    const bool morph = morphEnabled && o.morphing && !o.restoreActiveRect.isEmpty();
    if (morph && o.fade.midway()) {
        Bitmap normal(at.width(), at.height());
        Bitmap hot(at.width(), at.height());
        copyPiece(active, o.restoreRect, normal, {0, 0, at.width(), at.height()});
        copyPiece(active, o.restoreActiveRect, hot, {0, 0, at.width(), at.height()});
        EffectBmp from(normal.view());
        from.morphBy(o.morphKind, EffectBmp(hot.view()), o.fade.factor());
        from.draw(target.surface(), at.left, at.top);
        return true;
    }
    const bool showHot = morph ? o.fade.atHot() : o.active;
    copy(showHot && !o.restoreActiveRect.isEmpty() ? o.restoreActiveRect : o.restoreRect);
    return true;
}

void drawSkinButton(Bitmap& target, const SkinData& sd, const FrameObject& o, const Rect& at,
                    const FramePaintState& state, bool update)
{
    const bool windowActive = state.active;
    const bool morphEnabled = state.morphEnabled;
    if (drawRestoreLook(target, o, at, windowActive, morphEnabled, state))
        return;
    const PixelView frame = pixelView(sd.picture().picture());
    const PixelView active = o.activePicture ? pixelView(*o.activePicture) : PixelView{};
    const PixelView normalSource = o.info.skinRectInAPicture ? active : frame;
    auto copy = [&](PixelView source, const Rect& r) {
        if (!source.isEmpty() && !r.isEmpty())
            copyPiece(source, r, target, at);
    };

    if (!o.enabled && !o.disableSkinRect.isEmpty()) {
        copy(active, o.disableSkinRect);
        return;
    }
    if (o.pressed() && !o.downRect.isEmpty()) {
        copy(active, o.downRect);
        return;
    }
    if (windowActive || o.inActiveSkinRect.isEmpty() || !o.enabled) {
        const bool morph = morphEnabled && o.morphing && !o.activeSkinRect.isEmpty();
        if (morph && o.fade.midway() && !active.isEmpty()) {
            // Cross-fade between the normal and the hot image.
            Bitmap normal(at.width(), at.height());
            Bitmap hot(at.width(), at.height());
            copyPiece(normalSource, o.info.skinRect, normal, {0, 0, at.width(), at.height()});
            copyPiece(active, o.activeSkinRect, hot, {0, 0, at.width(), at.height()});
            EffectBmp from(normal.view());
            const EffectBmp to(hot.view());
            from.morphBy(o.morphKind, to, o.fade.factor());
            from.draw(target.surface(), at.left, at.top);
            return;
        }
        const bool showHot = morph ? o.fade.atHot() : o.active;
        if (!showHot || o.activeSkinRect.isEmpty()) {
            if (update || o.info.skinRectInAPicture)
                copy(normalSource, o.info.skinRect);
        } else {
            copy(active, o.activeSkinRect);
        }
        return;
    }
    copy(active, o.inActiveSkinRect);
}

// An animate object: its pressed look, its inactive look, or the frame it
// is at (the last while its menu is open); in its restore situation the
// restore rectangles stand for the skin, pressed and inactive rectangles.
void drawAnimateObject(Bitmap& target, const FrameObject& o, const Rect& at, const FramePaintState& state)
{
    if (!o.activePicture)
        return;
    const bool restore = !o.restoreRect.isEmpty() && o.inRestoreSituation(state.maximized, state.minimized, state.rolledUp);
    const Rect first = restore ? o.restoreRect : o.info.skinRect;
    const Rect down = restore ? o.restoreDownRect : o.downRect;
    const Rect inactive = restore ? o.restoreInActiveRect : o.inActiveSkinRect;
    const AnimateFrames& a = o.animation;
    Rect source;
    if (o.pressed() && !down.isEmpty())
        source = down;
    else if (!state.active && !inactive.isEmpty())
        source = inactive;
    else
        source = first.translated(((o.menu && o.down ? a.countFrames : a.frame) - 1) * first.width(), 0);
    copyPiece(pixelView(*o.activePicture), source, target, at);
}

// A user object is the window's to draw.
void drawUserObject(Bitmap& target, const FrameObject& o, const Rect& at, const FramePaintState& state)
{
    if (state.userPainter && *state.userPainter)
        (*state.userPainter)(o.idName, target, at);
}

CaptionPaintState captionState(const FramePaintState& state)
{
    return {state.active, state.title, state.morphEnabled, state.deviceRatio};
}

// ---- the skinned frame ---------------------------------------------------------

struct ClientPiece {
    PixelView source;
    Rect piece;
    // The piece lies wholly inside its picture, so it covers every pixel it
    // is laid over.
    bool complete() const
    {
        return !source.isEmpty() && !piece.isEmpty() && piece.left >= 0 && piece.top >= 0
            && piece.right <= source.width && piece.bottom <= source.height;
    }
};

ClientPiece clientPiece(const SkinData& sd)
{
    const Picture* bg = sd.bgPictureIndex >= 0 ? sd.activePicture(sd.bgPictureIndex) : nullptr;
    if (bg)
        return {pixelView(*bg), Rect{0, 0, bg->width(), bg->height()}};
    return {pixelView(sd.picture().picture()), sd.clRect};
}

void paintClientBackground(Bitmap& window, const SkinData& sd, const FrameLayout& f)
{
    const Rect client = f.clientRect;
    if (client.isEmpty())
        return;
    const auto [source, piece] = clientPiece(sd);
    if (piece.isEmpty() || source.isEmpty()) {
        window.fillRect(client, colorFromValue(colors::btnFace));
        return;
    }
    if (!sd.stretchEffect) {
        layPiece(source, piece, window, client, true, true);
        return;
    }
    switch (sd.stretchType) {
    case StretchType::Full:
        copyPiece(source, piece, window, client);
        break;
    case StretchType::Horz: {
        // One column stretched to the window height, repeated across.
        Bitmap column(piece.width(), f.height);
        copyPiece(source, piece, column, {0, 0, piece.width(), f.height});
        layPiece(column.view(), {0, 0, piece.width(), client.height()}, window, client, true, false);
        break;
    }
    case StretchType::Vert: {
        // One band stretched to the window width, repeated down.
        Bitmap band(f.width, piece.height());
        copyPiece(source, piece, band, {0, 0, f.width, piece.height()});
        layPiece(band.view(), {0, 0, client.width(), piece.height()}, window, client, false, true);
        break;
    }
    }
}

void composeSkinned(Bitmap& window, const SkinData& sd, const FrameLayout& f,
                    std::span<const CaptionButton> objects, const FramePaintState& state)
{
    const int w = f.width, h = f.height;
    const Picture& picture = sd.picture().picture();
    const bool useInactivePicture = !state.active && !sd.inActivePicture().picture().isEmpty();
    const PixelView source = pixelView(useInactivePicture ? sd.inActivePicture().picture() : picture);
    FrameStrips strips = buildFrameStrips(source, {0, 0, picture.width(), picture.height()}, f.cut, f.target, w, h,
                                          {sd.leftStretch, sd.topStretch, sd.rightStretch, sd.bottomStretch});

    // Nothing of an earlier size may show through: unless the strips and
    // the client background cover the whole window (every size from the
    // minimum up), the window is filled first.
    const bool covered = !f.belowMinimum && !f.clientRect.isEmpty() && clientPiece(sd).complete()
        && strips.top.height() == f.clientRect.top
        && strips.left.width() == f.clientRect.left && strips.right.width() == w - f.clientRect.right
        && strips.bottom.height() == h - f.clientRect.bottom && strips.left.height() == f.clientRect.height()
        && strips.right.height() == f.clientRect.height() && strips.top.width() == w && strips.bottom.width() == w;
    if (!covered)
        window.fillRect({0, 0, w, h}, colorFromValue(sd.skinColors().cBtnFace));
    paintClientBackground(window, sd, f);
    if (state.logo)
        drawLogo(window, f.clientRect, *state.logo);

    // Objects draw into the strip they lie on: the top strip, or the bottom
    // strip in its own coordinates. Text kept out of the strips goes with
    // them into the window.
    std::optional<platform::TextCapture> topText = captureTextOnDenseDevice(strips.top, state.deviceRatio);
    std::optional<platform::TextCapture> bottomText = captureTextOnDenseDevice(strips.bottom, state.deviceRatio);
    if (!f.belowMinimum) {
        for (std::size_t i = 0; i < objects.size() && i < f.objectRects.size(); ++i) {
            const FrameObject& o = objects[i].look();
            const Rect at = f.objectRects[i];
            if (!o.info.visible || at.isEmpty())
                continue;
            const bool inTop = at.bottom <= f.clientRect.top;
            Bitmap& strip = inTop ? strips.top : strips.bottom;
            if (strip.empty())
                continue;
            const Rect local = inTop ? at : at.translated(0, -f.clientRect.bottom);
            if (o.isCaption())
                drawCaptionObject(strip, sd, o, local, captionState(state), state.captionImages, false);
            else if (o.isUserObject())
                drawUserObject(strip, o, local, state);
            else if (o.isAnimate())
                drawAnimateObject(strip, o, local, state);
            else
                // Drawn whole, also when its normal look is part of the
                // frame picture: a caption drawn before it may have
                // covered the strip's copy.
                drawSkinButton(strip, sd, o, local, state, true);
        }
    }
    if (inactiveEffectOn(sd, state)) {
        for (Bitmap* strip : {&strips.top, &strips.bottom, &strips.left, &strips.right})
            applyInactiveEffect(*strip, {0, 0, strip->width(), strip->height()}, sd.inActiveEffect);
        // The caption no longer shows a kept picture as it is.
        if (state.captionImages)
            state.captionImages->forgetShown();
    }
    strips.top.draw(window, 0, 0);
    strips.left.draw(window, 0, strips.top.height());
    strips.right.draw(window, w - strips.right.width(), strips.top.height());
    strips.bottom.draw(window, 0, h - strips.bottom.height());
    if (topText)
        canvasOf(window).drawRuns(topText->take(), {0, 0});
    if (bottomText)
        canvasOf(window).drawRuns(bottomText->take(), {0, h - strips.bottom.height()});
}

// ---- the default look ----------------------------------------------------------

void drawDefaultButton(Bitmap& target, const FrameObject& o, const Rect& at)
{
    Bitmap face(at.width(), at.height());
    if (face.empty())
        return;
    const PixelSurface pen = face.surface();
    const Rect all{0, 0, at.width(), at.height()};
    const PixelColor navy = colorFromValue(colors::navy);
    if (o.pressed()) {
        face.fillRect(all, colorFromValue(Color(0xB59385)));
        drawOutline(pen, all, navy);
    } else if (o.mouseIn) {
        face.fillRect(all, colorFromValue(Color(0xD2BDB6)));
        drawOutline(pen, all, navy);
    } else {
        face.fillRect(all, colorFromValue(colors::btnFace));
    }
    const int a = o.pressed() ? at.width() / 2 - 4 : at.width() / 2 - 5;
    const int b = o.pressed() ? at.height() / 2 - 3 : at.height() / 2 - 4;
    const PixelColor g = colorFromValue(o.enabled ? colors::btnText : colors::btnShadow);
    switch (o.info.command) {
    case StdCommand::Close:
        drawLine(pen, a + 1, b + 1, a + 9, b + 9, g);
        drawLine(pen, a + 9, b + 1, a + 1, b + 9, g);
        drawLine(pen, a + 2, b + 1, a + 10, b + 9, g);
        drawLine(pen, a + 8, b + 1, a, b + 9, g);
        break;
    case StdCommand::Maximize:
        drawOutline(pen, {a, b, a + 11, b + 10}, g);
        drawOutline(pen, {a, b, a + 11, b + 2}, g);
        break;
    case StdCommand::Minimize:
        drawLine(pen, a + 1, b + 8, a + 9, b + 8, g);
        drawLine(pen, a + 1, b + 9, a + 9, b + 9, g);
        break;
    case StdCommand::SysMenu:
        drawOutline(pen, {a + 1, b + 3, a + 9, b + 6}, g);
        break;
    case StdCommand::RollUp:
        for (int i = 0; i < 5; ++i)
            drawLine(pen, a + 1 + i, b + 6 - i, a + 9 - i, b + 6 - i, g);
        break;
    case StdCommand::MinimizeToTray:
        face.fillRect({a + 2, b + 2, a + 7, b + 7}, g);
        break;
    case StdCommand::Default:
        break;
    }
    face.draw(target, at.left, at.top);
}

void composeDefault(Bitmap& window, const FrameLayout& f, std::span<const CaptionButton> objects,
                    const FramePaintState& state)
{
    const int w = f.width, h = f.height;
    const PixelColor face = colorFromValue(colors::btnFace);
    window.fillRect({0, 0, w, h}, face);
    if (state.logo)
        drawLogo(window, f.clientRect, *state.logo);
    const int capH = kDefaultCaptionHeight;
    const int b = kDefaultBorder;

    Bitmap caption(std::max(w - 2 * b, 0), capH);
    std::optional<platform::TextCapture> captionText = captureTextOnDenseDevice(caption, state.deviceRatio);
    if (!caption.empty()) {
        caption.fillRect({0, 0, caption.width(), capH}, face);
        const int x0 = f.captionRect.left - b + 2;
        const int x1 = f.captionRect.right - 6;
        // A narrow window leaves no room for the stripes (a line from x0
        // back to x1 would be drawn reversed).
        for (int y = 2, i = 0; x0 < x1 && y <= capH - 4; ++y, ++i)
            drawLine(caption.surface(), x0, y, x1, y,
                     colorFromValue(i % 2 == 0 ? colors::btnHighlight : colors::btnShadow));
        if (!state.title.isEmpty()) {
            platform::QtCanvas canvas = canvasOf(caption);
            Font font;
            font.name = "Arial";
            font.height = 14;
            font.style.bold = true;
            canvas.setFont(fontOf(font));
            const int left = f.captionRect.left - b;
            const int free = f.captionRect.width();
            const QString text = fitTextWithEllipsis(canvas, state.title, free);
            const QRect box = canvas.measureText(QRect(), text, kTextFlags);
            const int x = left + free / 2 - (box.width() + 5) / 2;
            const int y = capH / 2 - box.height() / 2;
            caption.fillRect({x - 2, y - 2, x + box.width() + 2, y + box.height() + 2}, face);
            canvas.setTextColor(colorFromValue(state.active ? colors::btnText : colors::btnShadow));
            canvas.drawText(platform::toQRect({x, y, x + box.width(), y + box.height()}), text, kTextFlags);
        }
        for (std::size_t i = 0; i < objects.size() && i < f.objectRects.size(); ++i)
            if (!objects[i].isCaption() && objects[i].visible() && !f.objectRects[i].isEmpty())
                drawDefaultButton(caption, objects[i].look(), f.objectRects[i].translated(-b, -b));
        caption.draw(window, b, b);
        if (captionText)
            canvasOf(window).drawRuns(captionText->take(), {b, b});
    }
    // Three one-pixel frames inwards from the window's edge.
    const Color light[3] = {systemColorValue(SystemColor::Light3D), colors::btnHighlight, colors::btnFace};
    const Color dark[3] = {systemColorValue(SystemColor::DkShadow3D), colors::btnShadow, colors::btnFace};
    for (int i = 0; i < 3 && 2 * i < std::min(w, h); ++i) {
        const Rect r{i, i, w - i, h - i};
        // The dark sides are drawn last: they own the corners they share.
        const PixelSurface pen = window.surface();
        drawLine(pen, r.left, r.top, r.right, r.top, colorFromValue(light[i]));
        drawLine(pen, r.left, r.top, r.left, r.bottom, colorFromValue(light[i]));
        drawLine(pen, r.left, r.bottom - 1, r.right, r.bottom - 1, colorFromValue(dark[i]));
        drawLine(pen, r.right - 1, r.top, r.right - 1, r.bottom, colorFromValue(dark[i]));
    }
}

// ---- a full layered border's top strip ----------------------------------------------

// The look of a button on the strip: its picture's rectangle and the alpha
// mask that goes with it. No cross-fades: a full border draws every state
// at once.
struct AlphaLook {
    Rect source;
    int maskIndex = -1;
};

AlphaLook alphaLook(const FrameObject& o, const FramePaintState& state)
{
    const int normal = o.alphaMaskPictureIndex, hot = o.alphaMaskActivePictureIndex,
              inactive = o.alphaMaskInActivePictureIndex;
    if (o.isAnimate()) {
        // Animate objects have no alpha masks: their frames are opaque.
        const AnimateFrames& a = o.animation;
        if (o.pressed() && !o.downRect.isEmpty())
            return {o.downRect};
        if (!state.active && !o.inActiveSkinRect.isEmpty())
            return {o.inActiveSkinRect};
        const Rect first = o.info.skinRect;
        return {first.translated(((o.menu && o.down ? a.countFrames : a.frame) - 1) * first.width(), 0)};
    }
    if (o.enabled && !o.restoreRect.isEmpty() && o.inRestoreSituation(state.maximized, state.minimized, state.rolledUp)) {
        if (!state.active && !o.restoreInActiveRect.isEmpty())
            return {o.restoreInActiveRect, inactive};
        if (o.pressed() && !o.restoreDownRect.isEmpty())
            return {o.restoreDownRect, hot};
        if (o.active && !o.restoreActiveRect.isEmpty())
            return {o.restoreActiveRect, hot};
        return {o.restoreRect, normal};
    }
    if (!o.enabled && !o.disableSkinRect.isEmpty())
        return {o.disableSkinRect, normal};
    if (o.pressed() && !o.downRect.isEmpty())
        return {o.downRect, hot};
    if (!state.active && o.enabled && !o.inActiveSkinRect.isEmpty())
        return {o.inActiveSkinRect, inactive};
    if (o.active && !o.activeSkinRect.isEmpty())
        return {o.activeSkinRect, hot};
    return {o.info.skinRect, normal};
}

void drawAlphaButton(Bitmap& top, const SkinData& sd, const FrameObject& o, const Rect& at,
                     const FramePaintState& state)
{
    if (!o.activePicture)
        return;
    const AlphaLook look = alphaLook(o, state);
    if (look.source.isEmpty())
        return;
    Bitmap image(at.width(), at.height());
    copyPiece(pixelView(*o.activePicture), look.source, image, Rect::sized(at.width(), at.height()));
    image.setAlpha(255);
    if (const Picture* mask = sd.activePicture(look.maskIndex)) {
        Bitmap maskPart(at.width(), at.height());
        copyPiece(pixelView(*mask), look.source, maskPart, Rect::sized(at.width(), at.height()));
        alphaFromMask(image, maskPart.view());
        image.checkRGBA();
    }
    const Rect r = at.intersected(Rect::sized(top.width(), top.height()));
    for (int y = r.top; y < r.bottom; ++y) {
        const uint32_t* from = image.rowPointer(y - at.top) - at.left;
        uint32_t* row = top.rowPointer(y);
        for (int x = r.left; x < r.right; ++x)
            if (from[x] >> 24)
                row[x] = from[x];
    }
}

} // namespace

void drawLayerObjects(Bitmap& top, const SkinData& sd, std::span<const CaptionButton> objects,
                      const std::vector<Rect>& rects, const FramePaintState& state)
{
    for (std::size_t i = 0; i < objects.size() && i < rects.size(); ++i) {
        const FrameObject& o = objects[i].look();
        if (!o.info.visible || rects[i].isEmpty())
            continue;
        if (o.isCaption())
            drawCaptionTextOnAlpha(top, sd, o, rects[i], captionState(state));
        else if (!o.isUserObject())
            drawAlphaButton(top, sd, o, rects[i], state);
    }
}

void composeFrame(Bitmap& window, const SkinData* sd, const FrameLayout& layout,
                  std::span<const CaptionButton> objects, const FramePaintState& state)
{
    if (layout.width <= 0 || layout.height <= 0) {
        window.clear();
        return;
    }
    // Every pixel is written below (the skinned frame fills first where its
    // pieces would leave gaps), so the old pixels need not be cleared.
    window.setSizeForOverwrite(layout.width, layout.height);
    window.setAlphaBlend(false);
    window.setTransparent(false);
    std::optional<platform::TextCapture> text;
    if (state.keptText) {
        state.keptText->clear();
        text.emplace(window.rowPointer(0));
    }
    if (sd && layout.allClient) {
        paintClientBackground(window, *sd, layout);
        if (state.logo)
            drawLogo(window, layout.clientRect, *state.logo);
    } else if (sd && layout.skinned)
        composeSkinned(window, *sd, layout, objects, state);
    else
        composeDefault(window, layout, objects, state);
    if (text)
        *state.keptText = text->take();
}

Rect redrawButton(Bitmap& window, const SkinData* sd, const FrameLayout& layout, const FrameObject& object,
                  int index, const FramePaintState& state)
{
    if (index < 0 || std::size_t(index) >= layout.objectRects.size() || !object.info.visible)
        return {};
    const Rect at = layout.objectRects[std::size_t(index)];
    if (at.isEmpty() || window.empty() || layout.belowMinimum)
        return {};
    if (object.isCaption() && !(sd && layout.skinned))
        return {};
    if (sd && layout.skinned) {
        if (object.isCaption())
            drawCaptionObject(window, *sd, object, at, captionState(state), state.captionImages, true);
        else if (object.isUserObject())
            drawUserObject(window, object, at, state);
        else if (object.isAnimate())
            drawAnimateObject(window, object, at, state);
        else
            drawSkinButton(window, *sd, object, at, state, true);
        if (inactiveEffectOn(*sd, state))
            applyInactiveEffect(window, at, sd->inActiveEffect);
    } else {
        drawDefaultButton(window, object, at);
    }
    return at;
}

CaptionDrawn redrawCaption(Bitmap& window, const SkinData& sd, const FrameLayout& layout, const FrameObject& caption,
                           int index, const FramePaintState& state, std::span<const Rect> keep)
{
    // The inactive effect goes over the caption's whole rectangle: the
    // window then shows none of the kept pictures as it is, and the objects
    // on it are drawn again after it, each with its own effect.
    if (inactiveEffectOn(sd, state)) {
        if (state.captionImages)
            state.captionImages->forgetShown();
        const Rect at = redrawButton(window, &sd, layout, caption, index, state);
        if (state.captionImages)
            state.captionImages->forgetShown();
        return {at, false};
    }
    if (index < 0 || std::size_t(index) >= layout.objectRects.size() || !caption.info.visible || !layout.skinned
        || layout.belowMinimum || window.empty())
        return {};
    const Rect at = layout.objectRects[std::size_t(index)];
    return drawCaptionObject(window, sd, caption, at, captionState(state), state.captionImages, true, keep);
}

void drawLogo(Bitmap& window, const Rect& client, const Bitmap& logo)
{
    if (logo.empty() || client.isEmpty())
        return;
    const int x = std::max(client.width() / 2 - logo.width() / 2, 0);
    const int y = std::max(client.height() / 2 - logo.height() / 2, 0);
    logo.draw(window, client.left + x, client.top + y);
}

} // namespace tessaly::skin
