// The day view over several days and short series: the day selector, the zoom of the time
// axis and its reset, the coverage of the window shown, the points of sparse records and the
// day summaries of the Day Series CSV.
#include "DayRange.h"

#include <sys/stat.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "ChildFrame.h"
#include "DayAxes.h"
#include "DayView.h"
#include "MainFrame.h"
#include "RadviewDoc.h"
#include "SyntheticData.h"
#include "ViewerTest.h"

namespace {

constexpr int64_t kMorning = 1717196400;  // 2024-06-01 08:00 in Tokyo
constexpr int64_t kDay = 86400;

class DayRangeTest : public ViewerTest {
  protected:
    // A file of count records step seconds apart on each of days days, in a shown day view.
    CDayView* Open(int days, int count, int step) {
        CRsdData set;
        for (int d = 0; d < days; ++d)
            rad::MakeSyntheticDay(set, count, {kQS100, kQS300}, kMorning + d * kDay, step);
        m_path = m_dir.filePath(QStringLiteral("days.RSD"));
        EXPECT_TRUE(set.Save(m_path.toStdString()));
        CMainFrame& frame = OpenInWindow(m_path, QSize(1000, 760));
        frame.Action(ID_DAY_VIEW)->trigger();
        QApplication::processEvents();
        frame.updateMenus();
        CDayView* view = frame.ActiveDayView();
        EXPECT_NE(view, nullptr);
        if (view) view->Plot()->grab();
        return view;
    }
    QString m_path;
};

}  // namespace

TEST_F(DayRangeTest, OneDayAtATimeWithTheSelectorKeysAndMenu) {
    CDayView* view = Open(3, 60, 600);
    ASSERT_NE(view, nullptr);
    const DaySeries& s = view->Series();
    ASSERT_EQ(s.days.size(), 3u);
    // The days and "all days"; the first day is shown over its 24 hours.
    const QComboBox* days = nullptr;
    for (QComboBox* box : view->findChildren<QComboBox*>())
        if (box->findData(-1) >= 0) days = box;
    ASSERT_NE(days, nullptr);
    EXPECT_EQ(days->count(), 4);
    EXPECT_NEAR(view->Graph().xTo - view->Graph().xFrom, 24, 1e-9);
    EXPECT_EQ(rad::DayDateText(s, 0), QStringLiteral("2024/06/01"));

    // Each step moves one day and stops at the ends.
    const std::pair<CommandId, int> steps[] = {{ID_NEXT_DAY, 1},  {ID_NEXT_DAY, 2},
                                               {ID_NEXT_DAY, 2},  {ID_PREV_DAY, 1},
                                               {ID_ALL_DAYS, -1}, {ID_NEXT_DAY, 0}};
    for (const auto& [command, day] : steps) {
        m_window->Action(command)->trigger();
        view->Plot()->grab();
        EXPECT_EQ(view->Day(), day);
        EXPECT_EQ(days->currentData().toInt(), day);
        const HourRange shown{view->Graph().xFrom, view->Graph().xTo};
        EXPECT_EQ(shown, DayHours(s, day));
    }
    // All days: a date-time axis over the three days, and the summary of the days together.
    view->ShowAllDays();
    view->Plot()->grab();
    EXPECT_NEAR(view->Graph().xTo - view->Graph().xFrom, 72, 1e-9);
    const TimeTicks ticks = MakeTimeTicks(view->Window(), 600, 80);
    EXPECT_TRUE(ticks.dated);
    EXPECT_EQ(TimeTickText(s, ticks, s.FirstHour() + 24),
              ticks.step >= 24 ? QStringLiteral("06/02") : QStringLiteral("06/02 00:00"));
    EXPECT_TRUE(rad::DaySummaryText(s, -1).startsWith(QStringLiteral("Days: 3")));
    EXPECT_TRUE(rad::DayDliText(s, -1, view->Window()).startsWith(QStringLiteral("Mean DLI")));
    // Elsewhere than the day view the keys are the catalog's.
    m_window->Action(ID_TILED_DATA)->trigger();
    QApplication::processEvents();
    m_window->updateMenus();
    EXPECT_FALSE(m_window->Action(ID_NEXT_DAY)->isEnabled());
}

