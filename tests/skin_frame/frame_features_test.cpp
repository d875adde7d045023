// The frame features of the sampler skin, drawn by the frame: the caption's
// own pictures composed to its width, the cross-fade between the active and
// the inactive caption, the caption animation on the shared timer, the plate
// under the text, the divider and the logo on the client background. Each
// picture is checked against one composed from the skin's pictures with
// the painting library (compose, effects), never against a copy of the
// frame's drawing.

#include <QApplication>
#include <QCursor>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

#include "frame_test_support.h"
#include "sampler_skin.h"
#include "platform/qt_frameless_window.h"
#include "skin/frame/skin_frame.h"
#include "skin/frame/system_menu.h"
#include "skin/menus/skin_hint.h"
#include "skin/menus/skin_hint_window.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_menu.h"
#include "skin/menus/skin_popup_window.h"
#include "skin/paint/compose.h"
#include "skin/paint/effect_bmp.h"

using namespace tessaly::skin;
using tessaly::platform::FramelessWindow;

// Named: the test programs are built as a few large units.
namespace frame_features {

using frametest::pixelsOf;

// The bounding rectangle of the pixels where two pictures of a window
// differ (empty: none).
Rect changedPart(const Bitmap& a, const Bitmap& b)
{
    Rect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.getPixel(x, y) != b.getPixel(x, y)) {
                const Rect p{x, y, x + 1, y + 1};
                box = box.isEmpty() ? p
                                    : Rect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                                           std::max(box.bottom, y + 1)};
            }
    return box;
}

class FrameFeaturesTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.setDesignClientSize(QSize(420, 220));
        frame = std::make_unique<SkinFrame>(&window);
        frame->setBorderIcons(BorderIcon::SystemMenu | BorderIcon::Minimize);
        frame->setSkinData(sd.get());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        activate(&window);
        settle();
        caption = frame->getIndex("caption");
        ASSERT_GE(caption, 0);
        other.resize(100, 100);
    }

    void activate(QWidget* w)
    {
        if (w == &other)
            other.show();
        QApplication::setActiveWindow(w);
        ASSERT_EQ(frame->formActive(), w == &window);
    }
    // Lets every transition of the caption run out.
    void settle()
    {
        for (int i = 0; i < 100 && (frame->morphTimerActive() || frame->animateTimerActive()); ++i) {
            frame->morphTick();
            frame->animateTick();
        }
        ASSERT_FALSE(frame->morphTimerActive() || frame->animateTimerActive());
    }

    DataSkinCaption& record() const
    {
        return dynamic_cast<DataSkinCaption&>(*sd->objectList()[std::size_t(sd->getIndex("caption"))]);
    }
    const Picture& captionPicture() const { return *sd->activePicture(record().activePictureIndex); }
    Rect captionRect() const { return frame->layout().objectRects[std::size_t(caption)]; }
    // The caption without the divider at its right end.
    Rect besideDivider() const
    {
        Rect r = captionRect();
        r.right -= record().dividerRect.width();
        return r;
    }

    // A caption picture as the skin asks for it: cut at the frame picture's
    // corner x-coordinates, the middle stretched (or tiled).
    Bitmap composed(PixelView picture, const Rect& source, bool stretch) const
    {
        Bitmap b;
        const int left = std::max(sd->ltPoint.x - source.left, 0);
        const int right = std::max(source.right - sd->rtPoint.x, 0);
        composeHorzSkinImage(left, right, b, picture, source, captionRect().width(), 0, stretch);
        return b;
    }
    Bitmap active() const { return composed(pixelView(captionPicture()), record().activeSkinRect, true); }
    Bitmap inactive() const { return composed(pixelView(sd->picture().picture()), record().skinRect, true); }
    Bitmap frameImage(int k) const
    {
        const Rect& a = record().animateSkinRect;
        const int h = a.height() / record().frameCount;
        return composed(pixelView(captionPicture()), {a.left, a.top + (k - 1) * h, a.right, a.top + k * h}, true);
    }
    // The caption as the frame shows it, beside the divider and the plain
    // buttons that lie on it; `expected` and `grey` give the same parts of
    // a caption picture.
    std::vector<uint32_t> shown() { return captionParts(frame->frameImage(), captionRect().left, captionRect().top); }
    std::vector<uint32_t> expected(const Bitmap& b) const { return captionParts(b, 0, 0); }
    std::vector<uint32_t> grey(const Bitmap& b) const
    {
        EffectBmp e(b.view());
        applyInActiveEffect(e, sd->inActiveEffect);
        Bitmap g(e.width(), e.height());
        e.draw(g.surface(), 0, 0);
        return captionParts(g, 0, 0);
    }
    std::vector<uint32_t> captionParts(const Bitmap& b, int ox, int oy) const
    {
        const Rect all = besideDivider();
        std::vector<uint32_t> out;
        const Rect covered = buttonsOnCaption();
        for (int y = 0; y < all.height(); ++y)
            for (int x = 0; x < all.width(); ++x)
                if (!covered.contains(all.left + x, all.top + y))
                    out.push_back(b.getPixel(ox + x, oy + y) | 0xFF000000u);
        return out;
    }
    // The span of the plain buttons on the caption.
    Rect buttonsOnCaption() const
    {
        Rect span;
        for (std::size_t i = 0; i < frame->objects().size(); ++i) {
            if (!frame->objects()[i].isPlainButton())
                continue;
            const Rect r = frame->layout().objectRects[i];
            span = span.isEmpty() ? r : Rect{std::min(span.left, r.left), std::min(span.top, r.top),
                                             std::max(span.right, r.right), std::max(span.bottom, r.bottom)};
        }
        return span;
    }

    std::unique_ptr<SkinData> sd = frametest::sampler();
    FramelessWindow window;
    QWidget other;
    std::unique_ptr<SkinFrame> frame;
    int caption = -1;
};

