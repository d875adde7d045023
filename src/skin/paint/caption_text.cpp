#include "skin/paint/caption_text.h"

namespace tessaly::skin {

QString spokenCaption(const QString& caption)
{
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i; // "&x" says x, "&&" says "&"
        spoken += caption[i];
    }
    return spoken;
}

} // namespace tessaly::skin
