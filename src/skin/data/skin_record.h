#pragma once

#include "skin/data/skin_fields.h"

#include <memory>
#include <string>
#include <string_view>

namespace tessaly::skin {

// The shared base of the object and control records: a record is created
// with its name, which is also the name of its section in the description.
class SkinRecord : public FieldRecord {
public:
    explicit SkinRecord(std::string idName)
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

} // namespace tessaly::skin
