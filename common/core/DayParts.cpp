#include "DayParts.h"

#include <filesystem>
#include <tuple>

namespace rad {
namespace {

constexpr std::size_t kDateDigits = 8;
constexpr std::string_view kExtension = ".RSD";

bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

bool HasRsdExtension(std::string_view name) {
    if (name.size() < kExtension.size()) return false;
    const std::string_view tail = name.substr(name.size() - kExtension.size());
    for (std::size_t i = 0; i < tail.size(); ++i)
        if ((tail[i] & ~0x20) != (kExtension[i] & ~0x20)) return false;  // '.' has no case
    return true;
}

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

std::optional<DayPartName> ParseDayPartName(std::string_view fileName) {
    if (!HasRsdExtension(fileName)) return std::nullopt;
    const std::string_view stem = fileName.substr(0, fileName.size() - kExtension.size());
    if (stem.size() < kDateDigits || !AllDigits(stem.substr(0, kDateDigits))) return std::nullopt;
    DayPartName name{std::string(stem.substr(0, kDateDigits)), 1};
    if (stem.size() == kDateDigits) return name;
    const std::string_view suffix = stem.substr(kDateDigits);
    // "-1" is never written: part 1 has no suffix.
    if (suffix.size() < 2 || suffix.size() > 3 || suffix[0] != '-' || !AllDigits(suffix.substr(1)))
        return std::nullopt;
    name.part = std::stoi(std::string(suffix.substr(1)));
    if (name.part < 2) return std::nullopt;
    return name;
}

std::string DayPartPath(const std::string& dayPath, int part) {
    if (part <= 1) return dayPath;
    const std::size_t dot = dayPath.rfind('.');
    const std::size_t slash = dayPath.rfind('/');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::size_t at = hasExtension ? dot : dayPath.size();
    return dayPath.substr(0, at) + "-" + std::to_string(part) + dayPath.substr(at);
}

bool DayFileNameLess(const std::string& a, const std::string& b) {
    const std::string nameA = FileNameOf(a), nameB = FileNameOf(b);
    const auto partA = ParseDayPartName(nameA), partB = ParseDayPartName(nameB);
    const auto key = [](const std::string& name, const std::optional<DayPartName>& part) {
        return part ? std::make_tuple(part->day, part->part, std::string())
                    : std::make_tuple(name, 0, name);
    };
    return key(nameA, partA) < key(nameB, partB);
}

}  // namespace rad
