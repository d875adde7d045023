#pragma once

#include "skin/data/skin_list_item.h"

#include <memory>
#include <vector>

namespace tessaly::skin {

class CompressedSkinList;

// The collection of a skin list's items, in index order.
class SkinListItems {
public:
    explicit SkinListItems(CompressedSkinList* skinList = nullptr) : m_skinList(skinList) {}
    SkinListItems(const SkinListItems&) = delete;
    SkinListItems& operator=(const SkinListItems&) = delete;

    // The owning list (may be null).
    CompressedSkinList* owner() const { return m_skinList; }

    int count() const { return int(m_items.size()); }
    SkinListItem& item(int index) { return *m_items.at(std::size_t(index)); }
    const SkinListItem& item(int index) const { return *m_items.at(std::size_t(index)); }
    SkinListItem& operator[](int index) { return item(index); }
    const SkinListItem& operator[](int index) const { return item(index); }

    // Appends a new item named "skSkin<count before adding>".
    SkinListItem& add();
    void remove(int index);
    void clear() { m_items.clear(); }

    // Replaces the items with copies of other's.
    void assign(const SkinListItems& other);

private:
    CompressedSkinList* m_skinList;
    std::vector<std::unique_ptr<SkinListItem>> m_items;
};

} // namespace tessaly::skin
