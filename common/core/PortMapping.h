#pragma once

#include <map>
#include <string>

#include "IniFile.h"

namespace rad {

// COM port number -> device path, from the optional [PORTS] section (COM3=/dev/ttyUSB0,
// COM1=/dev/serial/by-id/...). The settings store COM numbers as the profiles of the other
// platform do; this map says which Linux device each number means.
using PortMap = std::map<int, std::string>;

// Entries "COMn" (n >= 1, any case) of [PORTS] with a non-empty value; other keys are ignored.
PortMap LoadPortMap(const CIniFile& ini);
// Writes the entries back; nothing when the map is empty, so a profile without [PORTS]
// keeps its plain layout.
void SavePortMap(CIniFile& ini, const PortMap& ports);

// Device of COM n: the mapped path, else /dev/ttyUSB<n-1>; "" for n < 1 (no port).
std::string ComPortDevice(const PortMap& ports, int n);

}  // namespace rad
