// Switching skins while the program runs: both windows, their controls,
// menus and glows take the new skin at once, and nothing is left behind.
#include "app/about_window.h"
#include "app/error_report.h"
#include "app/logo_label.h"
#include "app/main_window.h"
#include "app/skin_chooser.h"
#include "platform/qt_compositor.h"
#include "platform/qt_main_thread.h"
#include "skin/controls/skin_bound.h"
#include "skin/controls/skin_button.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/embedded_pewter.h"
#include "skin/menus/skin_popup_menu.h"
#include "skin/paint/bitmap_canvas.h"
#include "window_test_support.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>

namespace {

using tessaly::testing::programFolder;

using tessaly::app::AboutWindow;
using tessaly::app::MainWindow;
using tessaly::app::SkinChooser;
namespace skin = tessaly::skin;


// A skin file unlike the built-in ones: pewter with a frame whose sides and
// bottom are 2 pixels wider, so the windows must grow to keep their client
// sizes.
void writeWideFrameSkin(const QString& path)
{
    skin::SkinData data;
    skin::CompressedStoredSkin stored;
    stored.loadFromCompressBytes(skin::embedded_pewter());
    data.loadCompressedStoredSkin(stored);
    data.skinName = "wide pewter";
    data.clRect.left += 2;
    data.clRect.right -= 2;
    data.clRect.bottom -= 2;
    data.saveToCompressedFile(path.toStdString());
}

// The name a built-in skin gives itself in its description.
std::string builtInSkinName(const QString& name)
{
    for (const SkinChooser::BuiltInSkin& builtIn : SkinChooser::builtInSkins()) {
        if (builtIn.name != name)
            continue;
        skin::SkinData data;
        skin::CompressedStoredSkin stored;
        stored.loadFromCompressBytes(builtIn.bytes());
        data.loadCompressedStoredSkin(stored);
        return data.skinName;
    }
    return {};
}

std::size_t openDescriptors()
{
    return std::size_t(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                     std::filesystem::directory_iterator()));
}

// Resident memory in KiB.
long residentKib()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

QStringList visibleTopLevels()
{
    QStringList names;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            names.append(widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                                         : widget->objectName());
    }
    names.sort();
    return names;
}

class SkinSwitchTest : public testing::Test {
protected:
    void SetUp() override
    {
        // Glows and border windows exist only with a compositing manager.
        tessaly::platform::setCompositingManagerOverride(true);
        m_window.setAboutWindow(&m_about);
        m_window.show();
        m_about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        writeWideFrameSkin(m_files.filePath(QStringLiteral("wide.skn")));
    }
    void TearDown() override { tessaly::platform::setCompositingManagerOverride(std::nullopt); }

    QString wideSkin() const { return m_files.filePath(QStringLiteral("wide.skn")); }

    // Every skinned control of both windows is bound to a record of the
    // registry's current skin, none paints its built-in face.
    void expectControlsBound(const char* step)
    {
        const skin::SkinData& registry = m_window.skinData();
        for (QWidget* window : {static_cast<QWidget*>(&m_window), static_cast<QWidget*>(&m_about)}) {
            // The skinned controls are no QObject types of their own:
            // findChildren cannot tell them from other widgets.
            int bound = 0;
            for (const QWidget* child : window->findChildren<QWidget*>()) {
                const auto* control = dynamic_cast<const skin::SkinBound*>(child);
                if (!control || control->skinData() != &registry)
                    continue;
                ++bound;
                const std::string name = child->objectName().toStdString();
                EXPECT_GE(control->index(), 0) << step << ": " << name;
                EXPECT_EQ(control->index(), registry.getControlIndex(control->skinDataName())) << step << ": " << name;
            }
            EXPECT_GE(bound, 2) << step;
        }
    }

    void expectDesignClientSizes(const char* step)
    {
        EXPECT_EQ(m_window.clientArea()->size(), QSize(581, 343)) << step;
        EXPECT_EQ(m_about.clientArea()->size(), QSize(319, 175)) << step;
    }

    // Every test starts without a remembered skin.
    struct ForgetSkin {
        ForgetSkin() { QSettings(QStringLiteral("Tessaly"), QStringLiteral("Tessaly")).remove(QLatin1String(SkinChooser::SettingsKey)); }
    } m_forget;
    QTemporaryDir m_files;
    tessaly::platform::QtMainThread m_mainThread;
    MainWindow m_window{m_mainThread, programFolder};
    AboutWindow m_about{&m_window, &m_window.skinData()};
};