TEST_F(FrameFeaturesTest, ActiveCaptionIsItsImageComposedToTheCaptionsWidth)
{
    ASSERT_NE(captionRect().width(), record().activeSkinRect.width()); // it is composed, not copied
    EXPECT_EQ(shown(), expected(active()));
    // The skin asks for a stretched middle, and that is not the same as a
    // tiled one.
    EXPECT_NE(shown(), expected(composed(pixelView(captionPicture()), record().activeSkinRect, false)));
}

TEST_F(FrameFeaturesTest, DeactivationCrossFadesToTheFramesOwnCaptionRepaintingOnlyTheCaption)
{
    const Rect r = captionRect();
    activate(&other);
    ASSERT_TRUE(frame->morphTimerActive());
    EXPECT_FALSE(frame->animateTimerActive()); // the sampler plays no frames on deactivation
    std::vector<std::vector<uint32_t>> steps;
    for (int tick = 0; tick < 20 && frame->morphTimerActive(); ++tick) {
        const long long before = frame->repaintedPixels();
        frame->morphTick();
        const long long repainted = frame->repaintedPixels() - before;
        if (repainted > 0) {
            EXPECT_EQ(repainted, (long long)r.width() * r.height()) << "tick " << tick;
            steps.push_back(shown());
        }
    }
    ASSERT_EQ(steps.size(), std::size_t(CrossFade::kSteps));
    const Bitmap from = inactive(), to = active();
    const MorphKind kind = frame->objects()[std::size_t(caption)].look().morphKind;
    for (int k = 0; k < CrossFade::kSteps - 1; ++k) {
        // Step k of the way back: the fade at (kSteps - 1 - k) / kSteps,
        // greyed by the skin's inactive effect.
        EffectBmp mixed(from.view());
        mixed.morphBy(kind, EffectBmp(to.view()), double(CrossFade::kSteps - 1 - k) / CrossFade::kSteps);
        applyInActiveEffect(mixed, sd->inActiveEffect);
        Bitmap shownMix(mixed.width(), mixed.height());
        mixed.draw(shownMix.surface(), 0, 0);
        EXPECT_EQ(steps[std::size_t(k)], captionParts(shownMix, 0, 0)) << "step " << k;
    }
    EXPECT_EQ(steps.back(), grey(from));
}

TEST_F(FrameFeaturesTest, ActivationPlaysTheFramesOnTheSharedTimerAndStopsWhenNothingMoves)
{
    activate(&other);
    settle();
    activate(&window);
    ASSERT_TRUE(frame->animateTimerActive());
    // The fade runs out first, under the first frame.
    while (frame->morphTimerActive())
        frame->morphTick();
    EXPECT_EQ(shown(), expected(frameImage(1)));

    const Rect r = captionRect();
    std::vector<std::vector<uint32_t>> frames;
    int ticks = 0;
    for (; ticks < 100 && frame->animateTimerActive(); ++ticks) {
        const Bitmap was = frame->frameImage();
        const long long before = frame->repaintedPixels();
        frame->animateTick();
        const long long repainted = frame->repaintedPixels() - before;
        // Only what moved is repainted: the part of the caption where the
        // window's picture changed.
        const Rect changed = changedPart(was, frame->frameImage());
        EXPECT_EQ(repainted, (long long)changed.width() * changed.height()) << "tick " << ticks;
        EXPECT_TRUE(changed.isEmpty() || r.contains(changed)) << "tick " << ticks;
        if (repainted > 0)
            frames.push_back(shown());
    }
    const int n = record().frameCount;
    ASSERT_EQ(frames.size(), std::size_t(n)); // frames 2 .. n, then the active picture
    for (int k = 2; k <= n; ++k)
        EXPECT_EQ(frames[std::size_t(k - 2)], expected(frameImage(k))) << "frame " << k;
    EXPECT_EQ(frames.back(), expected(active()));
    // One step per interval (ticks of 25 ms), the first after one tick
    // more (time starts at 0), and one more tick finds nothing to move.
    EXPECT_EQ(ticks, n * record().animateInterval / CaptionButtons::kAnimateInterval + 2);
}

TEST_F(FrameFeaturesTest, InActiveAnimationPlaysTheFramesBackwardsOnDeactivation)
{
    record().inActiveAnimation = true;
    frame->applySkin();
    activate(&other);
    ASSERT_TRUE(frame->animateTimerActive());
    const int n = record().frameCount;
    while (frame->morphTimerActive())
        frame->morphTick();
    EXPECT_EQ(shown(), grey(frameImage(n)));
    std::vector<std::vector<uint32_t>> frames;
    for (int tick = 0; tick < 100 && frame->animateTimerActive(); ++tick) {
        const long long before = frame->repaintedPixels();
        frame->animateTick();
        if (frame->repaintedPixels() > before)
            frames.push_back(shown());
    }
    ASSERT_EQ(frames.size(), std::size_t(n));
    for (int k = n - 1; k >= 1; --k)
        EXPECT_EQ(frames[std::size_t(n - 1 - k)], grey(frameImage(k))) << "frame " << k;
    EXPECT_EQ(frames.back(), grey(inactive()));
}

