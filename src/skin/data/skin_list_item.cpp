#include "skin/data/skin_list_item.h"

#include "skin/data/compressed_skin_list.h"
#include "skin/data/file_io.h"
#include "skin/data/skin_list_items.h"

namespace tessaly::skin {

SkinListItem::SkinListItem(SkinListItems* collection, int index)
    : m_collection(collection)
    , m_name("skSkin" + std::to_string(index))
{
}

bool SkinListItem::designEdited() const
{
    const CompressedSkinList* list = m_collection ? m_collection->owner() : nullptr;
    return list && list->designing() && !list->loading();
}

void SkinListItem::setFileName(const std::string& fileName)
{
    if (designEdited() && !fileName.empty()) {
        m_skin.loadFromIniFile(fileName);
        m_fileName = fileNamePart(fileName);
    } else {
        m_fileName = fileName;
    }
}

void SkinListItem::setCompressedFileName(const std::string& compressedFileName)
{
    if (designEdited() && !compressedFileName.empty()) {
        m_skin.loadFromCompressFile(compressedFileName);
        m_compressedFileName = fileNamePart(compressedFileName);
    } else {
        m_compressedFileName = compressedFileName;
    }
}

void SkinListItem::readSkinValue(std::span<const std::uint8_t> value)
{
    m_skin.loadFromCompressBytes(value);
}

std::vector<std::uint8_t> SkinListItem::skinValue() const
{
    return m_skin.saveToCompressBytes();
}

void SkinListItem::assign(const SkinListItem& other)
{
    if (&other == this)
        return;
    m_skin.readCompressedData(other.m_skin.compressedStream());
    m_skin.setName(other.m_skin.name());
    m_skin.setDescription(other.m_skin.description());
    m_skin.setFileName(other.m_skin.fileName());
    m_skin.setCompressedFileName(other.m_skin.compressedFileName());
    m_description = other.m_description;
    m_fileName = other.m_fileName;
    m_compressedFileName = other.m_compressedFileName;
    m_name = other.m_name;
}

} // namespace tessaly::skin
