#include "platform/qt_fonts.h"

#include <QFontMetricsF>
#include <QHash>
#include <cmath>

namespace tessaly::platform {

QString installedFamily(const QString& family)
{
    static const QHash<QString, QString> families = {
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("tahoma"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("verdana"), QStringLiteral("DejaVu Sans")},
    };
    return families.value(family.toLower(), family);
}

namespace {

// Cell height per pixel of em size, measured once per family.
qreal cellPerEm(const QString& family)
{
    static QHash<QString, qreal> ratios;
    auto found = ratios.constFind(family);
    if (found != ratios.constEnd())
        return *found;
    QFont probe(family);
    probe.setPixelSize(100);
    const QFontMetricsF metrics(probe);
    const qreal ratio = (metrics.ascent() + metrics.descent()) / 100.0;
    ratios.insert(family, ratio > 0 ? ratio : 1.0);
    return ratios.value(family);
}

} // namespace

QFont fontForHeight(const QString& family, int height)
{
    const QString installed = installedFamily(family);
    QFont font(installed);
    int pixels = std::abs(height);
    if (height > 0)
        pixels = int(std::lround(height / cellPerEm(installed)));
    font.setPixelSize(pixels > 0 ? pixels : 1);
    return font;
}

} // namespace tessaly::platform
