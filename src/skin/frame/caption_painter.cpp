#include "skin/frame/caption_painter.h"

#include <algorithm>

#include "platform/qt_canvas.h"
#include "platform/qt_geometry.h"
#include "skin/data/skin_data.h"
#include "skin/paint/bitmap_canvas.h"
#include "skin/paint/compose.h"
#include "skin/paint/device_picture.h"
#include "skin/paint/effect_bmp.h"
#include "skin/paint/text_effects.h"

namespace tessaly::skin {

namespace TF = platform::TextFormat;

namespace {

constexpr unsigned kCaptionTextFlags = TF::SingleLine | TF::NoPrefix | TF::NoClip;

// What a kept caption picture shows (CaptionImages keys).
enum CaptionLook { LookInactive, LookActive, LookFrame, LookFade };

bool liesIn(const Rect& r, PixelView picture)
{
    return !r.isEmpty() && r.left >= 0 && r.top >= 0 && r.right <= picture.width && r.bottom <= picture.height;
}

PixelView activeView(const FrameObject& o)
{
    return o.activePicture ? pixelView(*o.activePicture) : PixelView{};
}

// The picture the caption's own skin rectangle is cut from: its active
// picture when it lies there, otherwise the frame picture the strips are
// made of (the inactive one for an inactive window, when the skin has it).
PixelView skinRectSource(const SkinData& sd, const FrameObject& o, bool windowActive)
{
    if (o.info.skinRectInAPicture)
        return activeView(o);
    if (!windowActive && !sd.inActivePicture().picture().isEmpty())
        return pixelView(sd.inActivePicture().picture());
    return pixelView(sd.picture().picture());
}

// Frame k (from 1) of the animation: equal cells of the animation
// rectangle, stacked when it is taller than the caption, else side by side.
Rect animationFrame(const DataSkinCaption& c, const Rect& skinRect, int k)
{
    const Rect& a = c.animateSkinRect;
    const int n = std::max(c.frameCount, 1);
    if (a.height() > skinRect.height()) {
        const int h = a.height() / n;
        return {a.left, a.top + (k - 1) * h, a.right, a.top + k * h};
    }
    const int w = a.width() / n;
    return {a.left + (k - 1) * w, a.top, a.left + k * w, a.bottom};
}

// A caption picture composed to the caption's width: the source is cut at
// the frame's corner x-coordinates into fixed ends and a middle that is
// stretched (StretchEffect) or tiled; a source without ends is scaled.
void composeCaptionPicture(Bitmap& dest, const SkinData& sd, const DataSkinCaption& c, PixelView picture,
                           const Rect& source, int width, int height)
{
    if (!liesIn(source, picture)) {
        dest.clear();
        return;
    }
    // Ends wider than the source would read outside it: they are cut to it.
    const int left = std::clamp(sd.ltPoint.x - source.left, 0, source.width());
    const int right = std::clamp(source.right - sd.rtPoint.x, 0, source.width() - left);
    if (left > 0 || right > 0) {
        composeHorzSkinImage(left, right, dest, picture, source, width, height, c.stretchEffect);
    } else {
        dest.setSizeForOverwrite(width, height);
        copyPiece(picture, source, dest, {0, 0, width, height});
    }
    dest.setAlphaBlend(false);
    dest.setTransparent(false);
}

// The divider at the caption's right end, centred in its height; pixels of
// its transparent colour let the caption show through.
void drawDivider(Bitmap& target, const FrameObject& o, const DataSkinCaption& c, const Rect& at)
{
    const PixelView source = activeView(o);
    const Rect& d = c.dividerRect;
    if (!liesIn(d, source))
        return;
    const PixelColor key = colorFromValue(c.dividerTransparentColor) & 0xFFFFFFu;
    const int x0 = at.right - d.width();
    const int y0 = at.top + (at.height() - d.height()) / 2;
    for (int y = 0; y < d.height(); ++y) {
        const uint32_t* row = source.row(d.top + y) + d.left;
        for (int x = 0; x < d.width(); ++x) {
            if (c.dividerTransparent && (row[x] & 0xFFFFFFu) == key)
                continue;
            target.setPixel(x0 + x, y0 + y, row[x] | 0xFF000000u);
        }
    }
}

// The plate under the text: the record's frame piece (the active one for an
// active look) with fixed ends and a tiled middle, as wide as the text
// plus the plate's margins, or as the caption (FullFrame).
void drawPlate(Bitmap& target, const SkinData& sd, const FrameObject& o, const DataSkinCaption& c, const Rect& at,
               int x, int y, int textWidth, bool active)
{
    const PixelView source = activeView(o);
    const Rect piece = active && !c.activeFrameRect.isEmpty() ? c.activeFrameRect : c.frameRect;
    if (!liesIn(piece, source))
        return;
    int width = c.frameRect.width() + textWidth - c.frameTextRect.width();
    int left = x - c.frameTextRect.left;
    if (c.fullFrame) {
        width = at.width() - 2 * sd.buttonsOffset;
        left = at.left + sd.buttonsOffset;
    }
    if (width <= 0)
        return;
    Bitmap plate;
    composeHorzSkinImage(c.frameLeftOffset, c.frameRightOffset, plate, source, piece, width, piece.height(), false);
    plate.setAlphaBlend(false);
    plate.setTransparent(false);
    plate.draw(target, left, y - c.frameTextRect.top);
}

// The window title in the caption's text rectangle, with the plate under
// it, in the active or the inactive colours.
void drawCaptionText(Bitmap& target, const SkinData& sd, const FrameObject& o, const Rect& at, const QString& title,
                     bool a)
{
    const DataSkinCaption& c = *o.caption;
    if (title.isEmpty())
        return;
    Rect tr = c.textRct;
    if (!tr.isEmpty())
        tr.right = at.width() + c.textRct.right - c.skinRect.width();
    if (!c.frameRect.isEmpty()) {
        tr.top += c.frameTextRect.top;
        tr.left += c.frameTextRect.left;
        tr.right += c.frameTextRect.right - c.frameRect.width();
    }
    if (tr.isEmpty())
        return;

    platform::QtCanvas canvas = canvasOf(target);
    Font font;
    font.name = c.fontName;
    font.height = c.fontHeight;
    font.style = c.fontStyle;
    canvas.setFont(fontOf(font));
    const QString text = fitTextWithEllipsis(canvas, title, tr.width());
    const QRect box = canvas.measureText(QRect(), text, kCaptionTextFlags);
    const int tw = box.width(), th = box.height();
    int x = tr.left + tr.width() / 2 - tw / 2;
    if (c.alignment == Alignment::LeftJustify)
        x = tr.left;
    else if (c.alignment == Alignment::RightJustify)
        x = tr.right - tw;
    const int y = tr.top + tr.height() / 2 - th / 2 + at.top;
    x += at.left;
    if (!c.frameRect.isEmpty())
        drawPlate(target, sd, o, c, at, x, y, tw, a);
    const Rect textRect{x, y, x + tw, y + th};
    auto drawAt = [&](int dx, int dy, Color colour) {
        canvas.setTextColor(colorFromValue(colour));
        canvas.drawText(platform::toQRect(textRect.translated(dx, dy)), text, kCaptionTextFlags);
    };
    if (c.light)
        drawAt(-1, -1, a ? c.activeLightColor : c.lightColor);
    if (c.shadow)
        drawAt(1, 1, a ? c.activeShadowColor : c.shadowColor);
    canvas.setTextColor(colorFromValue(a ? c.activeFontColor : c.fontColor));
    if (c.reflectionEffect) {
        drawReflectionText(canvas, textRect, text, a ? c.reflectionActiveColor : c.reflectionColor,
                           c.reflectionOffset, kCaptionTextFlags);
    } else if (c.vistaGlowEffect && (a || c.vistaGlowInActiveEffect)) {
        drawVistaGlowText(canvas, textRect, text, a ? c.glowActiveColor : c.glowColor, kCaptionTextFlags, 12);
    } else if (c.glowEffect && (a || c.glowInActiveEffect)) {
        drawGlowText(canvas, textRect, text, c.glowSize, a ? c.glowActiveColor : c.glowColor, c.glowOffset,
                     kCaptionTextFlags);
    } else {
        canvas.drawText(platform::toQRect(textRect), text, kCaptionTextFlags);
    }
}

// Makes (or finds kept) the caption picture of a key.
class CaptionPictures {
public:
    CaptionPictures(const SkinData& sd, const FrameObject& o, const Rect& at, const CaptionPaintState& state,
                    CaptionImages* images)
        : m_sd(sd), m_o(o), m_c(*o.caption), m_at(at), m_state(state), m_images(images)
    {
    }

