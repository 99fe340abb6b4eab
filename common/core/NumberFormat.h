#pragma once

#include <string>

namespace rad {

// Appends value as printf "%.*f" would print it (same digits and rounding), but faster:
// the CSV writers format millions of cells.
void AppendFixed(std::string& out, double value, int precision);

}  // namespace rad
