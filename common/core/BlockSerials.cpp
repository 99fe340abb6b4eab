#include "BlockSerials.h"

#include <cstring>

#include "RsdData.h"

namespace rad {

std::string SerialOf(const TextField& field) {
    std::string text(field, strnlen(field, kTextFieldSize));
    const std::size_t end = text.find_last_not_of(' ');
    text.resize(end == std::string::npos ? 0 : end + 1);
    return text;
}

bool SerialsDiffer(const TextField& a, const TextField& b) {
    const std::string first = SerialOf(a), second = SerialOf(b);
    return !first.empty() && !second.empty() && first != second;
}

int FirstForeignBlock(const CRsdData& set, const CRad& rad) {
    for (int model = 0; model < kModelCount; ++model) {
        const SensorData* block = rad.Block(model);
        const SensorCal* cal = set.GetCal(model);
        if (block && cal && SerialsDiffer(block->SN, cal->SN)) return model;
    }
    return -1;
}

std::vector<SerialMismatch> FindSerialMismatches(const CRsdData& set) {
    std::vector<SerialMismatch> found;
    for (int model = 0; model < kModelCount; ++model) {
        const SensorCal* cal = set.GetCal(model);
        if (!cal) continue;
        SerialMismatch mismatch{model, 0, SerialOf(cal->SN), {}};
        for (int index = 0; index < set.GetCount(); ++index) {
            const SensorData* block = set.GetAt(index).Block(model);
            if (!block || !SerialsDiffer(block->SN, cal->SN)) continue;
            if (mismatch.blocks++ == 0) mismatch.firstBlockSerial = SerialOf(block->SN);
        }
        if (mismatch.blocks > 0) found.push_back(mismatch);
    }
    return found;
}

std::string SerialMismatchText(const SerialMismatch& mismatch) {
    return std::to_string(mismatch.blocks) + " " + kModels[mismatch.model].label + " block" +
           (mismatch.blocks == 1 ? "" : "s") + " of serial " + mismatch.firstBlockSerial +
           (mismatch.blocks == 1 ? "" : " (or another)") +
           " measured by another unit than the calibration's (serial " + mismatch.calSerial +
           "): computed with the wrong calibration";
}

}  // namespace rad
