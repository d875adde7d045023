#include "skin/data/skin_data.h"

#include "skin/data/bmp_codec.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/file_io.h"
#include "skin/data/resource_str_data.h"
#include "skin/data/skin_package.h"
#include "skin/data/skin_text.h"
#include "skin/data/skin_values.h"

#include "platform/error.h"

#include <algorithm>
#include <system_error>

namespace tessaly::skin {

namespace {

constexpr const char* kVersion = "VERSION";
constexpr const char* kPictures = "PICTURES";
constexpr const char* kFormInfo = "FORMINFO";
constexpr const char* kSkinObjects = "SKINOBJECTS";
constexpr const char* kSkinControls = "SKINCONTROLS";

void versionFields(SkinData& r, FieldVisitor& v)
{
    v.text("skinname", r.skinName);
    v.text("skinauthor", r.skinAuthor);
    v.text("authoremail", r.authorEmail);
    v.text("authorurl", r.authorURL);
    v.text("skincomments", r.skinComments);
}

// An index entry "name:type", split at its first ":"; no ":" gives an empty
// name and type.
std::pair<std::string, std::string> splitEntry(const std::string& entry)
{
    const std::size_t colon = entry.find(':');
    if (colon == std::string::npos)
        return {};
    return {entry.substr(0, colon), entry.substr(colon + 1)};
}

template <class Record, class Create>
void readIndexSection(const SkinDescription& description, const char* section, Create create,
                      std::vector<std::unique_ptr<Record>>& list)
{
    const SkinDescription::Section* index = description.findSection(section);
    if (!index)
        return;
    const std::string* countText = index->find("count");
    for (const auto& entry : index->numberedValues(countText ? parseInteger(*countText, 0) : 0)) {
        auto [name, type] = splitEntry(*entry.second);
        std::unique_ptr<Record> record = create(type, std::move(name));
        if (!record)
            continue;
        list.push_back(std::move(record));
        list.back()->loadFromFile(description);
    }
}

template <class Record>
void writeIndexSection(SkinDescription& description, const char* section,
                       const std::vector<std::unique_ptr<Record>>& list)
{
    description.eraseSection(section);
    description.writeInteger(section, "count", int(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Record& record = *list[i];
        description.writeString(section, std::to_string(i), record.idName + ":" + std::string(record.typeName()));
        record.saveToFile(description);
    }
}

template <class Record>
int indexOf(const std::vector<std::unique_ptr<Record>>& list, std::string_view idName)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->idName == idName)
            return int(i);
    return -1;
}

DibBitmap loadSlotBitmap(const std::filesystem::path& folder, const std::string& name, PixelBudget& budget)
{
    if (name.empty())
        return {};
    return loadBitmapFile(resolveSkinFile(folder, name), &budget);
}

} // namespace

void FormInfoKeys::fields(FieldVisitor& v)
{
    CornerKeys::fields(v);
    v.rect("clientrect", clRect);
    v.integer("bgpictureindex", bgPictureIndex, -1);
    v.integer("mdibgpictureindex", mdibgPictureIndex, -1);
    WindowStretchKeys::fields(v);
    v.boolean("mdibgstretcheffect", mdibgStretchEffect);
    v.stretchType("mdibgstretchtype", mdibgStretchType);
    v.rect("maskrectarea", maskRectArea);
    v.point("hittestlefttoppoint", hitTestLTPoint);
    v.point("hittestrighttoppoint", hitTestRTPoint);
    v.point("hittestleftbottompoint", hitTestLBPoint);
    v.point("hittestrightbottompoint", hitTestRBPoint);
    v.rect("buttonsrect", buttonsRect);
    v.rect("captionrect", captionRect);
    v.integer("buttonsoffset", buttonsOffset);
    v.boolean("buttonsinleft", capButtonsInLeft);
    v.boolean("mainmenupopupup", mainMenuPopupUp);
    v.integer("borderwidth", borderW);
    v.boolean("autorenderinginactiveimage", autoRenderingInActiveImage);
    v.inActiveEffect("inactiveeffect", inActiveEffect);
    v.integer("formminwidth", formMinWidth, 0, kMaxWindowSize);
    v.integer("formminheight", formMinHeight, 0, kMaxWindowSize);
    v.boolean("mditabstransparent", mdiTabsTransparent);
    v.boolean("mainmenubartransparent", mainMenuBarTransparent);
}

