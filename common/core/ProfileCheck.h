#pragma once

#include <string>

class CIniFile;

namespace rad {

// Why a profile must never be written back: it exists but could not be read, or it holds no
// section and no key (not a profile, or a damaged one). Writing the defaults over it would
// lose its ports, folders and site. "" when it may be written (also when it does not exist
// yet). loadError is the errno of a failed CIniFile::Load, 0 after a successful one.
std::string UnusableProfileText(bool loaded, int loadError, const CIniFile& ini);

}  // namespace rad