TEST_F(SkinSwitchTest, EveryWindowTakesEachSkinAtOnce)
{
    const QStringList windowsBefore = visibleTopLevels();
    const QSize pewterSize = m_window.size();
    const struct {
        const char* step;
        QString skin;
        bool file;
        std::string skinName;
    } steps[] = {
        {"slate", QStringLiteral("slate"), false, builtInSkinName(QStringLiteral("slate"))},
        {"back to pewter", QStringLiteral("pewter"), false, builtInSkinName(QStringLiteral("pewter"))},
        {"a skin file", wideSkin(), true, "wide pewter"},
        {"pewter again", QStringLiteral("pewter"), false, builtInSkinName(QStringLiteral("pewter"))},
    };
    for (const auto& s : steps) {
        // The pointer rests on "Validate", whose glow shows.
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(m_window.validateButton(), &enter);
        EXPECT_TRUE(m_window.validateButton()->glowShown()) << s.step;
        if (s.file)
            m_window.chooseSkinFile(s.skin);
        else
            m_window.chooseBuiltInSkin(s.skin);
        QApplication::processEvents();
        EXPECT_EQ(m_window.skinData().skinName, s.skinName) << s.step;
        expectDesignClientSizes(s.step);
        expectControlsBound(s.step);
        const skin::SkinColors& colours = m_window.skinData().skinColors();
        const QPalette memo = m_window.reportMemo()->palette();
        EXPECT_EQ(memo.color(QPalette::Base), skin::qColorOf(colours.cWindow)) << s.step << ": the report's colours";
        EXPECT_EQ(memo.color(QPalette::Text), skin::qColorOf(colours.cWindowText)) << s.step;
        // The glow shows the new skin's picture while the pointer rests;
        // once it leaves, no glow or border window is left over.
        EXPECT_TRUE(m_window.validateButton()->glowShown()) << s.step;
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(m_window.validateButton(), &leave);
        // A skin with a layered border gives each window its four strips.
        QStringList expected = windowsBefore;
        if (m_window.skinData().layerFrame.pictureIndex != -1) {
            for (const char* strip : {"bottom", "left", "right", "top"})
                expected << QStringLiteral("layerborder-%1").arg(QLatin1String(strip)) << QStringLiteral("layerborder-%1").arg(QLatin1String(strip));
            expected.sort();
        }
        EXPECT_EQ(visibleTopLevels().join(QLatin1Char(' ')).toStdString(), expected.join(QLatin1Char(' ')).toStdString())
            << s.step << ": no glow or border window is left over";
        if (s.file) {
            EXPECT_EQ(m_window.size(), pewterSize + QSize(4, 2)) << "the window follows the wider frame";
        } else if (s.skin == QLatin1String("pewter")) {
            EXPECT_EQ(m_window.size(), pewterSize);
        }
    }
}

// The logo's name is dark on a light window; on a dark one it takes the
// labels' light colour, and the mark keeps its own colours throughout.
TEST_F(SkinSwitchTest, TheLogoNameStaysReadable)
{
    const QImage original = QImage(QStringLiteral(":/tessaly/logo.png")).convertToFormat(QImage::Format_ARGB32);
    auto* logo = m_about.findChild<tessaly::app::LogoLabel*>(QStringLiteral("logoImage"));
    ASSERT_NE(logo, nullptr);
    // The darkest opaque pixel of the name, and the mark's pixels.
    auto nameLightness = [](const QImage& image) {
        int darkest = 255;
        for (int y = 0; y < image.height(); ++y)
            for (int x = tessaly::app::LogoLabel::MarkWidth; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) == 255)
                    darkest = std::min(darkest, QColor(image.pixel(x, y)).lightness());
        return darkest;
    };
    // Whether the mark's pixels agree (within the rounding of a pixmap's
    // premultiplied pixels).
    auto sameMark = [&original](const QImage& image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < tessaly::app::LogoLabel::MarkWidth; ++x) {
                const QRgb a = image.pixel(x, y);
                const QRgb b = original.pixel(x, y);
                if (std::abs(qAlpha(a) - qAlpha(b)) > 2 || (qAlpha(b) > 64 && std::abs(qGray(a) - qGray(b)) > 4))
                    return false;
            }
        return true;
    };

    const QImage onPewter = logo->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_TRUE(sameMark(onPewter));
    EXPECT_EQ(nameLightness(onPewter), nameLightness(original));
    EXPECT_LT(nameLightness(onPewter), 100);
    m_window.chooseBuiltInSkin(QStringLiteral("slate"));
    const QImage onSlate = logo->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_GT(nameLightness(onSlate), 160);
    EXPECT_TRUE(sameMark(onSlate));
    m_window.chooseBuiltInSkin(QStringLiteral("pewter"));
    EXPECT_EQ(nameLightness(logo->pixmap().toImage().convertToFormat(QImage::Format_ARGB32)), nameLightness(original));
}

