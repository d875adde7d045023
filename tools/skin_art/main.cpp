// skin_art: draws the bitmaps of a built-in skin and writes its description.
// Every design shares the geometry and the drawing; each brings its palette.
//
//   skin_art NAME SKIN_DIR             write skin.ini and the .bmp files
//   skin_art --preview NAME OUT_DIR    write PNG mock-ups for checking the look
//
// NAME is pewter, slate or sampler. Either form may start with "--kernels plain" or
// "--kernels best" to choose the pixel kernels of the skin engine: the
// drawn files must not depend on which the processor gets.

#include "palette.h"
#include "preview.h"
#include "skin_bitmaps.h"
#include "skin_design.h"

#include "skin/data/bmp_codec.h"
#include "skin/paint/pixel_kernels.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

// Every bitmap goes through the program's own codec, the one that reads
// it back when the skin is packed.
void writePicture(const skinart::SkinPicture& picture, const QDir& dir)
{
    const QString path = dir.filePath(QString::fromStdString(picture.fileName));
    tessaly::skin::saveBitmapFile(path.toStdString(), skinart::bitmapOf(picture));
}

void writeSkin(const skinart::SkinSources& skin, const QString& directory)
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

const skinart::Palette* paletteNamed(const QString& name)
{
    if (name == "pewter")
        return &skinart::pewterPalette();
    if (name == "slate")
        return &skinart::slatePalette();
    if (name == "sampler")
        return &skinart::samplerPalette();
    return nullptr;
}

int usage()
{
    std::fprintf(stderr, "usage: skin_art [--kernels plain|best] pewter|slate|sampler SKIN_DIR\n"
                         "       skin_art [--kernels plain|best] --preview pewter|slate|sampler OUT_DIR\n");
    return 2;
}

// Takes "--kernels plain|best" off the front of the arguments; false for
// an unknown variant.
bool chooseKernels(QStringList& args)
{
    using tessaly::skin::InstructionSet;
    if (args.size() < 3 || args[1] != "--kernels")
        return true;
    const QString variant = args[2];
    args.remove(1, 2);
    if (variant == "plain") {
        tessaly::skin::useInstructionSet(InstructionSet::Plain);
        return true;
    }
    if (variant == "best") {
        const InstructionSet used = tessaly::skin::useInstructionSet(InstructionSet::Avx2);
        std::fprintf(stderr, "skin_art: %s kernels\n", used == InstructionSet::Avx2 ? "AVX2" : "plain");
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // Text in the previews needs fonts; nothing is shown on screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    if (!chooseKernels(args))
        return usage();
    try {
        if (args.size() == 4 && args[1] == "--preview") {
            const skinart::Palette* palette = paletteNamed(args[2]);
            if (!palette)
                return usage();
            skinart::writePreviews(skinart::buildSkin(*palette), args[3]);
            return 0;
        }
        if (args.size() == 3 && !args[1].startsWith("-")) {
            const skinart::Palette* palette = paletteNamed(args[1]);
            if (!palette)
                return usage();
            writeSkin(skinart::buildSkin(*palette), args[2]);
            return 0;
        }
        return usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skin_art: %s\n", e.what());
        return 1;
    }
}
