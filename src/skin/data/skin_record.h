#pragma once

#include "skin/data/skin_fields.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace tessaly::skin {

// The shared base of the object and control records: a record is created
// with its name, which is also the name of its section in the description.
class SkinRecord : public FieldRecord {
public:
    explicit SkinRecord(std::string idName = {})
        : idName(std::move(idName))
    {
    }

    // Reads the record's keys from its section (defaults for absent keys).
    virtual void loadFromFile(const SkinDescription& description) { readSection(description, idName); }
    // Erases the record's section and writes every key.
    virtual void saveToFile(SkinDescription& description) const { writeSection(description, idName); }

    // The type name that selects the record's class in the description
    // ("button", "menuitem", ...); empty for the classes that are only bases.
    virtual std::string_view typeName() const { return {}; }

    std::string idName;
};

// The record classes of one index section by type name: a table of
// {"type", makeRecord<Family, Record>} rows, searched for an exact match.
template <class Family>
using RecordCreator = std::pair<std::string_view, std::unique_ptr<Family> (*)(std::string idName)>;

template <class Family, class Record>
std::unique_ptr<Family> makeRecord(std::string idName)
{
    return std::make_unique<Record>(std::move(idName));
}

// The record the table makes for a type name, or null for a type not in it.
template <class Family, std::size_t N>
std::unique_ptr<Family> createFromTable(const RecordCreator<Family> (&table)[N], std::string_view type,
                                        std::string idName)
{
    for (const auto& [name, make] : table)
        if (name == type)
            return make(std::move(idName));
    return nullptr;
}

} // namespace tessaly::skin
