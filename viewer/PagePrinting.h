#pragma once

#include "GraphPictures.h"

class QPrinter;
class QWidget;

// Print and Print Preview of a view's one-sheet page, the same for every view.
namespace rad {

void PrintPageOnce(QPrinter& printer, const PageDrawer& draw);
void PrintWithDialog(QWidget* parent, QPrinter& printer, const PageDrawer& draw);
void PrintPreviewDialog(QWidget* parent, QPrinter& printer, const PageDrawer& draw);

}  // namespace rad
