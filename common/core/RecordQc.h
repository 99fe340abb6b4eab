#pragma once

#include "QcFlags.h"
#include "RecordZone.h"

class CRsdData;

// The quality flags of one record of a day file, for a program that handles one record at a
// time (the station's messages); series of records get theirs with their rows (AddSun).
namespace rad {

// ppfd is the record's, as its quantities give it; the times are read in zone.
unsigned RecordQcFlags(const CRsdData& set, int index, double ppfd, const RecordZone& zone,
                       const QcThresholds& thresholds = {});
// The same with ExpectedModels(set) given, for a caller that judges many records of one set.
unsigned QcFlagsOfRecord(const CRsdData& set, int index, double ppfd, const RecordZone& zone,
                         unsigned expectedModels, const QcThresholds& thresholds = {});

}  // namespace rad
