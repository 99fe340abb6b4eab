#pragma once

#include "QcFlags.h"
#include "RecordSun.h"
#include "RecordZone.h"

class CRsdData;

namespace rad {

// The quality flags of the records of one day file, judged one at a time (the station's
// messages, the viewer's tiles): the sun's path, the file's sensor plan and its expected
// models are worked out once, not per record. Series of records get theirs with their rows
// (AddSun).
class CRecordQc {
  public:
    // The records' times are read in zone.
    CRecordQc(const CRsdData& set, const RecordZone& zone, const QcThresholds& thresholds = {});
    // The flags of record index of set (the set given to the constructor); ppfd is the
    // record's, as its quantities give it. Throws std::invalid_argument for a record time
    // without a local form.
    unsigned Flags(const CRsdData& set, int index, double ppfd);

  private:
    RecordSun m_sun;
    QcEvidenceGatherer m_evidence;
    const QcThresholds m_thresholds;
    const unsigned m_expectedModels;
};

// One record's flags, for a caller that judges a single record of a set.
unsigned RecordQcFlags(const CRsdData& set, int index, double ppfd, const RecordZone& zone,
                       const QcThresholds& thresholds = {});

}  // namespace rad