TEST_F(DayRangeTest, WheelAndBandZoomTheTimeAndADoubleClickResets) {
    CDayView* view = Open(1, 120, 300);  // 08:00 to 18:00
    ASSERT_NE(view, nullptr);
    const CGraph& g = view->Graph();
    const HourRange day = view->Window();
    // A notch forward keeps 80 % of the span, with the hour under the pointer in place.
    const QPoint at(g.left + g.Width() / 4, (g.top + g.bottom) / 2);
    const double hourAt = g.xFrom + (at.x() - g.left) * (g.xTo - g.xFrom) / g.Width();
    QWheelEvent wheel(at, view->Plot()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->Plot(), &wheel);
    view->Plot()->grab();
    EXPECT_NEAR(view->Window().Span(), 0.8 * day.Span(), 1e-9);
    EXPECT_NEAR(view->Window().from, hourAt - 0.8 * (hourAt - day.from), 1e-9);
    EXPECT_TRUE(view->Zoomed());
    // A band drawn with Shift held shows the hours between its ends.
    const int x0 = g.left + g.Width() / 3;
    const int x1 = g.left + g.Width() / 2;
    const double from = g.xFrom + (x0 - g.left) * (g.xTo - g.xFrom) / g.Width();
    const double to = g.xFrom + (x1 - g.left) * (g.xTo - g.xFrom) / g.Width();
    const int y = (g.top + g.bottom) / 2;
    QTest::mousePress(view->Plot(), Qt::LeftButton, Qt::ShiftModifier, QPoint(x1, y));
    QTest::mouseMove(view->Plot(), QPoint(x0, y));
    QTest::mouseRelease(view->Plot(), Qt::LeftButton, Qt::ShiftModifier, QPoint(x0, y));
    view->Plot()->grab();
    EXPECT_NEAR(view->Window().from, from, 1e-9);
    EXPECT_NEAR(view->Window().to, to, 1e-9);
    EXPECT_FALSE(view->Readout());
    // A double click away from the points: the whole day again.
    QTest::mouseDClick(view->Plot(), Qt::LeftButton, {}, QPoint(x0, g.top + 2));
    view->Plot()->grab();
    EXPECT_FALSE(view->Zoomed());
    EXPECT_EQ(view->Window(), day);

    // The ranges stay within the day and no narrower than a minute.
    const HourRange limits{0, 24};
    const std::tuple<HourRange, double, double, HourRange> zooms[] = {
        {{0, 24}, 12, 2.0, {0, 24}},        // out beyond the day
        {{10, 12}, 11, 0.5, {10.5, 11.5}},  // in about the middle
        {{20, 24}, 23, 2.0, {16, 24}},      // out at the day's end: shifted inside
        {{11, 11.02}, 11.01, 0.1, {11.01 - 1.0 / 120, 11.01 + 1.0 / 120}},  // a minute at least
    };
    for (const auto& [range, hour, factor, expected] : zooms) {
        const HourRange zoomed = ZoomedRange(range, hour, factor, limits);
        EXPECT_NEAR(zoomed.from, expected.from, 1e-9) << range.from << " x" << factor;
        EXPECT_NEAR(zoomed.to, expected.to, 1e-9) << range.from << " x" << factor;
    }
}

