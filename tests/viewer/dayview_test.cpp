// The day view: where records land on the plot, what the read-out and the header say, the
// double click into the single-record view, the colour map and the Quantities panel.
#include "DayView.h"

#include <malloc.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <cmath>

#include "ChildFrame.h"
#include "LocalTime.h"
#include "MainFrame.h"
#include "QuantitiesPanel.h"
#include "QuantityNames.h"
#include "RadviewDoc.h"
#include "RecordSun.h"
#include "SyntheticData.h"
#include "ViewerTest.h"

namespace {

constexpr int64_t kNoon = 1717243200;  // 2024-06-01 12:00:00 UTC

class DayViewTest : public ViewerTest {
  protected:
    // A document with count records step seconds apart in its day view, painted once.
    CDayView* OpenDayView(int count, int step = 60) {
        OpenInChild(WriteDayFile("20240601.RSD", count, kNoon - 6 * 3600, step), QSize(800, 680))
            .SwitchView(2);
        CDayView* view = m_child->DayView();
        view->Plot()->grab();  // lays the plot out
        return view;
    }
    QPoint PointOf(CDayView* view, std::size_t row) {
        const DaySeries& s = view->Series();
        const CGraph& g = view->Graph();
        return QPoint(*g.MapX(s.hours[row]),
                      *g.MapY(s.rows[row].quantities[view->Quantity()].value));
    }
};

}  // namespace

TEST_F(DayViewTest, SeriesOnTheTimeOfDayAndTheNearestRecords) {
    CRsdData set;
    rad::MakeSyntheticDay(set, 10, {kQS100, kQS300}, kNoon, 60);
    rad::MakeSyntheticDay(set, 5, {kQS100, kQS300}, kNoon - 3 * 3600, 60);  // earlier, out of order
    const DaySeries s = BuildDaySeries(set, 0);
    ASSERT_EQ(s.rows.size(), 15u);
    // Time order, and each time at its local hour of the day.
    const std::tm first = *rad::ToLocalTm(kNoon - 3 * 3600);
    EXPECT_NEAR(s.hours[0], first.tm_hour + first.tm_min / 60.0, 1e-9);
    EXPECT_EQ(s.rows[0].record, 10);
    EXPECT_NEAR(s.hours[5] - s.hours[0], 3.0, 1e-9);
    // The nearest record, on either side of the three-hour gap and beyond the ends.
    EXPECT_EQ(*s.NearestRow(s.hours[4] + 1.0), 4u);
    EXPECT_EQ(*s.NearestRow(s.hours[5] - 0.001), 5u);
    EXPECT_EQ(*s.NearestRow(-100), 0u);
    EXPECT_EQ(*s.NearestRow(100), 14u);
}

// A sensor unit swapped at noon: the day's second part, opened beside the first, joins its
// day view as one day; its points open nothing here (they belong to their own window), and
// closed it leaves the first part alone again.
TEST_F(DayViewTest, PartsOfADayOpenedTogetherAreOneDay) {
    CDayView* view = OpenDayView(30, 600);  // 06:00 .. 10:50 UTC
    auto other = std::make_unique<CChildFrame>(*m_app);
    // 11:00 .. 12:30
    ASSERT_TRUE(other->OpenDocument(WriteDayFile("20240601-2.RSD", 10, kNoon - 3600, 600)));
    const DaySeries& s = view->Series();
    ASSERT_EQ(s.rows.size(), 40u);
    ASSERT_EQ(s.days.size(), 1u);
    EXPECT_EQ(s.days[0].count, 40);
    EXPECT_EQ(s.parts[29], 0);
    EXPECT_EQ(s.parts[30], 1);
    EXPECT_EQ(s.rows[30].time, kNoon - 3600);
    view->SetMapShown(true);
    view->Plot()->grab();  // the map reads every part's spectra
    view->SetMapShown(false);
    view->Plot()->grab();
    QTest::mouseDClick(view->Plot(), Qt::LeftButton, {}, PointOf(view, 35));
    QApplication::processEvents();
    EXPECT_EQ(m_child->Doc().m_nViewMode, 2);
    other.reset();
    EXPECT_EQ(view->Series().rows.size(), 30u);
}