SkinData::SkinData()
{
    resetGeneralSections();
}

SkinData::~SkinData() = default;

void SkinData::setResourceStrData(ResourceStrData* strings)
{
    m_resourceStrData = strings;
    sendSkinDataMessage(SKINMSG_RESOURCE_STRINGS);
}

void SkinData::setOptions(const SkinOptions& options)
{
    const bool layeredBordersChange = options.showLayeredBorders != m_options.showLayeredBorders;
    m_options = options;
    if (layeredBordersChange)
        sendSkinDataMessage(SKINMSG_LAYERED_BORDERS);
}

const Picture* SkinData::activePicture(int index) const
{
    if (index < 0 || std::size_t(index) >= m_activePictures.size())
        return nullptr;
    return &m_activePictures[std::size_t(index)].picture();
}

int SkinData::getIndex(std::string_view idName) const
{
    return indexOf(m_objectList, idName);
}

int SkinData::getControlIndex(std::string_view idName) const
{
    return indexOf(m_ctrlList, idName);
}

void SkinData::runLoad(const std::function<bool()>& loadData)
{
    m_empty = true;
    m_changeSkinDataProcess = true;
    sendSkinDataMessage(SKINMSG_BEFORE_CHANGE);
    bool loaded = false;
    try {
        clearAll();
        loaded = loadData();
    } catch (...) {
        // The windows wait for the change to end; they get a cleared,
        // consistent registry and fall back to their default look.
        clearAll();
        finishChange(false);
        throw;
    }
    if (!loaded)
        clearAll();
    finishChange(loaded);
}

void SkinData::finishChange(bool loaded)
{
    m_empty = !loaded;
    if (loaded && m_onLoadData)
        m_onLoadData(*this);
    sendSkinDataMessage(SKINMSG_CHANGE);
    m_changeSkinDataProcess = false;
    sendSkinDataMessage(SKINMSG_AFTER_CHANGE);
}

void SkinData::loadCompressedStoredSkin(const CompressedStoredSkin& storedSkin)
{
    if (storedSkin.isEmpty())
        return;
    runLoad([&] {
        SkinPackage package;
        if (!storedSkin.readPackage(package))
            return false;
        m_picture = std::move(package.picture);
        m_inActivePicture = std::move(package.inactivePicture);
        m_mask = std::move(package.mask);
        m_activePictures = std::move(package.activePictures);
        const SkinDescription description = SkinDescription::fromText(package.description);
        readNames(description);
        readDescription(description);
        return true;
    });
}

void SkinData::loadFromFile(const std::filesystem::path& fileName)
{
    const SkinDescription description = SkinDescription::fromText(decodeSkinText(readWholeFile(fileName)));
    for (const char* section : {kVersion, kPictures, kFormInfo, kSkinObjects, kSkinControls})
        if (!description.sectionExists(section))
            return;
    // Every active picture must name a file; checked before the registry
    // changes, so a faulty list leaves the loaded skin as it was.
    requireActivePictureFiles(readSkinPictureNames(description));
    const std::filesystem::path folder = fileName.parent_path();
    runLoad([&] {
        readNames(description);
        PixelBudget budget;
        m_picture = loadSlotBitmap(folder, m_pictureName, budget);
        m_inActivePicture = loadSlotBitmap(folder, m_inActivePictureName, budget);
        m_mask = loadSlotBitmap(folder, m_maskName, budget);
        for (const std::string& name : m_activePicturesNames)
            m_activePictures.push_back(loadBitmapFile(resolveSkinFile(folder, name), &budget));
        readDescription(description);
        return true;
    });
}

void SkinData::visitVersionFields(FieldVisitor& visitor)
{
    versionFields(*this, visitor);
}

