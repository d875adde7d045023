#include "test_skins.h"

#include "skin/data/zlib_stream.h"

#include <atomic>
#include <unistd.h>

namespace tessaly::skin::test {

DibBitmap patternBitmap(int width, int height, std::uint32_t seed)
{
    Picture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, 0xFF000000u | ((seed * 2654435761u + std::uint32_t(x * 31 + y * 17)) & 0xFFFFFFu));
    return DibBitmap(std::move(picture));
}

std::string sampleDescription()
{
    return "; a small skin for the tests\r\n"
           "[VERSION]\r\nver=1\r\nskinname=Sample\r\nskinauthor=Tessaly\r\nauthoremail=skins@tessaly.example\r\n"
           "authorurl=https://tessaly.example/\r\nskincomments=for tests\r\n\r\n"
           "[PICTURES]\r\npicture=main.bmp\r\ninactivepicture=\r\nmask=mask.bmp\r\n"
           "activepicturescount=3\r\n0=one.bmp\r\n1=two.bmp\r\n2=three.bmp\r\n\r\n"
           "[FORMINFO]\r\nlefttoppoint=9,25\r\nrighttoppoint=282,25\r\nleftbottompoint=8,156\r\n"
           "rightbottompoint=284,155\r\nclientrect=2,25,290,162\r\nbuttonsrect=200,5,285,22\r\n"
           "captionrect=30,4,190,22\r\nbuttonsoffset=2\r\nborderwidth=0x10\r\nbuttonsinleft=2\r\n"
           "stretchtype=StVert\r\nmdibgstretchtype=stvert\r\ninactiveeffect=iedarkness\r\nformminwidth=$40\r\n"
           "hittestlefttoppoint=4,4\r\nhittestrighttoppoint=288,4\r\nhittestleftbottompoint=4,160\r\n"
           "hittestrightbottompoint=288,160\r\nbgpictureindex=1\r\n\r\n"
           "[POPUPWINDOW]\r\nwindowpictureindex=2\r\nitemsrect=3,3,40,40\r\nstretchtype=stvert\r\n\r\n"
           "[HINTWINDOW]\r\nwindowpictureindex=2\r\nfontname=Tahoma\r\nfontheight=11\r\n\r\n"
           "[SKINCOLORS]\r\ncbtnface=12039860\r\nchighlight=15902299\r\n\r\n"
           "[SKINOBJECTS]\r\ncount=6\r\n0=closebutton:stdbutton\r\n1=caption:caption\r\n2=no colon here\r\n"
           "3=mystery:sparkle\r\n4=menuitem:menuitem\r\n5=closebutton:button\r\n\r\n"
           "[closebutton]\r\nhint=Close\r\ncommand=cmclose\r\nskinrect=10,0,30,20\r\n\r\n"
           "[caption]\r\ntextrect=0,0,100,20\r\nfontname=Arial\r\nfontheight=13\r\nfontstyle=fsbold\r\n"
           "alignment=taleftjustify\r\n\r\n"
           "[menuitem]\r\nskinrect=0,0,50,20\r\nfontheight=12\r\n\r\n"
           "[mystery]\r\nskinrect=1,1,2,2\r\n\r\n"
           "[SKINCONTROLS]\r\ncount=6\r\n0=button:button\r\n1=toolbutton:button\r\n2=statusbar:panel\r\n"
           "3=edit:edit\r\n4=button:stdlabel\r\n5=grid:Grid\r\n\r\n"
           "[button]\r\npictureindex=0\r\nmaskpictureindex=1\r\nskinrect=0,0,60,24\r\nlefttoppoint=16,11\r\n"
           "righttoppoint=53,12\r\nfontcolor=255\r\n\r\n"
           "[toolbutton]\r\npictureindex=0\r\nskinrect=0,24,40,48\r\n\r\n"
           "[statusbar]\r\npictureindex=0\r\nskinrect=0,48,80,70\r\nalignment=taleftjustify\r\n\r\n"
           "[edit]\r\npictureindex=0\r\nskinrect=0,70,80,90\r\nfontname=Tahoma\r\n\r\n";
}

SkinPackage samplePackage()
{
    SkinPackage package;
    package.picture = patternBitmap(30, 20, 1);
    package.mask = patternBitmap(30, 20, 2);
    package.activePictures = {patternBitmap(8, 6, 3), patternBitmap(5, 9, 4), patternBitmap(3, 3, 5)};
    package.description = sampleDescription();
    return package;
}

CompressedStoredSkin storedSkin(const SkinPackage& package)
{
    CompressedStoredSkin skin;
    skin.storePackage(package);
    return skin;
}

CompressedStoredSkin storedSkinFromBytes(const std::vector<std::uint8_t>& packageBytes)
{
    CompressedStoredSkin skin;
    skin.readCompressedData(deflateSkinStream(packageBytes));
    return skin;
}

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path()
        / ("tessaly-skin-data-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace tessaly::skin::test
