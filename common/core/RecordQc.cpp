#include "RecordQc.h"

#include "RecordSun.h"
#include "RsdData.h"

namespace rad {

unsigned RecordQcFlags(const CRsdData& set, int index, double ppfd, const RecordZone& zone,
                       const QcThresholds& thresholds) {
    return QcFlagsOfRecord(set, index, ppfd, zone, ExpectedModels(set), thresholds);
}

unsigned QcFlagsOfRecord(const CRsdData& set, int index, double ppfd, const RecordZone& zone,
                         unsigned expectedModels, const QcThresholds& thresholds) {
    RecordSun sun(SiteOf(set), zone);
    const SunValues values = sun.At(set.GetAt(index).m_time, ppfd);
    return QcFlagsOf(GatherQcEvidence(set, index), ppfd, values.zenithDeg, values.clearSkyPpfd,
                     thresholds, expectedModels);
}

}  // namespace rad
