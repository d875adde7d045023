// pewter_art: draws the pewter skin's bitmaps and writes its description.
//
//   pewter_art SKIN_DIR               write skin.ini and the .bmp files
//   pewter_art --preview OUT_DIR      write PNG mock-ups for checking the look

#include "pewter_design.h"
#include "preview.h"
#include "skin_bitmaps.h"

#include "skin/data/bmp_codec.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

namespace {

// Every bitmap goes through the program's own codec, the one that reads
// it back when the skin is packed.
void writePicture(const pewter::SkinPicture& picture, const QDir& dir)
{
    const QString path = dir.filePath(QString::fromStdString(picture.fileName));
    tessaly::skin::saveBitmapFile(path.toStdString(), pewter::bitmapOf(picture));
}

void writeSkin(const pewter::SkinSources& skin, const QString& directory)
{
    QDir dir(directory);
    if (!dir.mkpath("."))
        throw std::runtime_error("cannot create " + directory.toStdString());
    writePicture(skin.frame, dir);
    writePicture(skin.frameMask, dir);
    for (const auto& picture : skin.active)
        writePicture(picture, dir);
    QFile ini(dir.filePath("skin.ini"));
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write skin.ini");
    ini.write(skin.description.data(), qint64(skin.description.size()));
}

} // namespace

int main(int argc, char** argv)
{
    // Text in the previews needs fonts; nothing is shown on screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 3 && args[1] == "--preview") {
            pewter::writePreviews(pewter::buildPewter(), args[2]);
            return 0;
        }
        if (args.size() == 2 && !args[1].startsWith("-")) {
            writeSkin(pewter::buildPewter(), args[1]);
            return 0;
        }
        std::fprintf(stderr, "usage: pewter_art SKIN_DIR | pewter_art --preview OUT_DIR\n");
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pewter_art: %s\n", e.what());
        return 1;
    }
}
