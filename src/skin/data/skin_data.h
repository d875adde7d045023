#pragma once

#include "skin/data/control_records.h"
#include "skin/data/dib_bitmap.h"
#include "skin/data/geometry.h"
#include "skin/data/object_records.h"
#include "skin/data/skin_colors.h"
#include "skin/data/skin_description.h"
#include "skin/data/skin_notifier.h"
#include "skin/data/skin_options.h"
#include "skin/data/skin_package.h"
#include "skin/data/skin_types.h"
#include "skin/data/window_records.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::skin {

class CompressedStoredSkin;
class ResourceStrData;

// The skin registry: holds one loaded skin (its bitmaps, the general
// sections of its description and one record per described object and
// control), answers look-ups by name, and tells the application's windows
// when its data is about to change and when the new data is in place.
//
// States: empty (after creation and clearSkin), changing (empty() and
// changeSkinDataProcess() both true, from the start of a load to its last
// notice), loaded. Every load ends with SKINMSG_CHANGE and
// SKINMSG_AFTER_CHANGE, also when it fails: a package of an unknown
// version, or an error part-way (a bad rectangle, a damaged bitmap), leaves
// the registry cleared and empty, and the error still reaches the caller.
// Records and bitmaps live until the next load or clear; consumers drop
// what they took on SKINMSG_BEFORE_CHANGE and look it up again on
// SKINMSG_CHANGE.
// The keys of section FORMINFO: the geometry of the window frame image.
struct FormInfoKeys : CornerKeys, WindowStretchKeys {
    Rect clRect;
    int bgPictureIndex;
    int mdibgPictureIndex;
    bool mdibgStretchEffect;
    StretchType mdibgStretchType;
    Rect maskRectArea;
    Point hitTestLTPoint;
    Point hitTestRTPoint;
    Point hitTestLBPoint;
    Point hitTestRBPoint;
    Rect buttonsRect;
    Rect captionRect;
    int buttonsOffset;
    bool capButtonsInLeft;
    bool mainMenuPopupUp;
    int borderW;
    bool autoRenderingInActiveImage;
    InActiveEffect inActiveEffect;
    int formMinWidth;
    int formMinHeight;
    bool mdiTabsTransparent;
    bool mainMenuBarTransparent;
    // In the order a description is written; the order of reading does not
    // matter, since no key depends on another.
    void fields(FieldVisitor& v);
};

class SkinData : public FormInfoKeys {
public:
    using LoadDataHandler = std::function<void(SkinData& sender)>;

    SkinData();
    ~SkinData();
    SkinData(const SkinData&) = delete;
    SkinData& operator=(const SkinData&) = delete;

    // --- where notices go
    // The application's windows (none: notices go nowhere).
    void setNotifier(SkinNotifier* notifier) { m_notifier = notifier; }
    SkinNotifier* notifier() const { return m_notifier; }
    // The window that owns the registry, if any.
    void setOwnerWindow(SkinNoticeReceiver* owner) { m_ownerWindow = owner; }
    SkinNoticeReceiver* ownerWindow() const { return m_ownerWindow; }

    // --- properties
    // Not owned; setting it sends SKINMSG_RESOURCE_STRINGS.
    ResourceStrData* resourceStrData() const { return m_resourceStrData; }
    void setResourceStrData(ResourceStrData* strings);

    // The program's switches over how skins are shown.
    const SkinOptions& options() const { return m_options; }
    // A change of showLayeredBorders changes the windows' shape: it is sent
    // as SKINMSG_LAYERED_BORDERS. The other switches are read as the
    // windows next paint.
    void setOptions(const SkinOptions& options);
    // Called after every successful load, before SKINMSG_CHANGE.
    void setOnLoadData(LoadDataHandler handler) { m_onLoadData = std::move(handler); }

    const SkinColors& skinColors() const { return m_skinColors; }

    // --- state
    bool empty() const { return m_empty; }
    bool changeSkinDataProcess() const { return m_changeSkinDataProcess; }

    // --- pictures
    const DibBitmap& picture() const { return m_picture; }
    const DibBitmap& inActivePicture() const { return m_inActivePicture; }
    const DibBitmap& mask() const { return m_mask; }
    const std::vector<DibBitmap>& activePictures() const { return m_activePictures; }
    // The active picture at a picture index; null for -1 or an index at or
    // beyond the end of the list.
    const Picture* activePicture(int index) const;
    const std::string& pictureName() const { return m_pictureName; }
    const std::string& inActivePictureName() const { return m_inActivePictureName; }
    const std::string& maskName() const { return m_maskName; }
    const std::vector<std::string>& activePicturesNames() const { return m_activePicturesNames; }