TEST_F(FrameFeaturesTest, WithoutEffectsTheCaptionSwitchesAtOnce)
{
    SkinOptions options = sd->options();
    options.enableSkinEffects = false;
    sd->setOptions(options);
    frame->applySkin();
    activate(&other);
    EXPECT_FALSE(frame->morphTimerActive() || frame->animateTimerActive());
    EXPECT_EQ(shown(), grey(inactive()));
    activate(&window);
    EXPECT_FALSE(frame->morphTimerActive() || frame->animateTimerActive());
    EXPECT_EQ(shown(), expected(active()));
}

// The plate's top row, composed as the skin asks (fixed ends, middle
// tiled) at each width, is looked for in the caption: it must lie there
// once, centred on the caption, wider than an empty plate.
TEST_F(FrameFeaturesTest, TheTextSitsOnItsPlateActiveAndInactive)
{
    window.setWindowTitle(QStringLiteral("Tessaly sampler"));
    const Rect r = captionRect();
    auto findPlate = [&](const Rect& piece) {
        const Bitmap& image = frame->frameImage();
        const int end = record().frameLeftOffset;
        const std::vector<uint32_t> leftEnd = pixelsOf(captionPicture(), {piece.left, piece.top, piece.left + end,
                                                                           piece.top + 1});
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x + end <= r.right; ++x) {
                if (pixelsOf(image, {x, y, x + end, y + 1}) != leftEnd)
                    continue;
                for (int w = r.right - x; w > piece.width() - record().frameTextRect.width(); --w) {
                    Bitmap plate;
                    composeHorzSkinImage(record().frameLeftOffset, record().frameRightOffset, plate,
                                         pixelView(captionPicture()), piece, w, 0, false);
                    if (pixelsOf(image, {x, y, x + w, y + 1}) == pixelsOf(plate, {0, 0, w, 1}))
                        return Rect{x, y, x + w, y + 1};
                }
            }
        }
        return Rect{};
    };
    const Rect activePlate = findPlate(record().activeFrameRect);
    ASSERT_FALSE(activePlate.isEmpty());
    EXPECT_NEAR((activePlate.left + activePlate.right) / 2, (r.left + r.right) / 2, 2);
    EXPECT_GT(activePlate.width(), record().frameRect.width()); // it grew with the text

    activate(&other);
    settle();
    // Inactive: the plate of FrameRect, through the inactive effect; the
    // plate is sought in the grey picture's colours.
    EffectBmp plainPicture(pixelView(captionPicture()));
    applyInActiveEffect(plainPicture, sd->inActiveEffect);
    Bitmap greyPicture(plainPicture.width(), plainPicture.height());
    plainPicture.draw(greyPicture.surface(), 0, 0);
    const Rect piece = record().frameRect;
    Bitmap plate;
    composeHorzSkinImage(record().frameLeftOffset, record().frameRightOffset, plate, greyPicture.view(), piece,
                         activePlate.width(), 0, false);
    EXPECT_EQ(pixelsOf(frame->frameImage(), activePlate), pixelsOf(plate, {0, 0, activePlate.width(), 1}));
}

TEST_F(FrameFeaturesTest, TheDividerEndsTheCaptionAndLetsItShowThroughItsTransparentColour)
{
    const Rect r = captionRect();
    const Rect d = record().dividerRect;
    const int x0 = r.right - d.width(), y0 = r.top + (r.height() - d.height()) / 2;
    const Bitmap under = active();
    const PixelColor key = colorFromValue(record().dividerTransparentColor) & 0xFFFFFFu;
    int keyed = 0, drawn = 0;
    for (int y = 0; y < d.height(); ++y) {
        for (int x = 0; x < d.width(); ++x) {
            const uint32_t source = captionPicture().pixel(d.left + x, d.top + y) | 0xFF000000u;
            const bool transparent = (source & 0xFFFFFFu) == key;
            const uint32_t want = transparent ? under.getPixel(x0 - r.left + x, y0 - r.top + y) | 0xFF000000u : source;
            (transparent ? keyed : drawn)++;
            EXPECT_EQ(frame->frameImage().getPixel(x0 + x, y0 + y) | 0xFF000000u, want) << x << "," << y;
        }
    }
    EXPECT_GT(keyed, 0);
    EXPECT_GT(drawn, 0);
}

