#pragma once

#include "skin/data/compressed_stored_skin.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessaly::skin {

class SkinListItems;

// An item of a skin list: one stored skin with its names.
class SkinListItem {
public:
    // Made by SkinListItems::add: the name is "skSkin<index>" with the
    // item's index in the collection at that moment.
    SkinListItem(SkinListItems* collection, int index);
    SkinListItem(const SkinListItem&) = delete;
    SkinListItem& operator=(const SkinListItem&) = delete;

    SkinListItems* collection() const { return m_collection; }

    // The item's stored skin, owned by the item.
    CompressedStoredSkin& skin() { return m_skin; }
    const CompressedStoredSkin& skin() const { return m_skin; }

    const std::string& description() const { return m_description; }
    void setDescription(const std::string& description) { m_description = description; }
    // As the stored skin's: while the list's design is edited, setting them
    // imports into skin() and keeps only the file-name part.
    const std::string& fileName() const { return m_fileName; }
    void setFileName(const std::string& fileName);
    const std::string& compressedFileName() const { return m_compressedFileName; }
    void setCompressedFileName(const std::string& compressedFileName);
    // The item's name and display name.
    const std::string& name() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }

    // The "Skin" design value: a complete stored skin blob, read with
    // loadFromCompressStream and written with saveToCompressStream.
    void readSkinValue(std::span<const std::uint8_t> value);
    std::vector<std::uint8_t> skinValue() const;

    // Copies the stored skin and every name from another item.
    void assign(const SkinListItem& other);

private:
    bool designEdited() const;

    SkinListItems* m_collection;
    CompressedStoredSkin m_skin;
    std::string m_description;
    std::string m_fileName;
    std::string m_compressedFileName;
    std::string m_name;
};

} // namespace tessaly::skin
