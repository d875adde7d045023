#include "skin/data/skin_description.h"

#include "skin/data/skin_values.h"

#include <algorithm>
#include <string>

namespace tessaly::skin {

namespace {

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

const std::string* SkinDescription::Section::find(std::string_view key) const
{
    for (const Entry& entry : entries)
        if (entry.hasValue && equalsIgnoringCase(entry.key, key))
            return &entry.value;
    return nullptr;
}

SkinDescription SkinDescription::fromText(std::string_view text)
{
    SkinDescription description;
    Section* current = nullptr;
    while (!text.empty()) {
        std::size_t end = text.find_first_of("\r\n");
        std::string_view line = trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            description.m_sections.push_back({std::string(trim(line.substr(1, line.size() - 2))), {}});
            current = &description.m_sections.back();
            continue;
        }
        if (!current)
            continue;
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            current->entries.push_back({std::string(line), {}, false});
        else
            current->entries.push_back(
                {std::string(trim(line.substr(0, equals))), std::string(trim(line.substr(equals + 1))), true});
    }
    return description;
}

std::string SkinDescription::toText() const
{
    std::string text;
    for (const Section& section : m_sections) {
        text += '[';
        text += section.name;
        text += "]\r\n";
        for (const Entry& entry : section.entries) {
            text += entry.key;
            if (entry.hasValue) {
                text += '=';
                text += entry.value;
            }
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

const SkinDescription::Section* SkinDescription::findSection(std::string_view name) const
{
    // Only the first section of a name is ever reached; it exists when it
    // holds at least one line.
    for (const Section& section : m_sections)
        if (equalsIgnoringCase(section.name, name))
            return section.entries.empty() ? nullptr : &section;
    return nullptr;
}

const std::string* SkinDescription::find(std::string_view section, std::string_view key) const
{
    const Section* s = findSection(section);
    return s ? s->find(key) : nullptr;
}

std::string SkinDescription::readString(std::string_view section, std::string_view key, std::string_view def) const
{
    const std::string* value = find(section, key);
    return value ? *value : std::string(def);
}

int SkinDescription::readInteger(std::string_view section, std::string_view key, int def) const
{
    const std::string* value = find(section, key);
    return value ? parseInteger(*value, def) : def;
}

std::vector<std::pair<int, const std::string*>> SkinDescription::Section::numberedValues(int count) const
{
    std::vector<std::pair<int, const std::string*>> values;
    for (const Entry& entry : entries) {
        // Only the plain decimal form names an index: "7", not "07" or "+7".
        const std::string& key = entry.key;
        if (!entry.hasValue || key.empty() || key.size() > 10 || (key[0] == '0' && key.size() > 1))
            continue;
        if (key.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const long long index = std::stoll(key);
        if (index < count)
            values.emplace_back(int(index), &entry.value);
    }
    // The first line of an index wins.
    std::stable_sort(values.begin(), values.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    values.erase(std::unique(values.begin(), values.end(),
                             [](const auto& a, const auto& b) { return a.first == b.first; }),
                 values.end());
    return values;
}

std::vector<std::string> SkinDescription::readStringList(std::string_view section, std::string_view name) const
{
    std::vector<std::string> list;
    const Section* s = findSection(section);
    if (!s)
        return list;
    const auto items = s->numberedValues(stringListCount(section, name));
    if (!items.empty())
        list.resize(std::size_t(items.back().first) + 1);
    for (const auto& [index, value] : items)
        list[std::size_t(index)] = *value;
    return list;
}

int SkinDescription::stringListCount(std::string_view section, std::string_view name) const
{
    const std::string* countText = find(section, std::string(name) + "count");
    return countText ? std::max(0, parseInteger(*countText, 0)) : 0;
}

int SkinDescription::firstMissingListItem(std::string_view section, std::string_view name) const
{
    const int count = stringListCount(section, name);
    const Section* s = findSection(section);
    if (count == 0)
        return -1;
    if (!s)
        return 0;
    // The indices present come in order; the first gap is the answer.
    int expected = 0;
    for (const auto& [index, value] : s->numberedValues(count)) {
        if (index != expected)
            return expected;
        ++expected;
    }
    return expected < count ? expected : -1;
}

SkinDescription::Section& SkinDescription::sectionForWriting(std::string_view name)
{
    for (Section& section : m_sections)
        if (equalsIgnoringCase(section.name, name))
            return section;
    m_sections.push_back({std::string(name), {}});
    return m_sections.back();
}

void SkinDescription::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    Section& s = sectionForWriting(section);
    for (Entry& entry : s.entries) {
        if (entry.hasValue && equalsIgnoringCase(entry.key, key)) {
            entry.value = std::string(value);
            return;
        }
    }
    s.entries.push_back({std::string(key), std::string(value), true});
}

void SkinDescription::writeInteger(std::string_view section, std::string_view key, int value)
{
    writeString(section, key, std::to_string(value));
}

void SkinDescription::writeStringList(std::string_view section, std::string_view name,
                                      const std::vector<std::string>& list)
{
    writeInteger(section, std::string(name) + "count", int(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i)
        writeString(section, std::to_string(i), list[i]);
}

void SkinDescription::eraseSection(std::string_view name)
{
    std::erase_if(m_sections, [name](const Section& s) { return equalsIgnoringCase(s.name, name); });
}

} // namespace tessaly::skin