TEST_F(FrameFeaturesTest, TheLogoIsCentredOnTheClientBackgroundTransparentOrNot)
{
    const auto& names = sd->activePicturesNames();
    const auto at = std::find(names.begin(), names.end(), "logo.bmp");
    ASSERT_NE(at, names.end());
    Bitmap logo;
    logo.assign(pixelView(*sd->activePicture(int(at - names.begin()))));
    const Rect client = frame->layout().clientRect;
    const Rect place = Rect::sized(logo.width(), logo.height())
                           .translated(client.left + client.width() / 2 - logo.width() / 2,
                                       client.top + client.height() / 2 - logo.height() / 2);
    const Bitmap plain = frame->frameImage();
    const PixelColor keyColour = logo.getPixel(0, logo.height() - 1);

    frame->setLogo(logo, false);
    EXPECT_EQ(pixelsOf(frame->frameImage(), place), pixelsOf(logo, Rect::sized(logo.width(), logo.height())));

    frame->setLogo(logo, true);
    const Bitmap& shownLogo = frame->frameImage();
    int keyed = 0;
    for (int y = 0; y < logo.height(); ++y) {
        for (int x = 0; x < logo.width(); ++x) {
            const bool transparent = (logo.getPixel(x, y) & 0xFFFFFFu) == (keyColour & 0xFFFFFFu);
            keyed += transparent;
            const uint32_t want = transparent ? plain.getPixel(place.left + x, place.top + y) : logo.getPixel(x, y);
            EXPECT_EQ(shownLogo.getPixel(place.left + x, place.top + y) | 0xFF000000u, want | 0xFF000000u)
                << x << "," << y;
        }
    }
    EXPECT_GT(keyed, 0);
    // Outside the logo nothing changed.
    EXPECT_EQ(pixelsOf(shownLogo, {client.left, client.top, client.right, place.top}),
              pixelsOf(plain, {client.left, client.top, client.right, place.top}));
}

// ---- plain frame buttons ----------------------------------------------------

class FrameButtonsTest : public FrameFeaturesTest {
protected:
    void SetUp() override
    {
        FrameFeaturesTest::SetUp();
        pin = frame->getIndex("pinbutton");
        round = frame->getIndex("roundbutton");
        ASSERT_GE(pin, 0);
        ASSERT_GE(round, 0);
    }
    const DataSkinButton& buttonRecord(const char* name) const
    {
        return dynamic_cast<const DataSkinButton&>(*sd->objectList()[std::size_t(sd->getIndex(name))]);
    }
    Rect rectOf(int index) const { return frame->layout().objectRects[std::size_t(index)]; }
    QPoint centreOf(int index) const
    {
        const Rect r = rectOf(index);
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    std::vector<uint32_t> pieceOf(const Picture& picture, const Rect& r) const { return pixelsOf(picture, r); }
    // The pointer there, also for the frame's pointer watch, which asks
    // where the pointer is.
    void hover(const QPoint& p)
    {
        QCursor::setPos(window.mapToGlobal(p));
        frame->captionButtons().pointerMoved(p);
    }
    const Picture& objectsPicture() const { return *sd->activePicture(buttonRecord("pinbutton").activePictureIndex); }

    int pin = -1;
    int round = -1;
};

TEST_F(FrameButtonsTest, APlainButtonShowsItsLooksAtItsPlaceOnTheFrame)
{
    const DataSkinButton& b = buttonRecord("pinbutton");
    const Rect r = rectOf(pin);
    // In the middle of the frame picture's caption: it keeps its place.
    EXPECT_EQ(r, b.skinRect);
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), pieceOf(sd->picture().picture(), b.skinRect));

    CaptionButtons& buttons = frame->captionButtons();
    hover(centreOf(pin));
    EXPECT_EQ(frame->activeObject(), pin);
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), pieceOf(objectsPicture(), b.activeSkinRect));
    ASSERT_TRUE(buttons.leftPress(centreOf(pin), false));
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), pieceOf(objectsPicture(), b.downRect));
    EXPECT_TRUE(buttons.leftRelease(centreOf(pin)));
    EXPECT_FALSE(frame->objects()[std::size_t(pin)].down()); // no menu: it comes up
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), pieceOf(objectsPicture(), b.activeSkinRect));

    frame->setEnabled("pinbutton", false);
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), pieceOf(objectsPicture(), b.disableSkinRect));
    hover(centreOf(pin) + QPoint(1, 0));
    buttons.leftPress(centreOf(pin), false);
    EXPECT_FALSE(frame->objects()[std::size_t(pin)].down()); // a disabled object is not pressed
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), pieceOf(objectsPicture(), b.disableSkinRect));
    buttons.leftRelease(centreOf(pin));
    frame->setEnabled("pinbutton", true);
    hover(QPoint(300, 150));
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), pieceOf(sd->picture().picture(), b.skinRect));
}

TEST_F(FrameButtonsTest, TheRoundButtonIsNotHotInItsTransparentCorners)
{
    const Rect r = rectOf(round);
    const FrameHitResult centre = frame->hitTest(centreOf(round));
    EXPECT_EQ(centre.hit, FrameHit::Object);
    EXPECT_EQ(centre.objectIndex, round);
    for (const QPoint corner : {QPoint(r.left, r.top), QPoint(r.right - 1, r.top), QPoint(r.left, r.bottom - 1),
                                QPoint(r.right - 1, r.bottom - 1)}) {
        const FrameHitResult hit = frame->hitTest(corner);
        EXPECT_NE(hit.objectIndex, round) << corner.x() << "," << corner.y();
        EXPECT_EQ(hit.hit, FrameHit::Caption) << corner.x() << "," << corner.y();
    }
    // The square button beside it is hot in its corners.
    EXPECT_EQ(frame->hitTest(QPoint(rectOf(pin).left, rectOf(pin).top)).objectIndex, pin);
}

