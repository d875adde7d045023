// Draws the program's icon, the mark of the About window's logo (a white
// tick on a rounded pewter-blue square), as PNG files of the usual sizes.
// Usage: icon_art OUTPUT_FOLDER SIZE...   writes OUTPUT_FOLDER/SIZExSIZE.png
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>

namespace {

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Whole-pixel edges at every size: the square is inset by a pixel at
    // small sizes and by a sixteenth at large ones.
    const qreal inset = std::max<qreal>(1, size / 16);
    const QRectF square(inset, inset, size - 2 * inset, size - 2 * inset);
    const qreal radius = square.width() * 0.2;

    QLinearGradient face(square.topLeft(), square.bottomLeft());
    face.setColorAt(0, QColor(0x8E, 0x9C, 0xAE));
    face.setColorAt(1, QColor(0x4F, 0x5D, 0x70));
    painter.setPen(QPen(QColor(0x3A, 0x45, 0x54), std::max<qreal>(1, size / 32.0)));
    painter.setBrush(face);
    painter.drawRoundedRect(square.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    QPainterPath tick;
    tick.moveTo(square.left() + square.width() * 0.24, square.top() + square.height() * 0.52);
    tick.lineTo(square.left() + square.width() * 0.43, square.top() + square.height() * 0.72);
    tick.lineTo(square.left() + square.width() * 0.77, square.top() + square.height() * 0.30);
    QPen pen(Qt::white, std::max<qreal>(1.5, square.width() * 0.13), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: icon_art OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString file = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/%1x%1.png").arg(size);
        if (size < 8 || !drawIcon(size).save(file)) {
            std::fprintf(stderr, "icon_art: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