TEST_F(SkinSwitchTest, TheSkinMenuChecksTheSkinInUse)
{
    skin::MenuItem* skinMenu = nullptr;
    skin::MenuItem& items = m_window.aboutMenu()->items();
    for (int i = 0; i < items.count(); ++i) {
        if (items.at(i).name == QLatin1String("skinMenuItem"))
            skinMenu = &items.at(i);
    }
    ASSERT_NE(skinMenu, nullptr);
    auto checkedCaptions = [&] {
        QStringList checked;
        for (int i = 0; i < skinMenu->count(); ++i) {
            const skin::MenuItem& item = skinMenu->at(i);
            if (item.visible && item.checked)
                checked.append(item.caption);
        }
        return checked;
    };
    EXPECT_EQ(checkedCaptions(), QStringList{QStringLiteral("Pewter")});
    m_window.chooseSkinFile(wideSkin());
    EXPECT_EQ(checkedCaptions(), QStringList{QStringLiteral("wide.skn")});
    // Choosing from the menu is what the user does.
    for (int i = 0; i < skinMenu->count(); ++i) {
        if (skinMenu->at(i).caption == QLatin1String("Pewter"))
            skinMenu->at(i).click();
    }
    EXPECT_EQ(checkedCaptions(), QStringList{QStringLiteral("Pewter")});
    EXPECT_EQ(m_window.skinChooser().current(), QStringLiteral("pewter"));
    EXPECT_EQ(skinMenu->at(skinMenu->count() - 1).caption, QStringLiteral("Open Skin File\u2026"));
}

TEST_F(SkinSwitchTest, AFileThatFailsIsReportedAndTheSkinStays)
{
    m_window.chooseSkinFile(wideSkin());
    const QString damaged = m_files.filePath(QStringLiteral("damaged.skn"));
    {
        std::ofstream out(damaged.toStdString(), std::ios::binary);
        out.write("\x03\0\0\0\x40\0\0\0", 8);
    }
    tessaly::testing::ErrorReportCatcher catcher;
    tessaly::app::runGuarded(&m_window, [&] { m_window.chooseSkinFile(damaged); });
    ASSERT_TRUE(catcher.text().has_value());
    EXPECT_TRUE(catcher.text()->contains(QStringLiteral("Stream read error"))) << catcher.text()->toStdString();
    EXPECT_EQ(catcher.caption(), QStringLiteral("Tessaly"));
    EXPECT_EQ(m_window.skinData().skinName, "wide pewter");
    expectControlsBound("after the failed file");
    EXPECT_EQ(QSettings(QStringLiteral("Tessaly"), QStringLiteral("Tessaly"))
                  .value(QLatin1String(SkinChooser::SettingsKey))
                  .toString(),
              wideSkin());
}

TEST_F(SkinSwitchTest, TheChoiceIsTakenUpOnTheNextStart)
{
    m_window.chooseSkinFile(wideSkin());
    {
        MainWindow next(m_mainThread, programFolder);
        EXPECT_EQ(next.skinData().skinName, "wide pewter");
        EXPECT_EQ(next.clientArea()->size(), QSize(581, 343));
    }
    QFile::remove(wideSkin());
    {
        MainWindow next(m_mainThread, programFolder);
        EXPECT_EQ(next.skinChooser().current(), QStringLiteral("pewter")) << "a remembered file that has gone";
        EXPECT_EQ(next.skinData().skinName, builtInSkinName(QStringLiteral("pewter")));
    }
    m_window.chooseBuiltInSkin(QStringLiteral("pewter"));
}

TEST_F(SkinSwitchTest, TwoHundredSwitchesLeaveNothingBehind)
{
    const QStringList names = SkinChooser::builtInNames();
    auto switchSkins = [&](int count) {
        for (int i = 0; i < count; ++i) {
            if (i % 4 == 3)
                m_window.chooseSkinFile(wideSkin());
            else
                m_window.chooseBuiltInSkin(names.at(i % names.size()));
            QApplication::processEvents();
        }
        m_window.chooseBuiltInSkin(QStringLiteral("pewter"));
        QApplication::processEvents();
    };
    // The first switches fill caches that are kept (fonts, glyphs, the
    // images of each size).
    switchSkins(20);
    const qsizetype windows = QApplication::topLevelWidgets().size();
    const std::size_t descriptors = openDescriptors();
    const long memory = residentKib();

    switchSkins(200);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
    EXPECT_EQ(openDescriptors(), descriptors);
    const long grown = residentKib() - memory;
    std::printf("resident memory after 20 switches: %ld KiB; after 200 more: %+ld KiB (%.1f %%)\n", memory, grown,
                100.0 * double(grown) / double(memory));
    EXPECT_LE(grown, memory * 5 / 100) << "memory grows by more than 5 % over 200 switches";
    expectControlsBound("after 220 switches");
    expectDesignClientSizes("after 220 switches");
}

} // namespace