void SkinData::visitFormInfoFields(FieldVisitor& visitor)
{
    FormInfoKeys::fields(visitor);
}

void SkinData::readNames(const SkinDescription& description)
{
    FieldReader version(description.findSection(kVersion));
    versionFields(*this, version);
    m_pictureName = description.readString(kPictures, "picture", "");
    m_inActivePictureName = description.readString(kPictures, "inactivepicture", "");
    m_maskName = description.readString(kPictures, "mask", "");
    m_activePicturesNames = description.readStringList(kPictures, "activepictures");
}

void SkinData::readDescription(const SkinDescription& description)
{
    FieldReader formInfo(description.findSection(kFormInfo));
    FormInfoKeys::fields(formInfo);
    adjustFormInfo();
    popupWindow.loadFromFile(description);
    layerFrame.loadFromFile(description);
    hintWindow.loadFromFile(description);
    m_skinColors.loadFromFile(description);
    readIndexSection(description, kSkinObjects, createObjectRecord, m_objectList);
    readIndexSection(description, kSkinControls, createControlRecord, m_ctrlList);
}

void SkinData::adjustFormInfo()
{
    if (!m_maskName.empty()) {
        if (maskRectArea.isEmpty()) {
            maskRectArea = clRect;
        } else {
            maskRectArea.left = std::min(maskRectArea.left, clRect.left);
            maskRectArea.top = std::min(maskRectArea.top, clRect.top);
            maskRectArea.right = std::max(maskRectArea.right, clRect.right);
            maskRectArea.bottom = std::max(maskRectArea.bottom, clRect.bottom);
        }
        if (hitTestLTPoint.isUnset())
            hitTestLTPoint = ltPoint;
        if (hitTestRTPoint.isUnset())
            hitTestRTPoint = rtPoint;
        if (hitTestLBPoint.isUnset())
            hitTestLBPoint = lbPoint;
        if (hitTestRBPoint.isUnset())
            hitTestRBPoint = rbPoint;
    }
    if (rbPoint.x == ltPoint.x || rbPoint.y == ltPoint.y)
        return;
    ltPoint.x = std::max(ltPoint.x, clRect.left);
    ltPoint.y = std::max(ltPoint.y, clRect.top);
    rtPoint.x = std::min(rtPoint.x, clRect.right);
    rtPoint.y = std::max(rtPoint.y, clRect.top);
    lbPoint.x = std::max(lbPoint.x, clRect.left);
    lbPoint.y = std::min(lbPoint.y, clRect.bottom);
    rbPoint.x = std::min(rbPoint.x, clRect.right);
    rbPoint.y = std::min(rbPoint.y, clRect.bottom);
}

void SkinData::writeDescription(SkinDescription& description) const
{
    // Writing only reads the fields; the field lists are shared with reading.
    auto& self = const_cast<SkinData&>(*this);

    description.eraseSection(kVersion);
    description.writeInteger(kVersion, "ver", 1);
    FieldWriter version(description, kVersion);
    versionFields(self, version);

    description.eraseSection(kPictures);
    description.writeString(kPictures, "picture", m_pictureName);
    description.writeString(kPictures, "inactivepicture", m_inActivePictureName);
    description.writeString(kPictures, "mask", m_maskName);
    description.writeStringList(kPictures, "activepictures", m_activePicturesNames);

    description.eraseSection(kFormInfo);
    FieldWriter formInfo(description, kFormInfo);
    self.FormInfoKeys::fields(formInfo);

    popupWindow.saveToFile(description);
    layerFrame.saveToFile(description);
    hintWindow.saveToFile(description);
    m_skinColors.saveToFile(description);
    writeIndexSection(description, kSkinObjects, m_objectList);
    writeIndexSection(description, kSkinControls, m_ctrlList);
}

SkinPackage SkinData::makePackage() const
{
    SkinPackage package;
    package.picture = m_picture;
    package.inactivePicture = m_inActivePicture;
    package.mask = m_mask;
    package.activePictures = m_activePictures;
    SkinDescription description;
    writeDescription(description);
    package.description = description.toText();
    return package;
}