TEST_F(FrameButtonsTest, ALinkedMenuOpensBelowTheButtonWhichStaysDownUntilItCloses)
{
    SkinPopupMenu menu(&window);
    int chosen = 0;
    menu.items().add(QStringLiteral("Pin the window"), [&] { ++chosen; });
    menu.items().add(QStringLiteral("Unpin"));
    frame->linkMenu("pinbutton", &menu);

    CaptionButtons& buttons = frame->captionButtons();
    hover(centreOf(pin));
    ASSERT_TRUE(buttons.leftPress(centreOf(pin), false));
    ASSERT_TRUE(frame->inMenu());
    const Rect r = rectOf(pin);
    EXPECT_EQ(frame->skinMenu().window(0)->geometry().topLeft(), window.geometry().topLeft() + QPoint(r.left, r.bottom));
    buttons.leftRelease(centreOf(pin));
    hover(QPoint(300, 150)); // off the button, towards the menu
    EXPECT_TRUE(frame->objects()[std::size_t(pin)].down());
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), pieceOf(objectsPicture(), buttonRecord("pinbutton").downRect));

    frame->skinMenu().hide();
    EXPECT_FALSE(frame->inMenu());
    EXPECT_FALSE(frame->objects()[std::size_t(pin)].down());
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), pieceOf(sd->picture().picture(), buttonRecord("pinbutton").skinRect));

    // The link outlives a change of skin.
    frame->applySkin();
    hover(centreOf(pin));
    ASSERT_TRUE(buttons.leftPress(centreOf(pin), false));
    EXPECT_TRUE(frame->inMenu());
    frame->skinMenu().hide();
    EXPECT_EQ(chosen, 0);
}

TEST_F(FrameButtonsTest, AUserObjectIsDrawnByTheWindowAtItsPlace)
{
    const int badge = frame->getIndex("badge");
    ASSERT_GE(badge, 0);
    const PixelColor ink = 0xFF12AB34u;
    std::vector<std::pair<std::string, Rect>> calls;
    frame->setOnPaintEvent([&](const std::string& idName, Bitmap& target, const Rect& at) {
        calls.emplace_back(idName, at);
        target.fillRect(at, ink);
    });
    const Rect r = rectOf(badge);
    EXPECT_EQ(r, sd->objectList()[std::size_t(sd->getIndex("badge"))]->skinRect); // in the middle: it stays
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), std::vector<uint32_t>(std::size_t(r.width() * r.height()), ink));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].first, "badge");

    // Drawn again on the window's request, repainting only its place.
    const long long before = frame->repaintedPixels();
    frame->userObjectDraw("badge");
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls.back().second, r);
    EXPECT_EQ(frame->repaintedPixels() - before, (long long)r.width() * r.height());
    // Under the pointer it is a frame object, not the caption.
    EXPECT_EQ(frame->hitTest(centreOf(badge)).objectIndex, badge);
}

// ---- the animate caption button ---------------------------------------------

class AnimateButtonTest : public FrameButtonsTest {
protected:
    void SetUp() override
    {
        FrameButtonsTest::SetUp();
        frame->setOnActivateCustomObject([](const std::string& idName) { return idName == "spinner"; });
        spinner = frame->getIndex("spinner");
        ASSERT_GE(spinner, 0);
        ASSERT_FALSE(rectOf(spinner).isEmpty());
    }
    DataSkinAnimate& animateRecord() const
    {
        return dynamic_cast<DataSkinAnimate&>(*sd->objectList()[std::size_t(sd->getIndex("spinner"))]);
    }
    const Picture& dial() const { return *sd->activePicture(animateRecord().activePictureIndex); }
    // Frame k (from 1) of the spinner's picture: its frames lie side by side
    // from its skin rectangle.
    std::vector<uint32_t> framePiece(int k) const
    {
        const Rect first = animateRecord().skinRect;
        return pixelsOf(dial(), first.translated((k - 1) * first.width(), 0));
    }
    std::vector<uint32_t> shownPixels() { return pixelsOf(frame->frameImage(), rectOf(spinner)); }
    // The frame the window shows on the spinner (0: none of them).
    int shownFrame()
    {
        const std::vector<uint32_t> shown = shownPixels();
        for (int k = 1; k <= animateRecord().countFrames; ++k)
            if (shown == framePiece(k))
                return k;
        return 0;
    }
    long long area() const { return (long long)rectOf(spinner).width() * rectOf(spinner).height(); }
    // The skin applied again after a change of its records, with the
    // window's new size and activation settled.
    void reapplySkin()
    {
        frame->applySkin();
        QCoreApplication::processEvents();
        settle();
        spinner = frame->getIndex("spinner");
    }
    // Runs the animation timer while it runs (at most `most` ticks) and
    // lists the frames it showed, checking that each step repainted the
    // spinner alone. Returns the ticks run.
    int run(int most, std::vector<int>& frames)
    {
        int ticks = 0;
        while (ticks < most && frame->animateTimerActive()) {
            const long long before = frame->repaintedPixels();
            frame->animateTick();
            ++ticks;
            const long long repainted = frame->repaintedPixels() - before;
            if (repainted == 0)
                continue;
            EXPECT_EQ(repainted, area()) << "tick " << ticks;
            frames.push_back(shownFrame());
        }
        return ticks;
    }

