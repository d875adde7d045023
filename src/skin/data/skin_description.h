#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaly::skin {

// A skin description: an INI-style text of sections and keys.
//
// Parsing: every line is trimmed; empty lines and lines starting with ";"
// are skipped; "[name]" opens a section (lines before the first one are
// ignored); any other line is a key of the current section, split at its
// first "=" into a trimmed name and value. A line without "=" is kept (it
// makes its section exist and is written back) but has no value, so reading
// it gives the default. Section and key names match without regard to
// letter case; the first section and the first key of a name win, so a
// repeated section or key is kept but never reached.
class SkinDescription {
public:
    struct Entry {
        std::string key;
        std::string value;
        bool hasValue = true;
    };

    struct Section {
        std::string name;
        std::vector<Entry> entries;

        // The value of the first key named `key` (any letter case), or null.
        const std::string* find(std::string_view key) const;
        // The values of the keys "0" to count - 1 that the section holds,
        // in index order: the entries of an index section or a list, found
        // without walking a count the text may have made huge.
        std::vector<std::pair<int, const std::string*>> numberedValues(int count) const;
    };

    SkinDescription() = default;
    static SkinDescription fromText(std::string_view text);

    // Every section as "[name]", its lines, and one empty line, each line
    // ended by CR LF.
    std::string toText() const;

    // The first section of that name, or null when it holds no line.
    const Section* findSection(std::string_view name) const;
    bool sectionExists(std::string_view name) const { return findSection(name) != nullptr; }

    const std::string* find(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view def) const;
    int readInteger(std::string_view section, std::string_view key, int def) const;
    // A list stored as "<name>count" and the keys "0", "1", ...: the one
    // reader of numbered lists. A missing item is empty, and missing items
    // after the last one present are left out (a count the text made huge
    // costs nothing).
    std::vector<std::string> readStringList(std::string_view section, std::string_view name) const;
    // The count a list states (0 when absent or negative) and the first
    // index below it whose key the section lacks, or -1 when none is
    // missing. Loaders that need every item report that entry.
    int stringListCount(std::string_view section, std::string_view name) const;
    int firstMissingListItem(std::string_view section, std::string_view name) const;

    // Sets the first key of that name, or appends it to the section; a
    // missing section is appended to the description.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);
    void writeStringList(std::string_view section, std::string_view name, const std::vector<std::string>& list);
    // Removes every section of that name.
    void eraseSection(std::string_view name);

    const std::vector<Section>& sections() const { return m_sections; }

private:
    Section& sectionForWriting(std::string_view name);

    std::vector<Section> m_sections;
};

// ASCII letters compared without regard to case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace tessaly::skin
