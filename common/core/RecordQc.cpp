#include "RecordQc.h"

#include "RsdData.h"

namespace rad {

CRecordQc::CRecordQc(const CRsdData& set, const RecordZone& zone, const QcThresholds& thresholds)
    : m_sun(SiteOf(set), zone), m_thresholds(thresholds), m_expectedModels(ExpectedModels(set)) {}

unsigned CRecordQc::Flags(const CRsdData& set, int index, double ppfd) {
    const SunValues values = m_sun.At(set.GetAt(index).m_time, ppfd);
    return QcFlagsOf(m_evidence.Gather(set, index), ppfd, values.zenithDeg, values.clearSkyPpfd,
                     m_thresholds, m_expectedModels);
}

unsigned RecordQcFlags(const CRsdData& set, int index, double ppfd, const RecordZone& zone,
                       const QcThresholds& thresholds) {
    return CRecordQc(set, zone, thresholds).Flags(set, index, ppfd);
}

}  // namespace rad