TEST_F(DayViewTest, PointsMapBackAndADoubleClickOpensTheirRecord) {
    // Ten minutes apart: a few units between neighbouring points at this size.
    CDayView* view = OpenDayView(60, 600);
    view->ShowAllDays();  // 15:00 to 01:00 in Tokyo
    view->Plot()->grab();
    const DaySeries& s = view->Series();
    ASSERT_EQ(s.rows.size(), 60u);
    // A double click on a point opens that record; off the curve nothing opens.
    const QPoint p = PointOf(view, 30);
    QTest::mouseDClick(view->Plot(), Qt::LeftButton, {}, p + QPoint(0, 40));
    QApplication::processEvents();
    EXPECT_EQ(m_child->Doc().m_nViewMode, 2);
    QTest::mouseDClick(view->Plot(), Qt::LeftButton, {}, p);
    QApplication::processEvents();
    EXPECT_EQ(m_child->Doc().m_nViewMode, 1);
    EXPECT_EQ(m_child->Doc().m_shownIndices, std::vector<int>{s.rows[30].record});
    m_child->SwitchView(2);
    view->Plot()->grab();

    for (rad::Quantity q : {rad::Quantity::Ppfd, rad::Quantity::Illuminance, rad::Quantity::Cct}) {
        view->SetQuantity(q);
        view->Plot()->grab();
        for (std::size_t row : {0u, 9u, 17u}) {
            const QPoint p = PointOf(view, row);
            QTest::mousePress(view->Plot(), Qt::LeftButton, {}, p);
            ASSERT_TRUE(view->Readout()) << rad::InfoOf(q).key << " row " << row;
            EXPECT_EQ(view->Readout()->row, row);
            EXPECT_EQ(view->Readout()->value, s.rows[row].quantities[q].value);
            EXPECT_EQ(view->Readout()->cross, p);
            const QString text = rad::DayReadoutText(view->Page(QSize(800, 600)), *view->Readout());
            for (const std::string& part : {rad::FormatLocalTime(s.rows[row].time, "%H:%M:%S"),
                                            rad::FormatQuantity(q, s.rows[row].quantities[q])})
                EXPECT_TRUE(text.contains(QString::fromStdString(part))) << text.toStdString();
            QTest::mouseRelease(view->Plot(), Qt::LeftButton, {}, p);
            EXPECT_FALSE(view->Readout());
        }
    }
    // After dark there is no colour temperature: the read-out says so instead of a number.
    const CGraph& g = view->Graph();
    ASSERT_FALSE(s.rows[59].quantities[rad::Quantity::Cct].Available());
    QTest::mousePress(view->Plot(), Qt::LeftButton, {}, QPoint(*g.MapX(s.hours[59]), g.top + 10));
    ASSERT_TRUE(view->Readout());
    EXPECT_FALSE(std::isfinite(view->Readout()->value));
    EXPECT_TRUE(rad::DayReadoutText(view->Page(QSize(800, 600)), *view->Readout())
                    .endsWith(QStringLiteral("= \u2014")));
    QTest::mouseRelease(view->Plot(), Qt::LeftButton, {}, QPoint(*g.MapX(s.hours[59]), g.top + 10));
    // Outside the plot nothing is read.
    QTest::mousePress(view->Plot(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(view->Readout());
}

// The header gives the core's DLI and the date (its coverage is the day range tests'); the
// clear sky's PPFD lies under the PPFD curve.
TEST_F(DayViewTest, HeaderDliAndTheClearSkyPpfd) {
    // From 06:00 UTC, 15:00 in Tokyo, where the synthetic day's site is: the sun sets.
    CDayView* view = OpenDayView(300);
    std::vector<rad::LightSample> samples;
    for (const rad::SeriesRow& row : rad::ComputeSeries(m_child->Doc().Data()))
        samples.push_back(rad::ToLightSample(row));
    const std::vector<rad::DaySummary> days = rad::SummariseDays(samples, 0);
    ASSERT_EQ(days.size(), 1u);
    ASSERT_TRUE(std::isfinite(days[0].dli));
    const QString header = rad::DayDliText(view->Series(), 0, DayHours(view->Series(), 0));
    EXPECT_TRUE(header.contains(QString::number(days[0].dli, 'f', 2))) << header.toStdString();
    EXPECT_EQ(rad::DayDateText(view->Series()),
              QString::fromStdString(rad::FormatLocalTime(days[0].start, "%Y/%m/%d")));

    const std::vector<double> clear = view->Series().ClearSkyPpfd();
    ASSERT_EQ(clear.size(), 300u);
    const double highest = *std::max_element(clear.begin(), clear.end());
    EXPECT_GT(highest, 100.0);
    EXPECT_EQ(clear.back(), 0.0);  // 20:00 in Tokyo
    // The axis holds the clear sky's curve with PPFD only.
    EXPECT_GE(view->Graph().yTop, highest);
    view->SetQuantity(rad::Quantity::UvIndex);
    view->Plot()->grab();
    EXPECT_LT(view->Graph().yTop, highest);
    const rad::DaySummary& day = view->Series().days.front();
    EXPECT_GT(day.photoperiodHours, 13.0);  // a June day in Tokyo: 14.4 hours
    EXPECT_LT(day.photoperiodHours, 15.0);
}

TEST_F(DayViewTest, ColourMapColumnsHoldEachRecordsSpectrumAndExport) {
    CDayView* view = OpenDayView(30, 600);
    const DaySeries& s = view->Series();
    const DayMap map = BuildDayMap(m_child->Doc().Data(), s);
    // A pixel per minute of the day and per nanometre from 400 to 700.
    const QImage image =
        RenderDayMap(map, s, QSize(1440, 301), s.FirstHour(), s.LastHour(), 399.5, 700.5);
    for (std::size_t row : {0u, 12u, 29u}) {
        const int column = static_cast<int>((s.hours[row] - s.FirstHour()) * 60 + 1e-6);
        for (int nm : {400, 555, 700}) {
            EXPECT_EQ(image.pixel(column, 700 - nm),
                      MapColor(map.spectra[row].GetValue(nm) / map.maxValue))
                << "row " << row << " nm " << nm;
        }
    }
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255)) << "no record before the first";
    EXPECT_EQ(MapColor(2), MapColor(1));
    EXPECT_EQ(MapColor(0.5), qRgb(128, 255, 128));

    // On screen the read-out gives the wavelength under the cursor and its irradiance.
    view->SetMapShown(true);
    view->Plot()->grab();
    const CGraph& g = view->Graph();
    // The middle of the record's column, as drawn.
    const QPoint p(*g.MapX(s.hours[12] + s.RowSpan(12) / 2), *g.MapY(550));
    QTest::mousePress(view->Plot(), Qt::LeftButton, {}, p);
    ASSERT_TRUE(view->Readout());
    EXPECT_EQ(view->Readout()->row, 12u);
    const double nmPerUnit = (g.yTop - g.yBottom) / g.Height();
    EXPECT_NEAR(view->Readout()->wavelength, 550, nmPerUnit + 0.5);
    CResample spectrum;
    spectrum.Resample(m_child->Doc().Data(), s.rows[12].record);
    EXPECT_EQ(view->Readout()->value, spectrum.GetValue(view->Readout()->wavelength));

    // The export writes every record in time order; an unwritable path fails.
    const QString path = m_dir.filePath(QStringLiteral("day.csv"));
    ASSERT_TRUE(view->ExportCsv(path.toStdString()));
    const QStringList lines = QString::fromStdString(ReadBytes(path))
                                  .section(QStringLiteral("\n\n"), 0, 0)
                                  .split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 31);
    EXPECT_EQ(lines[0].toStdString(), rad::SeriesCsvHeader());
    EXPECT_TRUE(lines[1].startsWith(
        QString::fromStdString(rad::FormatLocalTime(s.rows.front().time, "%Y/%m/%d,%H:%M:%S"))))
        << lines[1].toStdString();
    EXPECT_FALSE(view->ExportCsv(m_dir.filePath(QStringLiteral("missing/day.csv")).toStdString()));
}

