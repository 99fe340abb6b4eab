#pragma once

#include <QSize>
#include <QString>

#include "GraphPictures.h"

// The day page as a picture file of W x H: PNG, SVG or PDF by the name's suffix (a PDF page
// of W x H points). False when the suffix is none of these or the file cannot be written.
bool SaveDayPicture(const QString& path, QSize size, const rad::PageDrawer& draw);
