#include "RecordQc.h"

#include "RecordSun.h"
#include "RsdData.h"

namespace rad {

unsigned RecordQcFlags(const CRsdData& set, int index, double ppfd, const RecordZone& zone,
                       const QcThresholds& thresholds) {
    RecordSun sun(SiteOf(set), zone);
    const CRad& rad = set.GetAt(index);
    const SunValues values = sun.At(rad.m_time, ppfd);
    return QcFlagsOf(GatherQcEvidence(set, index), ppfd, values.zenithDeg, values.clearSkyPpfd,
                     thresholds, ExpectedModels(set));
}

}  // namespace rad
