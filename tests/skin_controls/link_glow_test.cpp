// The link label's glow: the text stands lower by the glow's size while the
// glow is on, the glow shows around the text while the pointer is over it,
// in the hover colour, and a skinned label keeps its text colour then.
#include <QTest>
#include <gtest/gtest.h>

#include "pewter_fixture.h"
#include "skin/controls/skin_link_label.h"

namespace tessaly::skin::test {
namespace {

// The rows and columns where a picture differs from a plain background.
QRect inkBox(const QImage& image, QRgb background)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}

class LinkGlow : public ::testing::Test {
protected:
    LinkGlow()
    {
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, Qt::white);
        window.setPalette(palette);
        window.resize(200, 60);
        link = new SkinLinkLabel(QStringLiteral("tessaly.example"), &window);
        link->setGeometry(10, 10, 150, 40);
        link->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    QImage shot() { return window.grab(link->geometry()).toImage().convertToFormat(QImage::Format_RGB32); }

    QWidget window;
    SkinLinkLabel* link;
};

TEST_F(LinkGlow, OnMovesTheTextDownByItsSizeAndTheLabelAsksForThem)
{
    const QRect plain = inkBox(shot(), qRgb(255, 255, 255));
    const int height = link->sizeHint().height();
    link->setGlowEffect(true);
    link->setGlowSize(5);
    const QRect lower = inkBox(shot(), qRgb(255, 255, 255));
    ASSERT_FALSE(plain.isEmpty());
    EXPECT_EQ(lower.top() - plain.top(), 5) << "also when not hovered";
    EXPECT_EQ(lower.left(), plain.left());
    EXPECT_EQ(link->sizeHint().height(), height + 5);
}

TEST_F(LinkGlow, HoveredTheGlowSurroundsTheTextInTheHoverColour)
{
    link->setSkinData(&pewter());
    link->setAlignment(Qt::AlignHCenter | Qt::AlignTop); // room for the glow on both sides
    link->setGlowEffect(true);
    link->setGlowSize(6);
    const QImage rest = shot();
    const QRect text = inkBox(rest, qRgb(255, 255, 255));
    const QColor restColour = link->palette().color(QPalette::WindowText);

    hover(*link);
    const QImage glowing = shot();
    const QRect lit = inkBox(glowing, qRgb(255, 255, 255));
    EXPECT_LT(lit.top(), text.top()) << "the glow reaches above the text";
    EXPECT_LT(lit.left(), text.left());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), restColour)
        << "a skinned label's text keeps its colour; only the glow takes the hover colour";
    // The glow's pixels lean to the hover colour of the record.
    const QColor hot = qColorOf(recordOf<DataSkinStdLabelControl>("stdlabel").activeFontColor);
    const QRgb above = glowing.pixel(text.center().x(), text.top() - 2);
    EXPECT_NE(above, qRgb(255, 255, 255));
    const auto toward = [&](QRgb p) {
        return std::abs(qRed(p) - hot.red()) + std::abs(qGreen(p) - hot.green()) + std::abs(qBlue(p) - hot.blue());
    };
    EXPECT_LT(toward(above), toward(qRgb(255, 255, 255)));

    unhover(*link);
    EXPECT_EQ(shot(), rest) << "the glow goes with the pointer";
}

} // namespace
} // namespace tessaly::skin::test