    // The source picture composed with its divider and text.
    const Bitmap& composed(int kind, int index, PixelView source, const Rect& piece, bool textActive, Bitmap& scratch)
    {
        return obtain(kind, index, scratch, [&](Bitmap& out) {
            composeCaptionPicture(out, m_sd, m_c, source, piece, m_at.width(), m_at.height());
            if (out.empty())
                return;
            const Rect local = Rect::sized(out.width(), out.height());
            drawDivider(out, m_o, m_c, local);
            std::optional<platform::TextCapture> text = captureTextOnDenseDevice(out, m_state.deviceRatio);
            drawCaptionText(out, m_sd, m_o, local, m_state.title, textActive);
            if (text)
                m_text = text->take();
        });
    }
    const Bitmap& inactive(Bitmap& scratch)
    {
        return composed(LookInactive, 0, skinRectSource(m_sd, m_o, m_state.windowActive), m_c.skinRect, false,
                        scratch);
    }
    const Bitmap& active(Bitmap& scratch)
    {
        return composed(LookActive, 0, activeView(m_o), m_o.activeSkinRect, true, scratch);
    }
    // Frame k carries the text of the look it leaves: an activation plays
    // the frames under the inactive text, a deactivation under the active.
    const Bitmap& frame(int k, Bitmap& scratch)
    {
        const bool a = m_state.windowActive;
        return composed(LookFrame, 2 * k + (a ? 1 : 0), activeView(m_o), animationFrame(m_c, m_c.skinRect, k), !a,
                        scratch);
    }
    const Bitmap& fade(Bitmap& scratch)
    {
        return obtain(LookFade, m_o.fade.step(), scratch, [&](Bitmap& out) {
            Bitmap a, b;
            const Bitmap& from = inactive(a);
            const platform::TextRuns fromText = m_text;
            const Bitmap& to = active(b);
            // Text kept apart cannot be mixed: the nearer end's text shows.
            if (m_o.fade.factor() < 0.5)
                m_text = fromText;
            if (from.empty() || to.empty() || from.width() != to.width() || from.height() != to.height()) {
                out = m_o.fade.factor() < 0.5 ? from : to;
                return;
            }
            EffectBmp mixed(from.view());
            mixed.morphBy(m_o.morphKind, EffectBmp(to.view()), m_o.fade.factor());
            out.setSizeForOverwrite(from.width(), from.height());
            out.setAlphaBlend(false);
            out.setTransparent(false);
            mixed.draw(out.surface(), 0, 0);
        });
    }

