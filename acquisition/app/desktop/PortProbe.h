#pragma once

#include <vector>

#include "PortMapping.h"
#include "RadlogConfDlg.h"

// The highest COM number the settings dialog offers.
inline constexpr int kProbeLastPort = 16;

// COM1 .. COM16 that can be opened exclusively right now, each tried through the [PORTS]
// mapping and closed at once. Ports held by another program, or by Radlog itself, are missing.
std::vector<PortEntry> ProbePorts(const rad::PortMap& ports);
