// The skinned scroll bar: its parts come from the "vscrollbar" record's
// pictures in their states, and it steps, pages and drags as a scroll bar
// does.
#include "pewter_fixture.h"
#include "skin/controls/skin_scroll_bar.h"
#include "skin/data/control_records.h"

#include <QMouseEvent>
#include <QTest>

namespace tessaly::skin::test {
namespace {

// Pixels inside `area` of the image that differ from the record picture's
// `source` (both the same size).
int differingFromPicture(const QImage& image, const QRect& area, PixelView picture, const Rect& source)
{
    int count = 0;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            if ((image.pixel(area.left() + x, area.top() + y) & 0xFFFFFFu)
                != (picture.pixel(source.left + x, source.top + y) & 0xFFFFFFu))
                ++count;
    return count;
}

class ScrollBarTest : public testing::Test {
protected:
    ScrollBarTest()
    {
        m_bar = new SkinScrollBar(&m_parent);
        m_bar->setRange(0, 100);
        m_bar->setPageStep(10);
        m_bar->setSkinData(&pewter());
        m_bar->setGeometry(0, 0, 17, 200);
        m_parent.show();
    }
    const DataSkinScrollBarControl& record() const { return recordOf<DataSkinScrollBarControl>("vscrollbar"); }

    QWidget m_parent;
    SkinScrollBar* m_bar = nullptr;
};

TEST_F(ScrollBarTest, ArrowsAreTheRecordsPicturesOfTheirState)
{
    ASSERT_GE(m_bar->index(), 0);
    EXPECT_EQ(m_bar->sizeHint().width(), record().skinRect.width());
    const PixelView picture = pictureOfRecord(record());
    EXPECT_EQ(differingFromPicture(grabbed(*m_bar), m_bar->upRect(), picture, record().upButtonRect), 0);
    EXPECT_EQ(differingFromPicture(grabbed(*m_bar), m_bar->downRect(), picture, record().downButtonRect), 0);
    const QPoint down = m_bar->downRect().center();
    QMouseEvent move(QEvent::MouseMove, QPointF(down), QPointF(m_bar->mapToGlobal(down)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(m_bar, &move);
    EXPECT_EQ(m_bar->hotPart(), SkinScrollBar::Part::Down);
    EXPECT_EQ(differingFromPicture(grabbed(*m_bar), m_bar->downRect(), picture, record().activeDownButtonRect), 0);
    QTest::mousePress(m_bar, Qt::LeftButton, {}, down);
    EXPECT_EQ(differingFromPicture(grabbed(*m_bar), m_bar->downRect(), picture, record().downDownButtonRect), 0);
    QTest::mouseRelease(m_bar, Qt::LeftButton, {}, down);
    // The thumb's fixed top end.
    const QRect thumb = m_bar->thumbRect();
    const Rect& source = record().thumbRect;
    EXPECT_EQ(differingFromPicture(grabbed(*m_bar), QRect(thumb.left(), thumb.top(), thumb.width(), record().thumbOffset1),
                                   picture, source),
              0);
}

TEST_F(ScrollBarTest, StepsPagesAndDrags)
{
    QTest::mouseClick(m_bar, Qt::LeftButton, {}, m_bar->downRect().center());
    EXPECT_EQ(m_bar->value(), 1);
    QTest::mouseClick(m_bar, Qt::LeftButton, {}, m_bar->upRect().center());
    EXPECT_EQ(m_bar->value(), 0);
    const QPoint belowThumb(8, m_bar->downRect().top() - 3);
    EXPECT_EQ(m_bar->partAt(belowThumb), SkinScrollBar::Part::PageDown);
    QTest::mouseClick(m_bar, Qt::LeftButton, {}, belowThumb);
    EXPECT_EQ(m_bar->value(), 10);
    // The thumb's length is its share of the track: 10 of 110.
    const int track = m_bar->height() - m_bar->upRect().height() - m_bar->downRect().height();
    EXPECT_EQ(m_bar->thumbRect().height(), std::max(record().thumbMinSize, track * 10 / 110));
    // Dragged to the bottom and beyond, the thumb stops at the end.
    const QPoint grip = m_bar->thumbRect().center();
    QTest::mousePress(m_bar, Qt::LeftButton, {}, grip);
    QMouseEvent drag(QEvent::MouseMove, QPointF(8, 400), QPointF(m_bar->mapToGlobal(QPoint(8, 400))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_bar, &drag);
    EXPECT_EQ(m_bar->value(), 100);
    EXPECT_TRUE(m_bar->isSliderDown());
    QTest::mouseRelease(m_bar, Qt::LeftButton, {}, QPoint(8, 190));
    EXPECT_FALSE(m_bar->isSliderDown());
    EXPECT_EQ(m_bar->thumbRect().bottom(), m_bar->downRect().top() - 1);
}

TEST_F(ScrollBarTest, WithoutTheRecordItIsQtsOwn)
{
    m_bar->setSkinDataName("nothing of that name");
    m_bar->changeSkinData();
    EXPECT_EQ(m_bar->index(), -1);
    EXPECT_TRUE(m_bar->upRect().isEmpty());
    // Qt's scroll bar pages on a click near its bottom end.
    m_bar->setValue(0);
    QTest::mouseClick(m_bar, Qt::LeftButton, {}, QPoint(8, 150));
    EXPECT_GT(m_bar->value(), 0);
}

} // namespace
} // namespace tessaly::skin::test