    // The key of the picture obtained last (pictures made from others
    // obtain those first).
    CaptionImages::Key lastKey() const { return m_lastKey; }
    // The text kept out of the picture obtained last (none at a ratio of 1).
    const platform::TextRuns& lastText() const { return m_text; }

private:
    template <class Make>
    const Bitmap& obtain(int kind, int index, Bitmap& scratch, const Make& make)
    {
        const Bitmap& picture = obtainUnnamed(kind, index, scratch, make);
        m_lastKey = {kind, index};
        return picture;
    }
    template <class Make>
    const Bitmap& obtainUnnamed(int kind, int index, Bitmap& scratch, const Make& make)
    {
        m_text.clear();
        if (!m_images) {
            make(scratch);
            return scratch;
        }
        if (const Bitmap* kept = m_images->find(kind, index)) {
            m_text = m_images->text(kind, index);
            return *kept;
        }
        Bitmap& made = m_images->store(kind, index);
        make(made);
        m_images->storeText(kind, index, m_text);
        return made;
    }

    const SkinData& m_sd;
    const FrameObject& m_o;
    const DataSkinCaption& m_c;
    Rect m_at;
    const CaptionPaintState& m_state;
    CaptionImages* m_images;
    CaptionImages::Key m_lastKey{-1, 0};
    platform::TextRuns m_text;
};

// Copies the part of the picture to (x0, y0) + part's place in the target,
// row by row, leaving out the parts of the target in `keep`.
void drawAround(const Bitmap& picture, const Rect& part, Bitmap& target, int x0, int y0, std::span<const Rect> keep)
{
    const Rect to = part.translated(x0, y0).intersected(Rect::sized(target.width(), target.height()));
    std::vector<std::pair<int, int>> holes;
    for (int y = to.top; y < to.bottom; ++y) {
        holes.clear();
        for (const Rect& k : keep)
            if (y >= k.top && y < k.bottom && k.left < to.right && k.right > to.left)
                holes.emplace_back(std::max(k.left, to.left), std::min(k.right, to.right));
        std::sort(holes.begin(), holes.end());
        const uint32_t* from = picture.rowPointer(y - y0) - x0;
        uint32_t* row = target.rowPointer(y);
        int x = to.left;
        for (const auto& [left, right] : holes) {
            if (left > x)
                std::copy(from + x, from + left, row + x);
            x = std::max(x, right);
        }
        if (x < to.right)
            std::copy(from + x, from + to.right, row + x);
    }
}

// The bounding rectangle of the pixels where two pictures of one size differ.
Rect differingPart(const Bitmap& a, const Bitmap& b)
{
    Rect box;
    for (int y = 0; y < a.height(); ++y) {
        const uint32_t* ra = a.rowPointer(y);
        const uint32_t* rb = b.rowPointer(y);
        int first = 0;
        while (first < a.width() && ra[first] == rb[first])
            ++first;
        if (first == a.width())
            continue;
        int last = a.width() - 1;
        while (ra[last] == rb[last])
            --last;
        const Rect row{first, y, last + 1, y + 1};
        box = box.isEmpty() ? row
                            : Rect{std::min(box.left, row.left), box.top, std::max(box.right, row.right), row.bottom};
    }
    return box;
}

} // namespace

const platform::TextRuns& CaptionImages::text(int kind, int index) const
{
    static const platform::TextRuns none;
    const auto it = m_texts.find({kind, index});
    return it == m_texts.end() ? none : it->second;
}

const Bitmap* CaptionImages::find(int kind, int index) const
{
    const auto it = m_images.find({kind, index});
    return it == m_images.end() ? nullptr : &it->second;
}

Rect CaptionImages::changeBetween(const Key& from, const Key& to)
{
    const Bitmap* a = find(from.first, from.second);
    const Bitmap* b = find(to.first, to.second);
    if (!a || !b)
        return Rect::sized(b ? b->width() : 0, b ? b->height() : 0);
    if (a->width() != b->width() || a->height() != b->height())
        return Rect::sized(b->width(), b->height());
    const auto found = m_changes.find({from, to});
    if (found != m_changes.end())
        return found->second;
    // Either way round the same part differs.
    const Rect part = differingPart(*a, *b);
    m_changes[{from, to}] = part;
    m_changes[{to, from}] = part;
    return part;
}

bool captionAnimationEnabled(const FrameObject& o, bool effects)
{
    return effects && o.caption && o.activePicture && !o.caption->animateSkinRect.isEmpty()
        && o.caption->frameCount > 0;
}

bool captionAnimates(const FrameObject& o, bool effects)
{
    return captionAnimationEnabled(o, effects) && o.currentFrame > 0 && o.currentFrame <= o.caption->frameCount;
}

bool captionMorphEnabled(const FrameObject& o, bool effects) { return effects && o.morphing; }

CaptionDrawn drawCaptionObject(Bitmap& target, const SkinData& sd, const FrameObject& o, const Rect& at,
                               const CaptionPaintState& state, CaptionImages* images, bool update,
                               std::span<const Rect> keep)
{
    if (!o.caption || at.isEmpty())
        return {};
    if (images && !update) {
        // What lies under the caption, for drawing it again later.
        Bitmap& saved = images->background;
        saved.setSizeForOverwrite(at.width(), at.height());
        saved.setAlphaBlend(false);
        saved.setTransparent(false);
        copyPiece(target.view(), at, saved, Rect::sized(at.width(), at.height()));
    }
    const bool a = state.windowActive;
    const bool morph = captionMorphEnabled(o, state.effects);
    CaptionPictures pictures(sd, o, at, state, images);
    Bitmap scratch;
    const Bitmap* picture = nullptr;
    if (captionAnimates(o, state.effects))
        picture = &pictures.frame(o.currentFrame, scratch);
    else if (morph && o.fade.midway())
        picture = &pictures.fade(scratch);
    else if (o.activeSkinRect.isEmpty()
             || (!a && !morph && !o.caption->stretchEffect && !captionAnimationEnabled(o, state.effects)))
        picture = nullptr; // only the text, on the frame's own caption
    else if (morph ? o.fade.atHot() : a)
        picture = &pictures.active(scratch); // a fade ends, or starts, where it is
    else
        picture = &pictures.inactive(scratch);

    if (picture && !picture->empty()) {
        // A caption picture is opaque and of the caption's size.
        const bool whole = picture->width() == at.width() && picture->height() == at.height();
        // Text kept out of the picture is kept out of the target too (or
        // drawn into it when the target's text is not being kept).
        const auto drawText = [&] { canvasOf(target).drawRuns(pictures.lastText(), {at.left, at.top}); };
        if (!update || !whole) {
            picture->draw(target, at.left, at.top);
            drawText();
            if (images)
                images->setShown(pictures.lastKey());
            return {at, false};
        }
        Rect part = Rect::sized(at.width(), at.height());
        if (images) {
            if (images->shown())
                part = images->changeBetween(*images->shown(), pictures.lastKey());
            images->setShown(pictures.lastKey());
        }
        drawAround(*picture, part, target, at.left, at.top, keep);
        drawText();
        return {part.translated(at.left, at.top), true};
    }
    // Only the text: on the frame's caption, as the strip had it.
    if (images)
        images->forgetShown();
    if (update && images && images->background.width() == at.width() && images->background.height() == at.height())
        images->background.draw(target, at.left, at.top);
    drawDivider(target, o, *o.caption, at);
    drawCaptionText(target, sd, o, at, state.title, a);
    return {at, false};
}

void drawCaptionTextOnAlpha(Bitmap& target, const SkinData& sd, const FrameObject& o, const Rect& at,
                            const CaptionPaintState& state)
{
    const Rect r = at.intersected(Rect::sized(target.width(), target.height()));
    if (!o.caption || r.isEmpty())
        return;
    // Drawn on an opaque copy of the part, then given back the alpha it had.
    Bitmap part(r.width(), r.height());
    part.setAlphaBlend(false);
    part.setTransparent(false);
    copyPiece(target.view(), r, part, Rect::sized(r.width(), r.height()));
    const Rect local = at.translated(-r.left, -r.top);
    drawDivider(part, o, *o.caption, local);
    drawCaptionText(part, sd, o, local, state.title, state.windowActive);
    for (int y = 0; y < r.height(); ++y) {
        const uint32_t* from = part.rowPointer(y);
        uint32_t* row = target.rowPointer(r.top + y) + r.left;
        for (int x = 0; x < r.width(); ++x) {
            const uint32_t alpha = row[x] >> 24;
            auto channel = [&](int shift) { return std::min((from[x] >> shift) & 0xFFu, alpha) << shift; };
            row[x] = alpha << 24 | channel(16) | channel(8) | channel(0);
        }
    }
}

QString fitTextWithEllipsis(const platform::QtCanvas& canvas, const QString& text, int width)
{
    auto measure = [&](const QString& t) { return canvas.measureText(QRect(), t, kCaptionTextFlags).width(); };
    if (measure(text) <= width)
        return text;
    QString rest = text;
    while (!rest.isEmpty()) {
        rest.chop(1);
        if (measure(rest + QStringLiteral("...")) <= width)
            break;
    }
    return rest + QStringLiteral("...");
}

} // namespace tessaly::skin
