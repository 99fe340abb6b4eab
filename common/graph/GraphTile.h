#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>
#include <string>

#include "GraphTypes.h"
#include "SettingsBlocks.h"

class CResample;
class QPainter;

namespace rad {

// Tile sizes of [GRAPH] CATSIZE 0..3 in device pixels; other indices give the default 80x60.
QSize CatalogTileSize(int catSize);
// Plot rectangle inside a tile: room for the time text below the frame.
PlotRect TilePlotRect(QSize tile);
// One catalog tile: frame, grid and curve of the record's spectrum and its time below.
void DrawCatalogTile(QPainter& painter, QSize tile, const CResample& spectrum,
                     const GraphSettings& settings, const std::string& timeText);
// The tile picture of a record on white (32-bit); timeText "%Y/%m/%d %H:%M:%S" of the record.
QImage RenderCatalogTile(QSize tile, const CResample& spectrum, const GraphSettings& settings,
                         int64_t time);

}  // namespace rad
