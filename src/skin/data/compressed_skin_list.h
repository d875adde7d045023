#pragma once

#include "skin/data/skin_list_items.h"

#include <string>

namespace tessaly::skin {

// A list of stored skins, carried by a window in its design.
class CompressedSkinList {
public:
    CompressedSkinList() : m_skins(this) {}
    CompressedSkinList(const CompressedSkinList&) = delete;
    CompressedSkinList& operator=(const CompressedSkinList&) = delete;

    const std::string& name() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }

    SkinListItems& skins() { return m_skins; }
    const SkinListItems& skins() const { return m_skins; }
    // Copies the items.
    void setSkins(const SkinListItems& skins) { m_skins.assign(skins); }

    // The state of the window design that holds the list; its items import
    // files only while the design is edited (designing and not loading).
    bool designing() const { return m_designing; }
    void setDesigning(bool designing) { m_designing = designing; }
    bool loading() const { return m_loading; }
    void setLoading(bool loading) { m_loading = loading; }

private:
    std::string m_name;
    SkinListItems m_skins;
    bool m_designing = false;
    bool m_loading = false;
};

} // namespace tessaly::skin