TEST_F(DayRangeTest, CoverageOfTheShownWindowAndPointsOfShortSeries) {
    // Fifteen records ten seconds apart: two and a half minutes of a day.
    CDayView* view = Open(1, 15, 10);
    ASSERT_NE(view, nullptr);
    const DaySeries& s = view->Series();
    const double measured = 15 * 10 / 3600.0;
    EXPECT_NEAR(WindowCoverage(s, view->Window()), measured / 24, 1e-9);
    EXPECT_TRUE(rad::DayDliText(s, 0, view->Window()).contains(QStringLiteral("0.2 %")));
    // Zoomed onto the records they cover it all; half of a window twice as long.
    const HourRange records{s.hours.front(), s.hours.back() + s.spacing};
    view->SetWindow(records);
    EXPECT_NEAR(WindowCoverage(s, view->Window()), 1.0, 1e-9);
    EXPECT_NEAR(WindowCoverage(s, {records.from - measured, records.to}), 0.5, 1e-9);

    // Each record is drawn as a point one can see: the curve's colour at each record.
    const QImage image = view->Plot()->grab().toImage();
    const CGraph& g = view->Graph();
    const QColor curve = rad::ToQColor(m_app->Settings().graph.color0);
    for (std::size_t row : {0u, 7u, 14u}) {
        const QPoint p(*g.MapX(s.hours[row]),
                       *g.MapY(s.rows[row].quantities[view->Quantity()].value));
        EXPECT_EQ(image.pixelColor(p + QPoint(1, -1)), curve) << "row " << row;  // off the line
    }
    // Points for few or far-apart records, and for one standing alone; a full day is a line.
    CRsdData dense;
    rad::MakeSyntheticDay(dense, 1440, {kQS100}, kMorning - 8 * 3600, 60);
    const DaySeries full = BuildDaySeries(dense, 0);
    EXPECT_TRUE(WantsMarkers(s, DayHours(s, 0), 600));
    EXPECT_FALSE(WantsMarkers(full, DayHours(full, 0), 600));
    EXPECT_TRUE(WantsMarkers(full, {12, 13}, 600));  // zoomed: 60 records
    EXPECT_FALSE(IsolatedRow(full, 700));
    CRsdData lone;
    rad::MakeSyntheticDay(lone, 10, {kQS100}, kMorning, 60);
    rad::MakeSyntheticDay(lone, 1, {kQS100}, kMorning + 3 * 3600, 60);
    EXPECT_TRUE(IsolatedRow(BuildDaySeries(lone, 0), 10));
    EXPECT_FALSE(IsolatedRow(BuildDaySeries(lone, 0), 9));
}

// The Day Series CSV ends with the day summaries, as the command-line tool's daily export.
TEST_F(DayRangeTest, DaySeriesCsvEndsWithTheDailySummaries) {
    const QByteArray rsdtool = qgetenv("RSDTOOL");
    if (rsdtool.isEmpty()) GTEST_SKIP() << "RSDTOOL not set";
    CDayView* view = Open(2, 30, 600);
    ASSERT_NE(view, nullptr);
    const QString ours = m_dir.filePath(QStringLiteral("series.csv"));
    const QString theirs = m_dir.filePath(QStringLiteral("daily.csv"));
    ASSERT_TRUE(view->ExportCsv(ours.toStdString()));
    ASSERT_TRUE(m_app->SaveSettings());
    ASSERT_EQ(QProcess::execute(
                  QString::fromLocal8Bit(rsdtool),
                  {QStringLiteral("daily"), QStringLiteral("--profile"),
                   QString::fromStdString(Profile()), m_path, QStringLiteral("-o"), theirs}),
              0);
    const QString text = QString::fromStdString(ReadBytes(ours));
    const QStringList parts = text.split(QStringLiteral("\n\n"));
    ASSERT_EQ(parts.size(), 2);
    EXPECT_EQ(parts[0].count('\n'), 60);  // the header and the records
    EXPECT_EQ(parts[1], QString::fromStdString(ReadBytes(theirs)));
}