// Each record's column reaches the next record's, whatever the spacing and the picture's
// width; only a gap the daily light integral does not bridge stays white.
TEST_F(DayViewTest, ColourMapColumnsCoverThePlotUpToAGap) {
    // seconds between records, records, picture width, a three-hour pause halfway
    const std::tuple<int, int, int, bool> cases[] = {
        {600, 90, 997, false}, {600, 90, 1440, false}, {7, 600, 640, false}, {600, 60, 1000, true}};
    for (const auto& [step, count, width, gap] : cases) {
        CRsdData set;
        const int64_t start = kNoon - 8 * 3600;
        rad::MakeSyntheticDay(set, count / 2, {kQS100}, start, step);
        rad::MakeSyntheticDay(set, count / 2, {kQS100},
                              start + count / 2 * step + (gap ? 3 * 3600 : 0), step);
        const DaySeries s = BuildDaySeries(set, 0);
        const QImage image = RenderDayMap(BuildDayMap(set, s), s, QSize(width, 1), s.FirstHour(),
                                          s.LastHour(), 549.5, 550.5);
        const double paused = s.hours[count / 2 - 1] + s.spacing;
        for (int x = 0; x < width; ++x) {
            const double hour = s.FirstHour() + (x + 0.5) * (s.LastHour() - s.FirstHour()) / width;
            const bool measured = hour >= s.hours.front() && hour < s.hours.back() + s.spacing &&
                                  !(hour >= paused && hour < s.hours[count / 2]);
            EXPECT_EQ(image.pixel(x, 0) != qRgb(255, 255, 255), measured)
                << step << " s, " << width << " px: column " << x;
        }
    }
}

