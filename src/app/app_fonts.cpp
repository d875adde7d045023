#include "app/app_fonts.h"

#include "platform/qt_fonts.h"

namespace tessaly::app {

QFont designFont(const char* family, int height, bool bold, bool underline)
{
    QFont font = platform::fontForHeight(QString::fromLatin1(family), height);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

} // namespace tessaly::app
