// A label shortens a text too wide for it as its ellipsis type says, at
// several widths, and keeps the text itself whole.
#include <QFontMetrics>
#include <QTest>
#include <gtest/gtest.h>

#include "skin/controls/skin_std_label.h"
#include "skin/controls/text_ellipsis.h"

namespace tessaly::skin::test {
namespace {

const QString kPath = QStringLiteral("/home/reader/books/drafts/second edition/the-long-road.epub");
const QString kEllipsis = QStringLiteral("\u2026");

TEST(TextEllipsis, EachTypeAtSeveralWidths)
{
    const QFontMetrics metrics{QFont(QStringLiteral("DejaVu Sans"), 10)};
    const int full = metrics.horizontalAdvance(kPath);
    for (const int width : {full + 10, full, full * 3 / 4, full / 2, metrics.horizontalAdvance(QStringLiteral("/the-long-road.epub")), 20, 0}) {
        SCOPED_TRACE(width);
        EXPECT_EQ(shortenedText(kPath, metrics, width, EllipsType::None), kPath);

        const QString end = shortenedText(kPath, metrics, width, EllipsType::End);
        const QString path = shortenedText(kPath, metrics, width, EllipsType::Path);
        if (width >= full) {
            EXPECT_EQ(end, kPath);
            EXPECT_EQ(path, kPath);
            continue;
        }
        EXPECT_LE(metrics.horizontalAdvance(end), width);
        EXPECT_LE(metrics.horizontalAdvance(path), width);
        // The end type keeps a start of the text.
        if (!end.isEmpty()) {
            EXPECT_TRUE(end.endsWith(kEllipsis)) << end.toStdString();
            EXPECT_TRUE(kPath.startsWith(end.chopped(1))) << end.toStdString();
        }
        // The path type keeps the book's name while "…" and the name fit,
        // and gives up the folders from their end.
        if (metrics.horizontalAdvance(kEllipsis + QStringLiteral("/the-long-road.epub")) <= width) {
            EXPECT_TRUE(path.endsWith(QStringLiteral("/the-long-road.epub"))) << path.toStdString();
            const QString head = path.left(path.indexOf(kEllipsis));
            EXPECT_TRUE(kPath.startsWith(head)) << path.toStdString();
        }
    }
    // Where both fit, the path keeps more of the name than the end does.
    const int half = full / 2;
    EXPECT_TRUE(shortenedText(kPath, metrics, half, EllipsType::Path).endsWith(QStringLiteral("the-long-road.epub")));
    EXPECT_FALSE(shortenedText(kPath, metrics, half, EllipsType::End).contains(QStringLiteral("the-long-road")));
}

TEST(TextEllipsis, APathWithoutFoldersIsShortenedAtItsEnd)
{
    const QFontMetrics metrics{QFont(QStringLiteral("DejaVu Sans"), 10)};
    const QString name = QStringLiteral("a-rather-long-book-name.epub");
    const int width = metrics.horizontalAdvance(name) / 2;
    EXPECT_EQ(shortenedText(name, metrics, width, EllipsType::Path), metrics.elidedText(name, Qt::ElideRight, width));
}

TEST(SkinStdLabelEllipsis, ShowsTheShortenedTextAndKeepsItsOwn)
{
    QWidget parent;
    auto* label = new SkinStdLabel(kPath, &parent);
    label->resize(150, 18);
    EXPECT_EQ(label->shownText(), kPath) << "no shortening by default";
    const QImage cut = label->grab().toImage();

    label->setEllipsType(EllipsType::Path);
    EXPECT_EQ(label->text(), kPath);
    EXPECT_TRUE(label->shownText().contains(kEllipsis));
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->shownText()), 150);
    EXPECT_NE(label->grab().toImage(), cut) << "what is drawn follows";

    label->resize(2000, 18);
    EXPECT_EQ(label->shownText(), kPath) << "wide enough again";
    label->resize(150, 60);
    label->setWordWrap(true);
    EXPECT_EQ(label->shownText(), kPath) << "a wrapping label breaks its lines instead";
}

} // namespace
} // namespace tessaly::skin::test
