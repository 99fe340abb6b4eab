#include "IniFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "AtomicFile.h"
#include "RegularFile.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kBlanks = " \t";

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// A value cannot carry a line break without breaking the file's line structure.
std::string_view FirstLineOf(std::string_view value) {
    return value.substr(0, value.find_first_of("\r\n"));
}

}  // namespace

namespace rad {

int ParseProfileInt(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

std::optional<int> ParseProfileIntChecked(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    std::size_t i = 0;
    const bool negative = !trimmed.empty() && trimmed[0] == '-';
    if (!trimmed.empty() && (trimmed[0] == '-' || trimmed[0] == '+')) ++i;
    // Magnitudes up to 2^31 are representable (the least int); beyond, a digit more wraps.
    constexpr int64_t kLimit = int64_t{1} << 31;
    int64_t value = 0;
    for (; i < trimmed.size() && trimmed[i] >= '0' && trimmed[i] <= '9'; ++i) {
        value = value * 10 + (trimmed[i] - '0');
        if (value > kLimit) return std::nullopt;
    }
    if (!negative && value == kLimit) return std::nullopt;
    return ParseProfileInt(text);
}

}  // namespace rad

CIniFile::Line CIniFile::ParseLine(std::string text) {
    Line line;
    const std::string_view body = Trim(text);
    if (!body.empty() && body.front() == '[') {
        const auto close = body.find(']');
        line.kind = Line::kSection;
        line.name = Trim(body.substr(1, close == std::string_view::npos ? close : close - 1));
    } else if (!body.empty() && body.front() != ';') {
        const auto eq = body.find('=');
        if (eq != std::string_view::npos && !Trim(body.substr(0, eq)).empty()) {
            line.kind = Line::kKey;
            line.name = Trim(body.substr(0, eq));
            std::string_view value = Trim(body.substr(eq + 1));
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
            line.value = value;
        }
    }
    line.text = std::move(text);
    return line;
}

void CIniFile::SetText(std::string_view text) {
    m_lines.clear();
    m_bByteOrderMark = text.substr(0, kByteOrderMark.size()) == kByteOrderMark;
    if (m_bByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    const auto firstLf = text.find('\n');
    m_bCrLf = firstLf == std::string_view::npos || (firstLf > 0 && text[firstLf - 1] == '\r');
    while (!text.empty()) {
        const auto lf = text.find('\n');
        std::string_view piece = text.substr(0, lf);
        text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
        // Every CR at a line's end goes: one kept in the text would be written back as part of
        // a CR LF and lost at the next read, so the profile would change with each save.
        while (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
        m_lines.push_back(ParseLine(std::string(piece)));
    }
}

std::string CIniFile::GetText() const {
    const char* eol = m_bCrLf ? "\r\n" : "\n";
    std::string out;
    if (m_bByteOrderMark) out += kByteOrderMark;
    for (const Line& line : m_lines) {
        out += line.text;
        out += eol;
    }
    return out;
}

bool CIniFile::Load(const std::string& path) {
    SetText({});
    const auto data = rad::ReadRegularFile(path);
    if (!data) return false;
    SetText(*data);
    return true;
}

bool CIniFile::Save(const std::string& path) const {
    errno = rad::WriteFileAtomic(path, GetText());
    return errno == 0;
}

bool CIniFile::HasEntries() const {
    return std::any_of(m_lines.begin(), m_lines.end(),
                       [](const Line& line) { return line.kind != Line::kOther; });
}

int CIniFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Line::kSection && SameName(m_lines[i].name, section)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CIniFile::FindKey(int header, std::string_view key) const {
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Line::kSection) break;
        if (m_lines[i].kind == Line::kKey && SameName(m_lines[i].name, key)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CIniFile::SectionInsertPoint(int header) const {
    int end = header + 1;
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Line::kSection) break;
        if (!Trim(m_lines[i].text).empty()) end = static_cast<int>(i) + 1;
    }
    return end;
}

bool CIniFile::HasSection(std::string_view section) const { return FindSection(section) >= 0; }

bool CIniFile::HasKey(std::string_view section, std::string_view key) const {
    const int header = FindSection(section);
    return header >= 0 && FindKey(header, key) >= 0;
}

std::vector<std::string> CIniFile::GetKeys(std::string_view section) const {
    std::vector<std::string> keys;
    const int header = FindSection(section);
    if (header < 0) return keys;
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Line::kSection) break;
        if (m_lines[i].kind == Line::kKey &&
            FindKey(header, m_lines[i].name) == static_cast<int>(i)) {
            keys.push_back(m_lines[i].name);
        }
    }
    return keys;
}

std::string CIniFile::GetString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const int header = FindSection(section);
    const int index = header >= 0 ? FindKey(header, key) : -1;
    if (index < 0) return std::string(defaultValue);
    return m_lines[static_cast<std::size_t>(index)].value;
}

int CIniFile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::string text = GetString(section, key, "");
    if (text.empty()) return defaultValue;
    return rad::ParseProfileIntChecked(text).value_or(defaultValue);
}

void CIniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    value = FirstLineOf(value);
    int header = FindSection(section);
    if (header < 0) {
        // Appended piece by piece: GCC 12 at -O3 misreads "[" + std::string as an overlapping copy.
        std::string text = "[";
        text.append(section).append("]");
        m_lines.push_back(ParseLine(text));
        header = static_cast<int>(m_lines.size()) - 1;
    }
    const int index = FindKey(header, key);
    if (index >= 0) {
        // Keep the key's spelling as the file has it.
        Line& line = m_lines[static_cast<std::size_t>(index)];
        line = ParseLine(line.name + "=" + std::string(value));
        return;
    }
    m_lines.insert(m_lines.begin() + SectionInsertPoint(header),
                   ParseLine(std::string(key) + "=" + std::string(value)));
}

void CIniFile::SetInt(std::string_view section, std::string_view key, int value) {
    SetString(section, key, std::to_string(value));
}

void CIniFile::DeleteKey(std::string_view section, std::string_view key) {
    const int header = FindSection(section);
    const int index = header >= 0 ? FindKey(header, key) : -1;
    if (index >= 0) m_lines.erase(m_lines.begin() + index);
}