// The map is drawn at the plot's pixels whatever wavelength range the graph settings hold:
// a 0..100000 nm axis costs no more memory than the usual one.
TEST_F(DayViewTest, ColourMapMemoryFollowsThePictureNotTheRange) {
    m_app->Settings().graph.left = 0;
    m_app->Settings().graph.right = 100000;
    CDayView* view = OpenDayView(1440, 60);
    const QImage wide = RenderDayMap(BuildDayMap(m_child->Doc().Data(), view->Series()),
                                     view->Series(), QSize(700, 500), 0, 24, 0, 100000);
    EXPECT_EQ(wide.sizeInBytes(), 700 * 500 * 4);
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    const auto inUse = [] {
        const struct mallinfo2 info = mallinfo2();
        return info.uordblks + info.hblkhd;
    };
    const std::size_t before = inUse();
    view->SetMapShown(true);
    view->Plot()->grab();
    const std::size_t plotBytes = static_cast<std::size_t>(view->Plot()->width()) *
                                  static_cast<std::size_t>(view->Plot()->height()) * 4;
    // The spectra of the records, the picture and the grab: tens of megabytes at most.
    EXPECT_LT(inUse() - before, 40 * plotBytes + (64u << 20));
#endif
    EXPECT_GT(view->Graph().yTop - view->Graph().yBottom, 100);  // the records' own range
    EXPECT_LT(view->Graph().yTop, 100000);
}

TEST_F(DayViewTest, QuantitiesPanelListsEveryQuantityOfTheShownRecords) {
    CMainFrame& frame = OpenInWindow(WriteDayFile("20240601.RSD", 5), QSize(1200, 700));
    CChildFrame* child = frame.ActiveChild();
    child->Doc().m_shownIndices = {1, 3};
    child->SwitchView(1);
    frame.QuantitiesPanel()->show();
    frame.updateMenus();
    const QTableWidget* table = frame.QuantitiesPanel()->Table();
    ASSERT_EQ(table->columnCount(), 2);
    ASSERT_EQ(table->rowCount(), static_cast<int>(rad::kQuantityCount + 5));
    const std::vector<rad::SeriesRow> rows =
        rad::ComputeSeries(child->Doc().Data(), std::vector<int>{1, 3});
    for (int c = 0; c < 2; ++c) {
        for (const rad::QuantityInfo& info : rad::QuantityTable()) {
            const rad::QuantityValue& v = rows[c].quantities[info.id];
            const QString cell = table->item(static_cast<int>(info.id), c)->text();
            if (v.Available())
                EXPECT_EQ(cell.toStdString(), rad::FormatQuantity(info.id, v)) << info.key;
            else
                EXPECT_EQ(cell, QStringLiteral("\u2014")) << info.key;
        }
        // Then the sun at the record's site (the synthetic day's, Tokyo) and instant.
        const int zenithRow = static_cast<int>(rad::kQuantityCount);
        EXPECT_EQ(table->verticalHeaderItem(zenithRow)->text(), QStringLiteral("Sun zenith(deg)"));
        const auto sun = rad::ComputeSunPosition(rows[c].time, *rad::SiteOf(child->Doc().Data()));
        EXPECT_NEAR(table->item(zenithRow, c)->text().toDouble(), sun.zenithDeg, 0.006);
        EXPECT_NEAR(table->item(zenithRow + 1, c)->text().toDouble(), sun.azimuthDeg, 0.006);
        // Last, the record's quality flags: none in the morning of a clean day.
        const int flagsRow = table->rowCount() - 1;
        EXPECT_EQ(table->verticalHeaderItem(flagsRow)->text(), QStringLiteral("Quality flags"));
        EXPECT_EQ(table->item(flagsRow, c)->text(), QString());
    }
    QApplication::processEvents();  // the docks are laid out
    EXPECT_GE(frame.QuantitiesPanel()->width(), frame.QuantitiesPanel()->PreferredWidth());
    // Ctrl+C in the table copies the selected rows as text: the times, then name and values.
    const int ppfd = static_cast<int>(rad::Quantity::Ppfd);
    frame.QuantitiesPanel()->Table()->selectRow(ppfd);
    frame.QuantitiesPanel()->Table()->setFocus();
    frame.Action(ID_EDIT_COPY)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().section('\n', 1),
              QStringLiteral("PPFD(umol/m2/s)\t%1\t%2\n")
                  .arg(table->item(ppfd, 0)->text(), table->item(ppfd, 1)->text()));

    // Back in the catalog the panel says what to select.
    child->SwitchView(0);
    frame.updateMenus();
    EXPECT_EQ(table->columnCount(), 0);
    EXPECT_TRUE(frame.QuantitiesPanel()->Hint()->isVisible());
    EXPECT_TRUE(frame.QuantitiesPanel()->Hint()->text().contains("Selected Data"));
}
