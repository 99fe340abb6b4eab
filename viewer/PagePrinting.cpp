#include "PagePrinting.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "DrawingArea.h"

namespace rad {

void PrintPageOnce(QPrinter& printer, const PageDrawer& draw) {
    QPainter painter(&printer);
    const QSize area = BeginPrintPage(painter, printer);
    draw(painter, area);
}

void PrintWithDialog(QWidget* parent, QPrinter& printer, const PageDrawer& draw) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, 1);  // the page is always one sheet
    if (dialog.exec() == QDialog::Accepted) PrintPageOnce(printer, draw);
}

void PrintPreviewDialog(QWidget* parent, QPrinter& printer, const PageDrawer& draw) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, parent,
                     [&draw](QPrinter* target) { PrintPageOnce(*target, draw); });
    dialog.exec();
}

}  // namespace rad
