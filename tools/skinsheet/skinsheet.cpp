// skinsheet: renders a review sheet of a skin with the program's own
// composition code (see sheet_review.h).
//
//   skinsheet OUT.png [SKIN.ini | SKIN.skn]

#include "sheet_layout.h"
#include "sheet_review.h"

#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"

#include <QApplication>
#include <QRegularExpression>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

using namespace tessaly::skin;

namespace {

void loadSkin(SkinData& sd, CompressedStoredSkin& stored, const QString& path)
{
    if (path.isEmpty()) {
        stored.loadFromCompressBytes(embedded_pewter());
        sd.loadCompressedStoredSkin(stored);
    } else if (path.endsWith(".ini", Qt::CaseInsensitive)) {
        sd.loadFromFile(std::filesystem::path(path.toStdString()));
    } else {
        sd.loadFromCompressedFile(std::filesystem::path(path.toStdString()));
    }
    if (sd.empty())
        throw std::runtime_error("no skin loaded from " + (path.isEmpty() ? std::string("the embedded bytes")
                                                                          : path.toStdString()));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Widgets: the window frame is drawn by the frame component itself.
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: skinsheet OUT.png [SKIN.ini | SKIN.skn]\n");
        return 2;
    }
    try {
        SkinData sd;
        CompressedStoredSkin stored;
        loadSkin(sd, stored, args.size() == 3 ? args[2] : QString());
        skinsheet::SheetLayout sheet(1240);
        QImage large;
        skinsheet::buildSheet(sd, sheet, large);
        const QString out = args[1];
        if (!sheet.render().save(out))
            throw std::runtime_error("cannot write " + out.toStdString());
        QString largeName = out;
        largeName.replace(QRegularExpression("\\.png$", QRegularExpression::CaseInsensitiveOption), "");
        if (!large.save(largeName + "-1920x1080.png"))
            throw std::runtime_error("cannot write the 1920 x 1080 frame");
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinsheet: %s\n", e.what());
        return 1;
    }
}
