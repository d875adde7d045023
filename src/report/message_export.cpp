#include "report/message_export.h"

#include "report/ascii_text.h"

#include <cstdint>

namespace tessaly::report {

namespace {

// The file as the checker names it: with its fragment, if any.
std::string fileOf(const ReportMessage& message)
{
    return message.fragment.empty() ? message.file : message.file + "#" + message.fragment;
}

std::string numberOrEmpty(const std::optional<int>& value)
{
    return value ? std::to_string(*value) : std::string();
}

void appendCsvField(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// The length of the valid UTF-8 sequence at text[at], or 0 when the bytes
// there are not one (overlong forms, surrogates and values past U+10FFFF
// included).
std::size_t utf8Length(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    std::size_t length = 0;
    std::uint32_t value = 0;
    if (first < 0x80)
        return 1;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        value = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        value = first & 0x0F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        value = first & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return overlong || surrogate || value > 0x10FFFF ? 0 : length;
}

void appendJsonString(std::string& out, std::string_view text)
{
    static const char digits[] = "0123456789abcdef";
    out += '"';
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        const std::size_t length = utf8Length(text, at);
        if (length == 0) {
            out += "\xEF\xBF\xBD"; // U+FFFD
            ++at;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += "\\u00";
            out += digits[(c >> 4) & 0xF];
            out += digits[c & 0xF];
        } else {
            out.append(text.substr(at, length));
        }
        at += length;
    }
    out += '"';
}

void appendJsonNumber(std::string& out, const std::optional<int>& value)
{
    out += value ? std::to_string(*value) : "null";
}

} // namespace

ReportFormat reportFormatOf(std::string_view fileName, ReportFormat chosen)
{
    if (endsWithFolded(fileName, ".csv"))
        return ReportFormat::Csv;
    if (endsWithFolded(fileName, ".json"))
        return ReportFormat::Json;
    if (endsWithFolded(fileName, ".txt"))
        return ReportFormat::Text;
    return chosen;
}

std::string messagesAsCsv(const std::vector<ReportMessage>& messages)
{
    std::string out = "severity,code,file,line,column,text\r\n";
    for (const ReportMessage& message : messages) {
        const std::string fields[] = {std::string(severityName(message.severity)), message.code, fileOf(message),
            numberOrEmpty(message.line), numberOrEmpty(message.column), message.text};
        for (std::size_t i = 0; i < std::size(fields); ++i) {
            if (i > 0)
                out += ',';
            appendCsvField(out, fields[i]);
        }
        out += "\r\n";
    }
    return out;
}

std::string messagesAsJson(std::string_view book, const std::vector<ReportMessage>& messages)
{
    std::string out = "{\"book\": ";
    appendJsonString(out, book);
    out += ", \"messages\": [";
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const ReportMessage& message = messages[i];
        out += i == 0 ? "\n" : ",\n";
        out += "  {\"severity\": ";
        appendJsonString(out, severityName(message.severity));
        out += ", \"code\": ";
        appendJsonString(out, message.code);
        out += ", \"file\": ";
        if (message.file.empty())
            out += "null";
        else
            appendJsonString(out, fileOf(message));
        out += ", \"line\": ";
        appendJsonNumber(out, message.line);
        out += ", \"column\": ";
        appendJsonNumber(out, message.column);
        out += ", \"text\": ";
        appendJsonString(out, message.text);
        out += '}';
    }
    out += messages.empty() ? "]}\n" : "\n]}\n";
    return out;
}

} // namespace tessaly::report
