// The control records of the sampler skin, made for the features no
// window of the program uses, drawn by the controls as the records say.

#include "pewter_fixture.h"
#include "skin/controls/control_geometry.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_edit.h"
#include "skin/controls/skin_panel.h"
#include "skin/embedded_sampler.h"
#include "skin/paint/glyph.h"

#include <QTest>

namespace tessaly::skin::test {
namespace {

SkinData& sampler()
{
    static std::unique_ptr<SkinData> data = [] {
        auto stored = std::make_unique<CompressedStoredSkin>();
        stored->loadFromCompressBytes(embedded_sampler());
        auto d = std::make_unique<SkinData>();
        d->loadCompressedStoredSkin(*stored);
        return d;
    }();
    return *data;
}

template <class Record>
const Record& samplerRecord(const std::string& name)
{
    const int i = sampler().getControlIndex(name);
    EXPECT_GE(i, 0) << name;
    return dynamic_cast<const Record&>(*sampler().ctrlList()[std::size_t(i)]);
}

PixelView samplerPicture(const DataSkinControl& r) { return pixelView(*sampler().activePicture(r.pictureIndex)); }

Bitmap composedAt(const DataSkinCustomControl& r, const Rect& source, int width, int height)
{
    ControlGeometry g = ControlGeometry::of(r);
    int w = width, h = height;
    g.calcSkinSize(w, h);
    Bitmap face(width, height);
    composeRecordFace(face, samplerPicture(r), g, source, width, height);
    return face;
}

TEST(SamplerControls, TheAnimatedButtonPlaysItsFourFramesToItsHotFace)
{
    const auto& r = samplerRecord<DataSkinButtonControl>("animbutton");
    ASSERT_EQ(r.frameCount, 4);
    ASSERT_FALSE(r.morphing) << "the frames must not be hidden by a cross-fade";
    QWidget parent;
    auto* b = new SkinButton({}, &parent);
    b->setSkinDataName("animbutton");
    b->setSkinData(&sampler());
    b->setGeometry(0, 0, 75, 25);
    hover(*b);
    const int cell = r.animateSkinRect.width() / 4;
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        ASSERT_EQ(b->frameAnimation().currentFrame(), k);
        const Rect frame{r.animateSkinRect.left + (k - 1) * cell, r.animateSkinRect.top,
                         r.animateSkinRect.left + k * cell, r.animateSkinRect.bottom};
        EXPECT_EQ(differingPixels(grabbed(*b), composedAt(r, frame, 75, 25), b->rect(), b->mask()), 0);
        b->animationTick();
    }
    EXPECT_FALSE(b->frameAnimation().running());
    EXPECT_EQ(differingPixels(grabbed(*b), composedAt(r, r.activeSkinRect, 75, 25), b->rect(), b->mask()), 0);
}

TEST(SamplerControls, TheButtonEditsSideButtonKeepsToTheRightEnd)
{
    const auto& r = samplerRecord<DataSkinEditControl>("buttonedit");
    QWidget parent;
    auto* e = new SkinEdit(&parent);
    e->setSkinDataName("buttonedit");
    e->setSkinData(&sampler());
    e->setButtonMode(true);
    e->setGeometry(0, 0, 200, 18);
    parent.show(); // lays the edit out at its size
    QCoreApplication::processEvents();
    const int dW = 200 - r.skinRect.width();
    const Rect button{r.buttonRect.left + dW, r.buttonRect.top, r.buttonRect.right + dW, r.buttonRect.bottom};
    EXPECT_EQ(e->sideParts().buttonRect(), button);
    EXPECT_LT(e->lineEdit()->geometry().right(), button.left);
    QTest::mousePress(e, Qt::LeftButton, {}, QPoint(button.left + 5, button.top + 5));
    Bitmap expected(button.width(), button.height());
    copyPiece(samplerPicture(r), r.downButtonRect, expected, {0, 0, button.width(), button.height()});
    const QImage shot = grabbed(*e).copy(button.left, button.top, button.width(), button.height());
    EXPECT_EQ(differingPixels(shot, expected, QRect(0, 0, button.width(), button.height())), 0);
}

TEST(SamplerControls, TheCaptionPanelShowsItsCheckBoxAndMarkerInItsCaptionBar)
{
    const auto& r = samplerRecord<DataSkinPanelControl>("captionpanel");
    QWidget parent;
    auto* p = new SkinPanel(&parent);
    p->setSkinDataName("captionpanel");
    p->setSkinData(&sampler());
    p->setGeometry(0, 0, 200, 100);
    p->setCaptionMode(true);
    p->setCheckedMode(true);
    p->setChecked(true);
    const Rect caption = p->captionArea();
    EXPECT_EQ(caption, (Rect{r.captionRect.left, r.captionRect.top, r.captionRect.right + 200 - r.skinRect.width(),
                             r.captionRect.bottom}));
    // The check picture at the caption's left, drawn without its key colour.
    Bitmap box(r.checkImageRect.width(), r.checkImageRect.height());
    copyPiece(samplerPicture(r), r.checkImageRect, box, {0, 0, box.width(), box.height()});
    Bitmap expected = composedAt(r, r.skinRect, 200, 100);
    const int top = caption.top + caption.height() / 2 - box.height() / 2;
    drawGlyphCell(expected, caption.left, top, 1, 1, box.view());
    EXPECT_EQ(differingPixels(grabbed(*p), expected, QRect(caption.left, top, box.width(), box.height())), 0);
    // Rolled up, only the caption bar stays.
    p->setRollUpMode(true);
    p->toggleByUser();
    EXPECT_EQ(p->height(), 100 - (r.clRect.height() + 100 - r.skinRect.height()));
}

} // namespace
} // namespace tessaly::skin::test