    // --- records
    const std::vector<std::unique_ptr<DataSkinObject>>& objectList() const { return m_objectList; }
    const std::vector<std::unique_ptr<DataSkinControl>>& ctrlList() const { return m_ctrlList; }
    // Position of the first object (control) record whose name equals
    // idName exactly, letter case included; -1 when there is none.
    int getIndex(std::string_view idName) const;
    int getControlIndex(std::string_view idName) const;

    // --- loading and saving
    // Does nothing for an empty stored skin.
    void loadCompressedStoredSkin(const CompressedStoredSkin& storedSkin);
    // Loads a description file and the bitmap files in its folder. A file
    // without all of VERSION, PICTURES, FORMINFO, SKINOBJECTS and
    // SKINCONTROLS changes nothing.
    void loadFromFile(const std::filesystem::path& fileName);
    // Rewrites the registry's sections in the file; its other sections stay.
    void saveToFile(const std::filesystem::path& fileName) const;
    // saveToFile, then every named bitmap as a ".bmp" file beside it.
    void storeToDisk(const std::filesystem::path& fileName) const;
    void loadFromCompressedFile(const std::filesystem::path& fileName);
    void saveToCompressedFile(const std::filesystem::path& fileName) const;

    // Writes every section of the loaded skin: VERSION, PICTURES, FORMINFO,
    // POPUPWINDOW, LAYERFRAME, HINTWINDOW, SKINCOLORS, SKINOBJECTS and
    // SKINCONTROLS, each record's section right after its index entry.
    void writeDescription(SkinDescription& description) const;
    // The package of the loaded skin: its bitmaps and its description.
    SkinPackage makePackage() const;

    // --- clearing and editing
    // clearAll, then the three change notices.
    void clearSkin();
    // clearObjects, the three slot bitmaps and their names; empty() is true.
    void clearAll();
    // Frees every record and active picture; the fixed records and the
    // skin colours return to their defaults.
    void clearObjects();

    // The fields of the general sections "VERSION" (after its "ver" key) and
    // "FORMINFO", in writing order: the lists loading and saving use, for
    // any other walk over their keys.
    void visitVersionFields(FieldVisitor& visitor);
    void visitFormInfoFields(FieldVisitor& visitor);

    // Sends a notice to the application's windows: the owner window first
    // unless layered borders are on; back to front when layered borders are
    // on and the skin has a layered frame, else front to back; layered
    // border windows are left out.
    void sendSkinDataMessage(int message);

    // --- the general sections of the loaded skin
    // VERSION
    std::string skinName;
    std::string skinAuthor;
    std::string authorEmail;
    std::string authorURL;
    std::string skinComments;
    // FORMINFO: see FormInfoKeys.
    // The fixed records, reloaded in place.
    DataSkinPopupWindow popupWindow;
    DataSkinLayerFrame layerFrame;
    DataSkinHintWindow hintWindow;

private:
    // Runs one load: the before-change notice, clearAll, loadData (false:
    // the data was rejected), and the closing notices, also on failure.
    void runLoad(const std::function<bool()>& loadData);
    void finishChange(bool loaded);
    // VERSION, and the file names of PICTURES.
    void readNames(const SkinDescription& description);
    // FORMINFO and every section after it.
    void readDescription(const SkinDescription& description);
    void adjustFormInfo();
    void resetGeneralSections();

    SkinNotifier* m_notifier = nullptr;
    SkinNoticeReceiver* m_ownerWindow = nullptr;
    LoadDataHandler m_onLoadData;
    ResourceStrData* m_resourceStrData = nullptr;
    SkinOptions m_options;
    SkinColors m_skinColors;
    bool m_empty = true;
    bool m_changeSkinDataProcess = false;
    DibBitmap m_picture;
    DibBitmap m_inActivePicture;
    DibBitmap m_mask;
    std::vector<DibBitmap> m_activePictures;
    std::string m_pictureName;
    std::string m_inActivePictureName;
    std::string m_maskName;
    std::vector<std::string> m_activePicturesNames;
    std::vector<std::unique_ptr<DataSkinObject>> m_objectList;
    std::vector<std::unique_ptr<DataSkinControl>> m_ctrlList;
};

} // namespace tessaly::skin
