#include "skin/controls/text_ellipsis.h"

#include <QFontMetrics>

namespace tessaly::skin {

namespace {

const QString kEllipsis = QStringLiteral("\u2026");

// The folders give way first: the longest start of them that fits before
// "…" and the last part; when not even "…" and the last part fit, the last
// part is shortened at its end.
QString pathShortened(const QString& text, const QFontMetrics& metrics, int width)
{
    const qsizetype separator = std::max(text.lastIndexOf(u'/'), text.lastIndexOf(u'\\'));
    if (separator <= 0)
        return metrics.elidedText(text, Qt::ElideRight, width);
    const QString last = text.mid(separator);
    if (metrics.horizontalAdvance(kEllipsis + last) > width)
        return metrics.elidedText(kEllipsis + last, Qt::ElideRight, width);
    qsizetype keep = separator;
    while (keep > 0 && metrics.horizontalAdvance(text.left(keep) + kEllipsis + last) > width)
        --keep;
    return text.left(keep) + kEllipsis + last;
}

} // namespace

QString shortenedText(const QString& text, const QFontMetrics& metrics, int width, EllipsType type)
{
    if (type == EllipsType::None || metrics.horizontalAdvance(text) <= width)
        return text;
    if (type == EllipsType::End)
        return metrics.elidedText(text, Qt::ElideRight, width);
    return pathShortened(text, metrics, width);
}

} // namespace tessaly::skin
