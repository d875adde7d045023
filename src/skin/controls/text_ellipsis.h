#pragma once

#include <QString>

class QFontMetrics;

namespace tessaly::skin {

// How a label shortens a text that does not fit its width.
enum class EllipsType {
    None, // the text is cut where the label ends
    End, // the start of the text, then "…"
    Path, // "…" in the middle, keeping as much as fits of what follows the last "/"
};

// `text` shortened to `width` pixels in `metrics`' font as `type` says;
// unchanged when it fits or for EllipsType::None.
QString shortenedText(const QString& text, const QFontMetrics& metrics, int width, EllipsType type);

} // namespace tessaly::skin
