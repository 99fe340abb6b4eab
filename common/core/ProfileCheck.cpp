#include "ProfileCheck.h"

#include <cerrno>

#include "IniFile.h"
#include "RegularFile.h"

namespace rad {

std::string UnusableProfileText(bool loaded, int loadError, const CIniFile& ini) {
    if (!loaded) return loadError == ENOENT ? "" : "cannot be read: " + FileErrorText(loadError);
    if (!ini.HasEntries()) return "holds no valid line";
    return {};
}

}  // namespace rad
