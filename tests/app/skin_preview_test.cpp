// The skin preview: it wears the skin of a folder, takes the skin again
// when a file of the folder changes, and keeps the last good skin, with the
// loader's message in the window, when the files are damaged.

#include "app/skin_preview_window.h"
#include "skin/controls/skin_button.h"
#include "skin/frame/skin_frame.h"
#include "skin/controls/skin_std_label.h"
#include "skin/data/skin_data.h"
#include "skin/menus/skin_hint_window.h"
#include "skin/menus/skin_menu.h"
#include "skin/menus/skin_popup_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tessaly {
namespace {

// A copy of a built-in skin's sources that the test may change.
struct SkinFolder {
    QTemporaryDir dir;
    explicit SkinFolder(const char* design)
    {
        const QDir source(QStringLiteral(TESSALY_SOURCE_DIR "/skins/") + QLatin1String(design));
        for (const QString& name : source.entryList({QStringLiteral("*.bmp"), QStringLiteral("skin.ini")}, QDir::Files))
            QFile::copy(source.filePath(name), dir.filePath(name));
    }
    QString path() const { return dir.path(); }
    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray read(const QString& name)
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// The controls have no meta-object of their own: found by their C++ type.
template <class Control>
std::vector<Control*> controlsOf(QWidget& window)
{
    std::vector<Control*> out;
    for (QWidget* w : window.findChildren<QWidget*>())
        if (auto* c = dynamic_cast<Control*>(w))
            out.push_back(c);
    return out;
}

TEST(SkinPreview, WearsTheFoldersSkinOnEveryControlAndTheFrame)
{
    SkinFolder folder("slate");
    app::SkinPreviewWindow window(folder.path());
    EXPECT_TRUE(window.message().isEmpty()) << window.message().toStdString();
    ASSERT_FALSE(window.skinData()->empty());
    EXPECT_EQ(window.frame()->skinData(), window.skinData());
    const auto buttons = controlsOf<skin::SkinButton>(window);
    EXPECT_GE(buttons.size(), 7u) << "a push button for each state and mode";
    for (skin::SkinButton* b : buttons) {
        EXPECT_EQ(b->skinData(), window.skinData());
        EXPECT_NE(b->index(), -1);
    }
}

TEST(SkinPreview, AChangedFileIsTakenAgainAndADamagedOneKeepsTheLastGoodSkin)
{
    SkinFolder folder("pewter");
    app::SkinPreviewWindow window(folder.path());
    ASSERT_TRUE(window.message().isEmpty());
    skin::SkinData* first = window.skinData();

    // A change of the description (another button colour) is taken on its
    // own, after the files have settled.
    QByteArray ini = folder.read(QStringLiteral("skin.ini"));
    ini.replace("fontcolor=2958622", "fontcolor=255");
    folder.write(QStringLiteral("skin.ini"), ini);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.skinData() != first; }, 5000)) << "not reloaded";
    const int i = window.skinData()->getControlIndex("button");
    ASSERT_GE(i, 0);
    EXPECT_EQ(dynamic_cast<const skin::DataSkinButtonControl&>(*window.skinData()->ctrlList()[std::size_t(i)])
                  .fontColor.value(),
              255u);

    // A damaged bitmap: the loader's message, and the skin stays on.
    skin::SkinData* good = window.skinData();
    folder.write(QStringLiteral("controls.bmp"), QByteArray("BM not a bitmap"));
    window.reload();
    EXPECT_FALSE(window.message().isEmpty());
    EXPECT_EQ(window.skinData(), good);
    EXPECT_FALSE(good->empty());
    for (skin::SkinButton* b : controlsOf<skin::SkinButton>(window))
        EXPECT_NE(b->index(), -1) << "still skinned";
    bool shown = false;
    for (skin::SkinStdLabel* label : controlsOf<skin::SkinStdLabel>(window))
        shown = shown || label->text() == window.message();
    EXPECT_TRUE(shown) << "the message is in the window";
}

TEST(SkinPreview, ItsMenuHasOwnerDrawnAndAnimatedItemsAndItsHintATitleAndAPicture)
{
    app::SkinPreviewWindow window(QStringLiteral(TESSALY_SOURCE_DIR "/skins/sampler"));
    ASSERT_TRUE(window.message().isEmpty()) << window.message().toStdString();
    window.show();
    window.openMenuAndHint();
    skin::SkinPopupWindow* menu = window.frame()->skinMenu().lastWindow();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->look().animation) << "the sampler's items play frames";
    bool ownerDrawn = false, header = false, shortCut = false;
    for (int i = 0; i < menu->itemCount(); ++i) {
        const skin::MenuItem& item = menu->item(i).menuItem();
        ownerDrawn = ownerDrawn || bool(item.onDrawItem);
        header = header || item.isHeader();
        shortCut = shortCut || !item.shortCutText().isEmpty();
    }
    EXPECT_TRUE(ownerDrawn && header && shortCut);
    const skin::SkinHintWindow* hint = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* h = dynamic_cast<skin::SkinHintWindow*>(w); h && h->isVisible())
            hint = h;
    ASSERT_NE(hint, nullptr);
    EXPECT_FALSE(hint->shownTitle().isEmpty());
    EXPECT_FALSE(hint->extendedLayout().image.isEmpty());
    window.frame()->skinMenu().hide();
}

} // namespace
} // namespace tessaly