    int spinner = -1;
};

TEST_F(AnimateButtonTest, ACustomAnimateButtonStandsInTheButtonRowOnlyWhenTheWindowOffersIt)
{
    const int minimise = frame->getIndex("minbutton");
    const Rect m = rectOf(minimise);
    const Rect r = rectOf(spinner);
    const Rect s = animateRecord().skinRect;
    EXPECT_EQ(r, (Rect{m.left - sd->buttonsOffset - s.width(), m.top, m.left - sd->buttonsOffset, m.top + s.height()}));
    // The caption ends where the row begins.
    EXPECT_EQ(rectOf(caption).right, r.left);
    EXPECT_EQ(shownFrame(), 1);
    EXPECT_EQ(frame->hitTest(centreOf(spinner)).objectIndex, spinner);

    frame->setOnActivateCustomObject({});
    EXPECT_FALSE(frame->objects()[std::size_t(spinner)].visible());
    EXPECT_TRUE(rectOf(spinner).isEmpty());
    EXPECT_EQ(rectOf(caption).right, m.left);
}

TEST_F(AnimateButtonTest, HoverTurnsTheDialFrameByFrameOnTheSharedTimerAndLeavingTurnsItBack)
{
    const DataSkinAnimate& a = animateRecord();
    ASSERT_TRUE(a.cycle);
    ASSERT_EQ(a.countFrames, 8);
    ASSERT_EQ(a.timerInterval, 50);
    hover(centreOf(spinner));
    EXPECT_TRUE(frame->animateTimerActive());
    // A frame every 50 ms, two ticks, the first after the first tick's
    // wait; past the last frame it starts again (Cycle).
    std::vector<int> frames;
    const int ticks = run(1 + 2 * 11, frames);
    EXPECT_EQ(frames, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4}));
    EXPECT_EQ(ticks, 23);
    EXPECT_TRUE(frame->animateTimerActive()); // it turns as long as the pointer rests

    // Leaving, it turns back to its first frame and the timer stops.
    hover(QPoint(300, 150));
    frames.clear();
    run(100, frames);
    EXPECT_EQ(frames, (std::vector<int>{3, 2, 1}));
    EXPECT_FALSE(frame->animateTimerActive());
    EXPECT_EQ(shownFrame(), 1);
}

TEST_F(AnimateButtonTest, APressShowsThePressedLookAndTheDialWaitsThenPlaysOnFromTheLastFrame)
{
    CaptionButtons& buttons = frame->captionButtons();
    hover(centreOf(spinner));
    std::vector<int> frames;
    run(4, frames);
    ASSERT_EQ(frames, (std::vector<int>{2}));
    ASSERT_TRUE(buttons.leftPress(centreOf(spinner), false));
    EXPECT_EQ(shownPixels(), pixelsOf(dial(), animateRecord().downSkinRect));
    // Held down, nothing moves: the timer stops.
    frames.clear();
    run(10, frames);
    EXPECT_TRUE(frames.empty());
    EXPECT_FALSE(frame->animateTimerActive());

    EXPECT_TRUE(buttons.leftRelease(centreOf(spinner)));
    EXPECT_EQ(shownFrame(), 8);
    EXPECT_TRUE(frame->animateTimerActive());
    run(3, frames);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.front(), 1); // past the last frame: the first (Cycle)
    // A custom button runs no window command.
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(frame->rollUpState());
    EXPECT_EQ(frame->windowState(), WindowState::Normal);
}

TEST_F(AnimateButtonTest, WithoutCycleTheDialStopsAtItsLastFrame)
{
    animateRecord().cycle = false;
    reapplySkin();
    hover(centreOf(spinner));
    std::vector<int> frames;
    run(100, frames);
    EXPECT_EQ(frames, (std::vector<int>{2, 3, 4, 5, 6, 7, 8}));
    EXPECT_FALSE(frame->animateTimerActive());
    EXPECT_EQ(shownFrame(), 8);
}

TEST_F(AnimateButtonTest, TheInactiveWindowShowsTheInactiveLook)
{
    activate(&other);
    settle();
    // Through the skin's inactive effect, which leaves a grey picture as it is.
    EXPECT_EQ(shownPixels(), pixelsOf(dial(), animateRecord().inActiveSkinRect));
    activate(&window);
    settle();
    EXPECT_EQ(shownFrame(), 1);
}

TEST_F(AnimateButtonTest, ALinkedMenuOpensBelowTheAnimateButtonWhichStaysPressedUntilItCloses)
{
    SkinPopupMenu menu(&window);
    menu.items().add(QStringLiteral("Spin faster"));
    frame->linkMenu("spinner", &menu);

    CaptionButtons& buttons = frame->captionButtons();
    hover(centreOf(spinner));
    ASSERT_TRUE(buttons.leftPress(centreOf(spinner), false));
    ASSERT_TRUE(frame->inMenu());
    const Rect r = rectOf(spinner);
    EXPECT_EQ(frame->skinMenu().window(0)->geometry().topLeft(), window.geometry().topLeft() + QPoint(r.left, r.bottom));
    buttons.leftRelease(centreOf(spinner));
    hover(QPoint(300, 150)); // off the button, towards the menu
    EXPECT_TRUE(frame->objects()[std::size_t(spinner)].down());
    EXPECT_EQ(shownPixels(), pixelsOf(dial(), animateRecord().downSkinRect));

    frame->skinMenu().hide();
    EXPECT_FALSE(frame->inMenu());
    EXPECT_FALSE(frame->objects()[std::size_t(spinner)].down());
    // The pointer has gone: from the last frame, it turns back.
    EXPECT_EQ(shownFrame(), 8);
    std::vector<int> frames;
    run(100, frames);
    EXPECT_EQ(frames, (std::vector<int>{7, 6, 5, 4, 3, 2, 1}));
}