void SkinData::saveToFile(const std::filesystem::path& fileName) const
{
    SkinDescription description;
    std::error_code error;
    if (std::filesystem::exists(fileName, error))
        description = SkinDescription::fromText(decodeSkinText(readWholeFile(fileName)));
    writeDescription(description);
    writeWholeFile(fileName, encodeSkinText(description.toText()));
}

void SkinData::storeToDisk(const std::filesystem::path& fileName) const
{
    saveToFile(fileName);
    const std::filesystem::path folder = fileName.parent_path();
    auto store = [&folder](const DibBitmap& bitmap, const std::string& name) {
        if (bitmap.isEmpty() || name.empty())
            return;
        // The names come from the skin: none may lead out of its folder.
        const std::filesystem::path target = resolveSkinFile(folder, name).lexically_normal();
        const std::filesystem::path inside = target.lexically_relative(folder.lexically_normal());
        if (inside.empty() || inside.is_absolute() || *inside.begin() == "..")
            throw Error("The bitmap name \"" + name + "\" leads out of the skin's folder");
        saveBitmapFile(target, bitmap);
    };
    store(m_picture, m_pictureName);
    store(m_inActivePicture, m_inActivePictureName);
    store(m_mask, m_maskName);
    const std::size_t count = std::min(m_activePictures.size(), m_activePicturesNames.size());
    for (std::size_t i = 0; i < count; ++i)
        store(m_activePictures[i], m_activePicturesNames[i]);
}

void SkinData::loadFromCompressedFile(const std::filesystem::path& fileName)
{
    CompressedStoredSkin storedSkin;
    storedSkin.loadFromCompressFile(fileName);
    if (!storedSkin.isEmpty())
        loadCompressedStoredSkin(storedSkin);
}

void SkinData::saveToCompressedFile(const std::filesystem::path& fileName) const
{
    CompressedStoredSkin storedSkin;
    storedSkin.loadFromSkinData(*this);
    storedSkin.saveToCompressFile(fileName);
}

void SkinData::clearSkin()
{
    clearAll();
    sendSkinDataMessage(SKINMSG_BEFORE_CHANGE);
    sendSkinDataMessage(SKINMSG_CHANGE);
    sendSkinDataMessage(SKINMSG_AFTER_CHANGE);
}

void SkinData::clearAll()
{
    clearObjects();
    m_picture.clear();
    m_inActivePicture.clear();
    m_mask.clear();
    m_pictureName.clear();
    m_inActivePictureName.clear();
    m_maskName.clear();
    m_empty = true;
}

void SkinData::clearObjects()
{
    m_objectList.clear();
    m_ctrlList.clear();
    m_activePictures.clear();
    m_activePicturesNames.clear();
    resetGeneralSections();
}

// Every load reads every key of these sections again, so their defaults are
// what a cleared registry holds: nothing of a previous or failed load stays.
void SkinData::resetGeneralSections()
{
    FieldDefaults defaults;
    versionFields(*this, defaults);
    FormInfoKeys::fields(defaults);
    popupWindow = DataSkinPopupWindow();
    layerFrame = DataSkinLayerFrame();
    hintWindow = DataSkinHintWindow();
    m_skinColors.setColorsToDefault();
}

void SkinData::sendSkinDataMessage(int message)
{
    const bool ownerFirst = m_ownerWindow && !m_options.showLayeredBorders;
    if (ownerFirst)
        m_ownerWindow->skinNotice(message, *this);
    if (!m_notifier)
        return;
    std::vector<SkinNoticeReceiver*> windows = m_notifier->windows();
    std::erase_if(windows, [&](SkinNoticeReceiver* window) {
        return !window || window->isLayeredBorderWindow() || (ownerFirst && window == m_ownerWindow);
    });
    if (m_options.showLayeredBorders && layerFrame.pictureIndex != -1)
        std::reverse(windows.begin(), windows.end());
    for (SkinNoticeReceiver* window : windows)
        window->skinNotice(message, *this);
}

} // namespace tessaly::skin
