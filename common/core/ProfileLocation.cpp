#include "ProfileLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace rad {
namespace {

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (IsAbsolute(home)) return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && IsAbsolute(entry->pw_dir) ? entry->pw_dir : "/tmp";
}

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// The XDG rules ignore a relative or empty value.
std::string ConfigHome() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    return WithSlash(IsAbsolute(config) ? std::string(config) : HomeFolder() + "/.config");
}

std::string DataHome() {
    const char* data = std::getenv("XDG_DATA_HOME");
    return WithSlash(IsAbsolute(data) ? std::string(data) : HomeFolder() + "/.local/share");
}

// "radlog" -> "Radlog": the user data folder carries the program's display name.
std::string DisplayName(std::string baseName) {
    if (!baseName.empty()) {
        baseName[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(baseName[0])));
    }
    return baseName;
}

std::string ParentFolder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::string ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : WithSlash(exe.parent_path().string());
}

std::vector<std::string> FallbackDataFolders(const std::string& userDataFolder,
                                             const std::string& baseName) {
    std::vector<std::string> folders;
    if (!userDataFolder.empty()) folders.push_back(WithSlash(userDataFolder));
    folders.push_back(DataHome() + baseName + "/");
    folders.push_back("/tmp/");
    return folders;
}

bool EnsureFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::error_code ignored;
    if (std::filesystem::is_directory(folder, ignored)) return true;
    // Something that is not a folder under that name, or the cause the creation met.
    errno = std::filesystem::exists(folder, ignored) || !error ? ENOTDIR : error.value();
    return false;
}

ProfileLocation LocateProfile(const std::string& baseName,
                              const std::optional<std::string>& overridePath,
                              const std::string& exeFolder) {
    ProfileLocation location;
    const std::string besideExe = exeFolder + baseName + ".ini";
    std::error_code error;
    location.portable = !exeFolder.empty() && std::filesystem::is_regular_file(besideExe, error);
    if (location.portable) {
        location.profilePath = besideExe;
        location.programFolder = exeFolder;
    } else {
        location.profilePath = ConfigHome() + baseName + "/" + baseName + ".ini";
        location.programFolder = WithSlash(HomeFolder()) + DisplayName(baseName) + "/";
        EnsureFolder(location.programFolder);
    }
    if (overridePath) location.profilePath = *overridePath;
    return location;
}

ProfileLocation LocateProfile(const std::string& baseName,
                              const std::optional<std::string>& overridePath) {
    return LocateProfile(baseName, overridePath, ExecutableFolder());
}

bool SaveProfile(const CIniFile& ini, const std::string& path) {
    const std::string folder = ParentFolder(path);
    if (!folder.empty() && !EnsureFolder(folder)) return false;
    return ini.Save(path);
}

}  // namespace rad