// The page as seen, saved at a chosen size in each format and copied at the window's size.
TEST_F(DayRangeTest, PicturesAtTheChosenSizeAndTheCopyAtTheWindows) {
    CDayView* view = Open(1, 60, 600);
    ASSERT_NE(view, nullptr);
    const QSize size(900, 500);
    for (const char* name : {"day.png", "day.svg", "day.pdf"})
        ASSERT_TRUE(view->SavePicture(m_dir.filePath(name), size)) << name;
    EXPECT_EQ(QImage(m_dir.filePath("day.png")).size(), size);
    EXPECT_NE(ReadBytes(m_dir.filePath("day.svg")).find("viewBox=\"0 0 900 500\""),
              std::string::npos);
    const std::string bytes = ReadBytes(m_dir.filePath("day.pdf"));
    EXPECT_NE(bytes.find("/MediaBox [0 0 900.000000 500.000000]"), std::string::npos);
    EXPECT_FALSE(view->SavePicture(m_dir.filePath(QStringLiteral("day.bmp")), size));
    EXPECT_FALSE(view->SavePicture(m_dir.filePath(QStringLiteral("missing/day.png")), size));
    // A FIFO in the picture's place is refused, not opened and waited on.
    ASSERT_EQ(::mkfifo(m_dir.filePath(QStringLiteral("fifo.png")).toLocal8Bit().constData(), 0600),
              0);
    EXPECT_FALSE(view->SavePicture(m_dir.filePath(QStringLiteral("fifo.png")), size));

    view->Copy();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(QImage::fromData(copied->data(QStringLiteral("image/png"))).size(),
              view->Plot()->size());
}

// Ticks at whole steps read as whole numbers; the map's read-out carries its units.
TEST(DayAxes, TickDecimalsAndReadoutUnits) {
    const std::pair<double, int> steps[] = {{200, 0}, {1, 0},    {0.5, 1},
                                            {0.2, 1}, {0.05, 2}, {0.001, 3}};
    for (const auto& [step, decimals] : steps) EXPECT_EQ(StepDecimals(step), decimals) << step;
    CRsdData set;
    rad::MakeSyntheticDay(set, 30, {kQS100}, kMorning, 600);
    const DaySeries s = BuildDaySeries(set, 0);
    const DayMap map = BuildDayMap(set, s);
    DayPage page;
    page.series = &s;
    page.map = &map;
    page.window = DayHours(s, 0);
    DayReadout readout;
    readout.row = 3;
    readout.wavelength = 550;
    readout.value = 1.25;
    const QString text = rad::DayReadoutText(page, readout);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Time = 08:30:00 WL = 550 nm")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("W/m2/um"))) << text.toStdString();
    // Over several days the time carries its date.
    page.window = {0, 48};
    EXPECT_TRUE(rad::DayReadoutText(page, readout).contains(QStringLiteral("06/01 ")));
}

// The summary box shrinks its type until every line fits, whatever fonts the machine has.
TEST(DayAxes, SummaryTypeFitsItsBox) {
    QImage image(400, 300, QImage::Format_RGB32);
    QPainter painter(&image);
    const QStringList lines = {QStringLiteral("Records: 1440"),
                               QStringLiteral("Clear-sky DLI: 63.96 mol/m2/d"),
                               QStringLiteral("\u6700\u5927PPFD: 1834.2 (12:01)"),
                               QStringLiteral("DLI / clear sky: 0.905")};
    const rad::GraphFont font = DayFont(20);
    for (const QSize box : {QSize(1000, 1000), QSize(120, 200), QSize(300, 40), QSize(5, 5)}) {
        const rad::GraphFont fitted = FitFont(painter, font, box, lines);
        EXPECT_LE(fitted.height, font.height);
        if (fitted.height == 1) continue;  // nothing smaller to try
        for (const QString& line : lines)
            EXPECT_LE(rad::TextWidth(painter, fitted, line), box.width()) << box.width();
        EXPECT_LE(1.2 * rad::TextHeight(painter, fitted) * lines.size(), box.height());
    }
    EXPECT_EQ(FitFont(painter, font, QSize(1000, 1000), lines).height, font.height);
}
