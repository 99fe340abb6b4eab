#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "SensorModel.h"
#include "SensorOverlap.h"

class CRsdData;

// Quality flags of a record: what may be wrong with its spectrum, judged from the record, its
// file and the sun. docs/quantities.md defines each flag and its threshold.
namespace rad {

enum QcFlag : unsigned {
    kQcNonfinite = 1u << 0,
    kQcSaturated = 1u << 1,
    kQcSensorMissing = 1u << 2,
    kQcSensorsApart = 1u << 3,
    kQcMergeMismatch = 1u << 4,
    kQcAboveClearSky = 1u << 5,
    kQcNight = 1u << 6,
    kQcCalibrationMismatch = 1u << 7,
};

inline constexpr std::size_t kQcFlagCount = 8;

struct QcFlagInfo {
    QcFlag flag;
    const char* name;  // CSV, JSON, MQTT and the archive's flag_meanings
};
// Every flag in bit order.
std::span<const QcFlagInfo> QcFlagTable();

// "saturated night": the names of the flags set, separated by spaces; "" for none.
std::string QcNames(unsigned flags);
// ["saturated","night"]; [] for none.
std::string QcJsonArray(unsigned flags);

struct QcThresholds {
    double sensorsApartSeconds = 120;  // blocks measured further apart than this
    double mergeMismatch = 0.25;       // mean relative difference over a shared range
    double clearSkyFactor = 1.5;       // PPFD above factor * clear sky + margin
    double clearSkyMargin = 100;       // umol/m2/s
    double nightElevationDeg = -6;     // sun below this elevation
};

// Below this mean level (W/m2/um) two sensors' overlap is not judged: twilight noise.
inline constexpr double kQcMergeLeastLevel = 1.0;

// What the flags of a file's records are judged against.
struct QcContext {
    QcThresholds thresholds;
    unsigned expectedModels = 0;  // ExpectedModels of the file; 0 while it is not known
};

// What the record's own data say, gathered where its quantities are computed.
struct QcEvidence {
    bool nonfinite = false;
    bool saturated = false;
    double blockSpanSeconds = 0;  // latest minus earliest block time
    double mergeDeviation = std::numeric_limits<double>::quiet_NaN();  // worst judged overlap
    unsigned heldModels = 0;           // bit per model the record has a block of
    bool calibrationMismatch = false;  // a block of another unit than its file's calibration
};

class PayloadStore;

// The evidence of record index; with payloads, the pixels come from there.
QcEvidence GatherQcEvidence(const CRsdData& set, int index, const PayloadStore* payloads = nullptr);

// The same for many records of one set: which calibrations are usable, and where two sensors
// overlap, is worked out once (as ResampleTables does), not for every record. Not shared
// between threads.
class QcEvidenceGatherer {
  public:
    QcEvidence Gather(const CRsdData& set, int index, const PayloadStore* payloads = nullptr);

  private:
    struct Pair {
        int a;
        int b;
        SensorOverlap overlap;
    };
    void Plan(const CRsdData& set);

    bool m_planned = false;
    std::array<bool, kModelCount> m_usable{};
    std::vector<Pair> m_overlaps;
};

// Models a record is expected to hold: the file has a calibration for them and a record holds
// them. Bit per model.
unsigned ExpectedModels(const CRsdData& set);

// The flags of a record from its evidence, its PPFD and the sun's zenith and clear-sky PPFD
// (NaN when not known), against the expected models (0: sensor_missing is not judged).
unsigned QcFlagsOf(const QcEvidence& evidence, double ppfd, double zenithDeg, double clearSkyPpfd,
                   const QcThresholds& thresholds, unsigned expectedModels);
// The flags that say something is wrong: all but night, which is information.
inline constexpr unsigned kQcFaults = ~static_cast<unsigned>(kQcNight);

// sensor_missing alone.
unsigned MissingSensorFlag(unsigned heldModels, unsigned expectedModels);

}  // namespace rad