TEST_F(AnimateButtonTest, AsTheRollUpButtonItRunsItsCommandOnReleaseAndShowsItsRestoreFrames)
{
    // The roll-up button of this skin is the animate one: the standard one
    // is made a tray button, which the window does not have.
    dynamic_cast<DataSkinStdButton&>(*sd->objectList()[std::size_t(sd->getIndex("rollupbutton"))]).command =
        StdCommand::MinimizeToTray;
    DataSkinAnimate& a = animateRecord();
    a.command = StdCommand::RollUp;
    a.restoreRect = a.skinRect.translated(2 * a.skinRect.width(), 0); // the third frame onwards
    a.restoreHint = "Roll down";
    frame->setBorderIcons(BorderIcon::SystemMenu | BorderIcon::Minimize | BorderIcon::RollUp);
    reapplySkin();
    ASSERT_TRUE(frame->objects()[std::size_t(spinner)].visible());
    EXPECT_EQ(frame->objects()[std::size_t(spinner)].hintFor(false, false, false), "Spinner");
    EXPECT_EQ(frame->objects()[std::size_t(spinner)].hintFor(false, false, true), "Roll down");

    // Released off the button: nothing runs.
    CaptionButtons& buttons = frame->captionButtons();
    hover(centreOf(spinner));
    ASSERT_TRUE(buttons.leftPress(centreOf(spinner), false));
    hover(QPoint(300, 150));
    buttons.leftRelease(QPoint(300, 150));
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame->rollUpState());

    // Released on it: the window rolls up.
    hover(centreOf(spinner));
    ASSERT_TRUE(buttons.leftPress(centreOf(spinner), false));
    buttons.leftRelease(centreOf(spinner));
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->rollUpState() && window.height() == frame->getMinHeight(); }));
    // Rolled up, its frames start at the restore rectangle.
    hover(QPoint(rectOf(caption).left + 40, rectOf(caption).top + 5));
    std::vector<int> frames;
    run(100, frames);
    EXPECT_EQ(shownPixels(), pixelsOf(dial(), a.restoreRect));
}

TEST_F(AnimateButtonTest, AnAnimateObjectThatIsNoButtonStaysStillAndTakesNoMenu)
{
    animateRecord().buttonStyle = false;
    // Its showing is no caption button's: the window need not offer it.
    frame->setOnActivateCustomObject({});
    SkinPopupMenu menu(&window);
    menu.items().add(QStringLiteral("Spin faster"));
    frame->linkMenu("spinner", &menu);
    reapplySkin();
    ASSERT_TRUE(frame->objects()[std::size_t(spinner)].visible());
    EXPECT_EQ(frame->objects()[std::size_t(spinner)].menu(), nullptr);
    hover(centreOf(spinner));
    EXPECT_FALSE(frame->animateTimerActive());
    EXPECT_EQ(shownFrame(), 1);
    ASSERT_TRUE(frame->captionButtons().leftPress(centreOf(spinner), false));
    EXPECT_FALSE(frame->inMenu());
    frame->captionButtons().leftRelease(centreOf(spinner));
}

// ---- restore looks and object hints -------------------------------------------

TEST_F(FrameButtonsTest, RolledUpTheRollUpButtonShowsItsRestoreLooksAndHint)
{
    frame->setBorderIcons(BorderIcon::SystemMenu | BorderIcon::Minimize | BorderIcon::RollUp);
    const int rollUp = frame->getIndex("rollupbutton");
    const auto& b = dynamic_cast<const DataSkinStdButton&>(*sd->objectList()[std::size_t(sd->getIndex("rollupbutton"))]);
    const Picture& buttons = *sd->activePicture(b.activePictureIndex);
    ASSERT_FALSE(b.restoreRect.isEmpty());
    EXPECT_EQ(pixelsOf(frame->frameImage(), rectOf(rollUp)), pixelsOf(buttons, b.skinRect));

    SkinHint hint;
    hint.setSkinData(sd.get());
    hint.setHintPause(1);
    frame->setSkinHint(&hint);
    frame->setShowObjectHint(true);

    frame->switchRollUp(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.height() == frame->getMinHeight(); }));
    frame->frameImage();
    const Rect r = rectOf(rollUp);
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), pixelsOf(buttons, b.restoreRect));

    CaptionButtons& captionButtons = frame->captionButtons();
    hover(centreOf(rollUp));
    while (frame->morphTimerActive())
        frame->morphTick();
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), pixelsOf(buttons, b.restoreActiveRect));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return hint.isVisible() && hint.window().shownText() == QString::fromStdString(b.restoreHint); }, 1000));

    captionButtons.leftPress(centreOf(rollUp), false);
    EXPECT_EQ(pixelsOf(frame->frameImage(), r), pixelsOf(buttons, b.restoreDownRect));
    captionButtons.leftRelease(centreOf(rollUp)); // rolls down
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frame->rollUpState() && window.height() > frame->getMinHeight(); }));
    hover(QPoint(300, 150));
    while (frame->morphTimerActive())
        frame->morphTick();
    EXPECT_FALSE(hint.isVisible());
    EXPECT_EQ(pixelsOf(frame->frameImage(), rectOf(rollUp)), pixelsOf(buttons, b.skinRect));

    // Back on it unrolled: its own hint.
    hover(centreOf(rollUp));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return hint.isVisible() && hint.window().shownText() == QString::fromStdString(b.hint); }, 1000));
    frame->setSkinHint(nullptr);
}

