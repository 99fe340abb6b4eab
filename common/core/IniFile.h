#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A settings profile in the INI form both programs share with their counterparts on the
// other platform. Reads follow the Windows private-profile rules: section and key names
// match case-insensitively, blanks around names and values are dropped, a value wholly
// inside a pair of matching quotes loses them, the first of duplicate keys wins. Every line
// the program does not set (unknown sections and keys, ";" comments, blank lines) is written
// back exactly as it was read.
class CIniFile {
  public:
    // Reads a regular file; false (and an empty profile) with errno set when it cannot be
    // read. A FIFO or device is refused rather than waited on.
    bool Load(const std::string& path);
    // Writes through a temporary file in the same folder renamed over the target, so a
    // failed write leaves the old file as it was; false with errno set.
    bool Save(const std::string& path) const;

    void SetText(std::string_view text);
    std::string GetText() const;

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    // Key names of a section in file order (first spelling of each).
    std::vector<std::string> GetKeys(std::string_view section) const;

    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // Missing key or empty value: the default; otherwise ParseProfileInt, but a number beyond
    // 32 bits (which would wrap round) is refused and gives the default too.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    // True when a line names a section or a key: a file without any is no profile.
    bool HasEntries() const;

    // Updates the key's line in place, or appends "KEY=value" after the section's last
    // entry, or appends the section at the end of the file.
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int value);
    void DeleteKey(std::string_view section, std::string_view key);

  private:
    struct Line {
        enum Kind { kOther, kSection, kKey } kind = kOther;
        std::string text;   // the line as it stands in the file, without its line ending
        std::string name;   // section or key name, trimmed
        std::string value;  // key value as a read returns it
    };
    static Line ParseLine(std::string text);
    // Index of the section's header line, or -1.
    int FindSection(std::string_view section) const;
    // Index of the key's line inside the section starting at header, or -1.
    int FindKey(int header, std::string_view key) const;
    // One past the section's last non-blank line.
    int SectionInsertPoint(int header) const;

    std::vector<Line> m_lines;
    bool m_bByteOrderMark = false;
    bool m_bCrLf = true;  // new files use CR LF like the programs of the other platform
};

namespace rad {

// Integer of a profile value as the Windows profile integer read parses it: leading blanks,
// an optional sign, decimal digits up to the first other character (so "0x10" gives 0 and
// "12abc" 12), no digits give 0; the digits wrap around in 32 bits.
int ParseProfileInt(std::string_view text);
// The same, but nullopt when the number does not fit in 32 bits instead of wrapping round.
std::optional<int> ParseProfileIntChecked(std::string_view text);

}  // namespace rad
