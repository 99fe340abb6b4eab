#pragma once

#include <vector>

class CRadviewDoc;
class CRsdData;

// The other open documents that are parts of the same day as doc ("20240701.RSD",
// "20240701-2.RSD", ... in one folder: a sensor unit swapped during the day), in part order;
// the day view reads them with doc's records as one day.
std::vector<const CRsdData*> OtherPartsOfDay(const CRadviewDoc& doc);