TEST_F(FrameButtonsTest, RolledUpAndInactiveTheRestoreLookIsTheInactiveOne)
{
    frame->setBorderIcons(BorderIcon::SystemMenu | BorderIcon::RollUp);
    const int rollUp = frame->getIndex("rollupbutton");
    const auto& b = dynamic_cast<const DataSkinStdButton&>(*sd->objectList()[std::size_t(sd->getIndex("rollupbutton"))]);
    frame->switchRollUp(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.height() == frame->getMinHeight(); }));
    activate(&other);
    settle();
    // Through the skin's inactive effect, which leaves a grey picture as it is.
    EXPECT_EQ(pixelsOf(frame->frameImage(), rectOf(rollUp)),
              pixelsOf(*sd->activePicture(b.activePictureIndex), b.restoreInActiveRect));
}

// ---- the window's own system menu ----------------------------------------------

std::vector<std::string> captionsOf(const MenuItem& menu)
{
    std::vector<std::string> out;
    for (int i = 0; i < menu.count(); ++i)
        out.push_back(menu.at(i).caption.toStdString());
    return out;
}

TEST(MergeSystemMenu, WindowCommandsGoOnTopAndCloseLastAroundTheWindowsItems)
{
    const unsigned all = BorderIcon::SystemMenu | BorderIcon::Minimize | BorderIcon::Maximize | BorderIcon::RollUp;
    struct Case {
        const char* what;
        SystemMenuState state;
        std::vector<std::string> captions;
    };
    const Case cases[] = {
        {"normal", {all, false, false, false, false},
         {"Mi&nimize", "Ma&ximize", "Ro&llUp", "&Pin", "-", "&About", "&Close"}},
        // Restore comes before Maximize here, unlike the built-in menu.
        {"rolled up", {all, false, false, true, false},
         {"Mi&nimize", "&Restore", "Ma&ximize", "&Pin", "-", "&About", "&Close"}},
        {"maximised", {all, false, true, false, false}, {"Mi&nimize", "&Restore", "Ro&llUp", "&Pin", "-", "&About", "&Close"}},
        {"no icons", {0, false, false, false, false}, {"&Pin", "-", "&About", "&Close"}},
    };
    for (const Case& c : cases) {
        MenuItem menu;
        menu.add(QStringLiteral("&Pin"));
        menu.addSeparator();
        menu.add(QStringLiteral("&About"));
        mergeSystemMenu(menu, c.state, {});
        EXPECT_EQ(captionsOf(menu), c.captions) << c.what;
        // Opened again: the same menu, nothing twice.
        mergeSystemMenu(menu, c.state, {});
        EXPECT_EQ(captionsOf(menu), c.captions) << c.what << ", again";
    }
    // A change of state between openings changes only the window commands.
    MenuItem menu;
    menu.add(QStringLiteral("&Pin"));
    mergeSystemMenu(menu, {all, false, false, false, false}, {});
    mergeSystemMenu(menu, {all, false, false, true, false}, {});
    EXPECT_EQ(captionsOf(menu), (std::vector<std::string>{"Mi&nimize", "&Restore", "Ma&ximize", "&Pin", "&Close"}));
}

TEST_F(FrameFeaturesTest, TheWindowsOwnSystemMenuOpensMergedOrAsItIs)
{
    SkinPopupMenu own(&window);
    own.items().add(QStringLiteral("&Pin"));
    frame->setUserSystemMenu(&own);
    auto shown = [&] {
        std::vector<std::string> out;
        SkinPopupWindow* w = frame->skinMenu().window(0);
        for (int i = 0; w && i < w->itemCount(); ++i)
            out.push_back(w->item(i).menuItem().caption.toStdString());
        return out;
    };
    frame->showSystemMenu(window.mapToGlobal(QPoint(200, 12)));
    ASSERT_TRUE(frame->inMenu());
    EXPECT_EQ(frame->systemMenu(), &own);
    EXPECT_EQ(shown(), (std::vector<std::string>{"Mi&nimize", "&Pin", "&Close"}));
    frame->skinMenu().hide();

    frame->setUseDefaultSysMenu(false);
    MenuItem& pin = own.items().at(1);
    own.items().take(0); // the window's own menu, as the window left it
    own.items().take(own.items().count() - 1);
    ASSERT_EQ(&own.items().at(0), &pin);
    frame->showSystemMenu(window.mapToGlobal(QPoint(200, 12)));
    EXPECT_EQ(shown(), (std::vector<std::string>{"&Pin"}));
    frame->skinMenu().hide();
    frame->setUserSystemMenu(nullptr);
}

} // namespace frame_features
