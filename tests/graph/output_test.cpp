#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "DrawingArea.h"
#include "GraphClipboard.h"
#include "GraphPage.h"
#include "GraphPictures.h"
#include "GraphTestSupport.h"

namespace {

void DrawPage(QPainter& painter, QSize area) {
    static const CResample spectrum = FlatSpectrum(300, 1800, 40);
    GraphPage page;
    page.area = area;
    page.spectra = {&spectrum};
    CGraph graph;
    rad::DrawGraphPage(painter, graph, page);
}

}  // namespace

TEST(DrawingArea, ScreenUsesTheLargestFourByThreeArea) {
    const std::pair<QSize, QSize> cases[] = {{{800, 600}, {800, 600}},
                                             {{1000, 600}, {800, 600}},
                                             {{800, 900}, {800, 600}},
                                             {{801, 500}, {666, 500}},
                                             {{0, 0}, {0, 0}}};
    for (const auto& [client, area] : cases)
        EXPECT_EQ(rad::ScreenDrawingArea(client), area) << client.width();
}

TEST(DrawingArea, PrinterKeepsPhysicalProportionsWithMargins) {
    // A4 landscape at 600 dpi: 0.75 of the full width is too tall, so the height limits.
    const rad::PrintArea square = rad::PrinterDrawingArea(7016, 4960, 600, 600);
    EXPECT_EQ(square.origin, QPoint(330, 248));
    EXPECT_EQ(square.size, QSize(6613 - 330, 4960 - 248));
    // 600 x 300 dpi: twice as many device units across per inch, the page still 4:3 on paper.
    EXPECT_EQ(rad::PrinterDrawingArea(4800, 3000, 600, 300).size, QSize(4800 - 240, 1800 - 90));
    // Portrait paper: the height 0.75 W fits.
    EXPECT_EQ(rad::PrinterDrawingArea(4960, 7016, 600, 600).size, QSize(4960 - 248, 3720 - 186));
    EXPECT_EQ(rad::PrinterDrawingArea(100, 100, 0, 0).size, QSize());
}

TEST(Output, PdfHasExactlyOnePage) {
    QSize drawn;
    const QByteArray pdf = rad::PdfPage([&](QPainter& painter, QSize area) {
        drawn = area;
        DrawPage(painter, area);
    });
    EXPECT_NEAR(drawn.width() * 0.75, drawn.height(), 2);  // A4 landscape keeps 4:3
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
              1);
}

TEST(Output, ClipboardHoldsVectorAndImageOfTheClipboardPage) {
    const std::unique_ptr<QMimeData> mime = rad::MakeGraphMimeData(DrawPage);
    ASSERT_TRUE(mime);
    const QByteArray svg = mime->data(QString::fromLatin1(rad::kSvgMime));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 640 480\""));
    EXPECT_TRUE(svg.contains("Wavelength (nm)"));  // text stays text in the vector form
    QImage png;
    ASSERT_TRUE(png.loadFromData(mime->data(QStringLiteral("image/png")), "PNG"));
    EXPECT_EQ(png.size(), rad::kClipboardArea);
    EXPECT_EQ(png.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(png.pixel(rad::PagePlotRect(rad::kClipboardArea).left, 200),
              rad::ToQColor(GraphSettings{}.color1).rgb());

    ASSERT_TRUE(rad::CopyGraphToClipboard(nullptr, GraphProgram::Radview, DrawPage));
    const QMimeData* placed = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(placed, nullptr);
    EXPECT_TRUE(placed->hasFormat(QString::fromLatin1(rad::kSvgMime)));
    EXPECT_TRUE(placed->hasFormat(QStringLiteral("image/png")));
}
