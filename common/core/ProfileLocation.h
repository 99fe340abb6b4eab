#pragma once

#include <optional>
#include <string>
#include <vector>

#include "IniFile.h"

namespace rad {

// Where a program keeps its profile and its default data folder.
struct ProfileLocation {
    std::string profilePath;
    // Default of the [DIR] folders, ending in "/".
    std::string programFolder;
    // True when the profile lies beside the executable (a portable install).
    bool portable = false;
};

// For base name "radlog" or "radview": <exe folder>/<base>.ini when that file exists (the
// executable's folder is then the program folder); otherwise
// $XDG_CONFIG_HOME/<base>/<base>.ini (default ~/.config) with the data folder ~/Radlog/ or
// ~/Radview/, created here. overridePath (the --profile option) replaces only the profile path.
ProfileLocation LocateProfile(const std::string& baseName,
                              const std::optional<std::string>& overridePath);
// The same with the executable's folder given, for callers that know it (and for tests).
ProfileLocation LocateProfile(const std::string& baseName,
                              const std::optional<std::string>& overridePath,
                              const std::string& exeFolder);

// Folder of the running executable, ending in "/"; "" when /proc/self/exe cannot be read.
std::string ExecutableFolder();
// Creates a folder and its parents; true when it exists afterwards, else false with errno set.
bool EnsureFolder(const std::string& folder);
// Folders, each ending in "/", where a program may put files it could not write where they
// belong, best first: userDataFolder (when given), $XDG_DATA_HOME/<baseName>/ (default
// ~/.local/share/<baseName>/), then /tmp/.
std::vector<std::string> FallbackDataFolders(const std::string& userDataFolder,
                                             const std::string& baseName);
// Saves the profile, creating its folder first (the XDG folder may not exist yet).
bool SaveProfile(const CIniFile& ini, const std::string& path);

}  // namespace rad
