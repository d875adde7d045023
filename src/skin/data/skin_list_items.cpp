#include "skin/data/skin_list_items.h"

#include <stdexcept>

namespace tessaly::skin {

SkinListItem& SkinListItems::add()
{
    m_items.push_back(std::make_unique<SkinListItem>(this, count()));
    return *m_items.back();
}

void SkinListItems::remove(int index)
{
    if (index < 0 || index >= count())
        throw std::out_of_range("SkinListItems::remove");
    m_items.erase(m_items.begin() + index);
}

void SkinListItems::assign(const SkinListItems& other)
{
    if (&other == this)
        return;
    std::vector<std::unique_ptr<SkinListItem>> items;
    items.reserve(other.m_items.size());
    for (const auto& source : other.m_items) {
        items.push_back(std::make_unique<SkinListItem>(this, int(items.size())));
        items.back()->assign(*source);
    }
    m_items = std::move(items);
}

} // namespace tessaly::skin
