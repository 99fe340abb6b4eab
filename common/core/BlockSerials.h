#pragma once

// A block measured by another unit than the one whose calibration its file holds: its values
// are computed with the wrong calibration. Day files written before a swapped unit got its own
// part of the day may hold such blocks; the readers warn about them.

#include <string>
#include <vector>

#include "SensorBlocks.h"

class CRad;
class CRsdData;

namespace rad {

// The serial number of a block or calibration, without its padding.
std::string SerialOf(const TextField& field);
// True when both name a serial number and the two differ.
bool SerialsDiffer(const TextField& a, const TextField& b);

// First model whose block in rad has another serial than the calibration of that model in
// set; -1 when every block fits (or set holds no calibration of its model).
int FirstForeignBlock(const CRsdData& set, const CRad& rad);

struct SerialMismatch {
    int model = 0;
    int blocks = 0;  // blocks of the model whose serial differs from the calibration's
    std::string calSerial;
    std::string firstBlockSerial;
};

// One entry per model with such blocks, in model order.
std::vector<SerialMismatch> FindSerialMismatches(const CRsdData& set);
// "3 QS-100 blocks of serial 1234 (or another) were measured by another unit than the
// calibration's (serial 5678): their values are wrong"
std::string SerialMismatchText(const SerialMismatch& mismatch);

}  // namespace rad
