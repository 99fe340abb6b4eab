#pragma once

namespace rad {

// Keeps memory freed by the C library in the process instead of handing it back to the
// system. A loaded day file is tens of MB of small blocks; the next file then reuses them
// instead of touching fresh pages, whose first touch costs microseconds each on a virtual
// machine. For programs that load many files or one file many times.
void KeepFreedMemory();

}  // namespace rad
