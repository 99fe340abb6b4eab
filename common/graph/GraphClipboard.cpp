#include "GraphClipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>

#include "DrawingArea.h"

namespace rad {
namespace {

QString CopyFailedText(GraphProgram program) {
    return program == GraphProgram::Radlog
               ? QCoreApplication::translate("GraphClipboard", "Error(Copy to clipboard failed)")
               : QCoreApplication::translate("GraphClipboard", "Clipboard Error");
}

}  // namespace

std::unique_ptr<QMimeData> MakeGraphMimeData(const PageDrawer& draw, QSize size) {
    const QByteArray svg = SvgPicture(size, draw);
    const QByteArray png = PngPicture(size, draw);
    if (svg.isEmpty() || png.isEmpty()) return nullptr;
    auto mime = std::make_unique<QMimeData>();
    mime->setData(QString::fromLatin1(kSvgMime), svg);
    mime->setData(QStringLiteral("image/png"), png);
    return mime;
}

bool CopyGraphToClipboard(QWidget* parent, GraphProgram program, const PageDrawer& draw,
                          QSize size) {
    std::unique_ptr<QMimeData> mime = MakeGraphMimeData(draw, size);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!mime) {
        auto* box = new QMessageBox(QMessageBox::Warning, QCoreApplication::applicationName(),
                                    CopyFailedText(program), QMessageBox::Ok, parent);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return false;
    }
    if (!clipboard) return false;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    clipboard->setMimeData(mime.release());
    QGuiApplication::restoreOverrideCursor();
    return true;
}

}  // namespace rad
