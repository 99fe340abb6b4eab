#include "GraphClipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>

#include "DrawingArea.h"

namespace rad {
namespace {

bool PaintPage(QPaintDevice& device, const PageDrawer& draw)
{
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.fillRect(QRect(QPoint(0, 0), kClipboardArea), Qt::white);
    draw(painter, kClipboardArea);
    return painter.end();
}

QByteArray SvgPicture(const PageDrawer& draw)
{
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(kClipboardArea);
    svg.setViewBox(QRect(QPoint(0, 0), kClipboardArea));
    if (!PaintPage(svg, draw)) return {};
    return buffer.data();
}

QByteArray PngPicture(const PageDrawer& draw)
{
    QImage image(kClipboardArea, QImage::Format_RGB32);
    if (image.isNull() || !PaintPage(image, draw)) return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return buffer.data();
}

QString CopyFailedText(GraphProgram program)
{
    return program == GraphProgram::Radlog
               ? QCoreApplication::translate("GraphClipboard", "Error(Copy to clipboard failed)")
               : QCoreApplication::translate("GraphClipboard", "Clipboard Error");
}

}  // namespace

std::unique_ptr<QMimeData> MakeGraphMimeData(const PageDrawer& draw)
{
    const QByteArray svg = SvgPicture(draw);
    const QByteArray png = PngPicture(draw);
    if (svg.isEmpty() || png.isEmpty()) return nullptr;
    auto mime = std::make_unique<QMimeData>();
    mime->setData(QString::fromLatin1(kSvgMime), svg);
    mime->setData(QStringLiteral("image/png"), png);
    return mime;
}

bool CopyGraphToClipboard(QWidget* parent, GraphProgram program, const PageDrawer& draw)
{
    std::unique_ptr<QMimeData> mime = MakeGraphMimeData(draw);
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
