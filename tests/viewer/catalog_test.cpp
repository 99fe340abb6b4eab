// The catalog: its layout, selection and tiles; and the document under it: open, delete,
// next and previous, and the exports.
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <fstream>

#include "CatLayout.h"
#include "CatView.h"
#include "ChildFrame.h"
#include "DayFlags.h"
#include "DaySeries.h"
#include "Graph.h"
#include "GraphTestSupport.h"
#include "QcFlags.h"
#include "RadviewDoc.h"
#include "SyntheticData.h"
#include "ViewerTest.h"

namespace {

std::vector<int> Selected(const CRsdData& set) {
    std::vector<int> marks;
    for (int i = 0; i < set.GetCount(); ++i) {
        if (set.GetAt(i).m_nSelect & 1) marks.push_back(i);
    }
    return marks;
}

}  // namespace

TEST(CatalogLayout, ScrollSizeAndHits) {
    // records, width: total width and height (always a row more than the full rows)
    const std::array<int, 4> cases[] = {{25, 500, 480, 300}, {12, 480, 480, 180}, {3, 50, 80, 240}};
    for (const auto& [records, width, totalWidth, totalHeight] : cases) {
        CCatLayout layout;
        layout.Layout(records, width, QSize(80, 60));
        EXPECT_EQ(QSize(layout.TotalWidth(), layout.TotalHeight()), QSize(totalWidth, totalHeight))
            << records;
    }
    // Hits on tiles inside the grid only.
    CCatLayout layout;
    layout.Layout(25, 500, QSize(80, 60));
    EXPECT_EQ(layout.RectOf(7), QRect(80, 60, 80, 60));
    // x, y: tile; right of the sixth column and below the last record nothing.
    const std::array<int, 3> hits[] = {{0, 0, 0},     {479, 59, 5},   {85, 65, 7},
                                       {480, 10, -1}, {100, 250, -1}, {0, 240, 24}};
    for (const auto& [x, y, tile] : hits)
        EXPECT_EQ(layout.HitTest(x, y, 25), tile) << x << "," << y;
}

TEST(CatalogSelection, ClickCtrlShiftAndAnchor) {
    CRsdData set;
    rad::MakeSyntheticDay(set, 8, {kQS100}, 1717221600, 60);
    int anchor = -1;
    ApplyCatalogClick(set, 2, ClickMode::Plain, anchor);
    ApplyCatalogClick(set, 5, ClickMode::Range, anchor);
    EXPECT_EQ(Selected(set), (std::vector<int>{2, 3, 4, 5}));
    ApplyCatalogClick(set, 3, ClickMode::Toggle, anchor);
    EXPECT_EQ(Selected(set), (std::vector<int>{2, 4, 5}));
    ApplyCatalogClick(set, 0, ClickMode::Range, anchor);
    EXPECT_EQ(Selected(set), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    ApplyCatalogClick(set, -1, ClickMode::Plain, anchor);
    EXPECT_TRUE(Selected(set).empty());
    ApplyCatalogClick(set, 6, ClickMode::Range, anchor);  // no anchor left: nothing marked
    EXPECT_TRUE(Selected(set).empty());
}

using CatalogView = ViewerTest;

// Home and End go to the ends of the anchor's row, with Ctrl to the ends of the catalog, with
// Shift extending the selection; a right click selects the tile under it unless it is selected.
TEST_F(CatalogView, KeysAndRightClickSelect) {
    // Six columns, not all rows in view.
    CChildFrame& frame = OpenInChild(WriteDayFile("a.RSD", 25), QSize(500, 200));
    CCatView* view = frame.CatView();
    const auto at = [view](int tile) {
        return view->Layout().RectOf(tile).center() - QPoint(0, view->verticalScrollBar()->value());
    };
    const CRsdData& set = frame.Doc().Data();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::vector<int> selected;
    } cases[] = {
        {Qt::Key_Home, {}, {6}},
        {Qt::Key_End, {}, {11}},
        {Qt::Key_Home, Qt::ControlModifier, {0}},
        {Qt::Key_End, Qt::ControlModifier, {24}},
        {Qt::Key_End, Qt::ShiftModifier, {8, 9, 10, 11}},
    };
    for (const auto& c : cases) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at(8));
        QTest::keyClick(view, c.key, c.modifiers);
        EXPECT_EQ(Selected(set), c.selected) << c.key << " " << c.modifiers;
    }
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_TRUE(view->viewport()->rect().contains(at(24)));  // scrolled into view
    QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(2));
    QTest::mousePress(view->viewport(), Qt::RightButton, {}, at(1));
    EXPECT_EQ(Selected(set), (std::vector<int>{0, 1, 2}));
    QTest::mousePress(view->viewport(), Qt::RightButton, {}, at(3));
    EXPECT_EQ(Selected(set), (std::vector<int>{3}));
}

TEST_F(CatalogView, TilesFollowTheirRecordsAndHintOneClears) {
    CChildFrame& frame = OpenInChild(WriteDayFile("a.RSD", 8), QSize(500, 400));
    CCatView* view = frame.CatView();
    CRsdData& set = frame.Doc().Data();
    for (int i : {0, 1, 2}) set.GetAt(i).m_nSelect = 1;
    ASSERT_NE(view->TileOf(set.GetAt(2)), nullptr);
    EXPECT_EQ(view->TileOf(set.GetAt(2))->size(), QSize(80, 60));

    // Tiles stay with their records when others are deleted.
    const QImage third = *view->TileOf(set.GetAt(3));
    frame.Doc().DeleteSelected();
    ASSERT_EQ(set.GetCount(), 5);
    EXPECT_EQ(*view->TileOf(set.GetAt(0)), third);
    EXPECT_TRUE(frame.Doc().IsModified());

    frame.Doc().SelectAll();
    EXPECT_EQ(frame.Doc().SelectedCount(), 5);
    frame.Doc().UpdateAllViews(kHintRebuildTiles);
    EXPECT_EQ(frame.Doc().SelectedCount(), 0);
}

// A record with a flag that says something is wrong carries a marker; the tooltip names its
// flags.
TEST_F(CatalogView, FlaggedTileCarriesAMarkerAndItsFlagsAsTooltip) {
    CRsdData day;
    rad::MakeSyntheticDay(day, 4, {kQS100, kQS300}, 1717221600, 60);
    day.GetAt(2).Block(kQS100)->MD[4] = day.GetAt(2).Block(kQS100)->DD[4] = 0.0f;
    const QString path = m_dir.filePath(QStringLiteral("flagged.RSD"));
    ASSERT_TRUE(day.Save(path.toStdString()));
    CChildFrame& frame = OpenInChild(path, QSize(500, 400));
    CCatView* view = frame.CatView();
    const QImage shown = view->viewport()->grab().toImage();
    const auto corner = [&](int tile) {
        const QRect rect = view->Layout().RectOf(tile);
        return shown.pixelColor(rect.topRight() + QPoint(-3, 3) * shown.devicePixelRatio());
    };
    EXPECT_EQ(corner(2), QColor(0xd0, 0x30, 0x20));
    EXPECT_NE(corner(1), QColor(0xd0, 0x30, 0x20));

    const QPoint inside = view->Layout().RectOf(2).center();
    QHelpEvent help(QEvent::ToolTip, inside, view->viewport()->mapToGlobal(inside));
    QApplication::sendEvent(view->viewport(), &help);
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("saturated")))
        << QToolTip::text().toStdString();
}

// The Day View rings the points of flagged records, and only those.
TEST(DayFlags, RingsOnlyTheFlaggedPoints) {
    CRsdData day;
    rad::MakeSyntheticDay(day, 3, {kQS100, kQS300}, 1717221600, 3600);
    day.GetAt(1).RemoveBlock(kQS300);
    const DaySeries series = BuildDaySeries(day, 0);
    ASSERT_TRUE(series.rows[1].qc & rad::kQcSensorMissing);
    const CGraph graph =
        MakeGraph({10, 10, 190, 190}, series.hours.front() - 1, series.hours.back() + 1, 0, 3);
    const std::vector<double> values = {1, 2, 1};
    const QImage picture = Paint(QSize(200, 200), [&](QPainter& painter) {
        rad::DrawFlaggedPoints(painter, graph, series, values, 0, values.size(), 1);
    });
    const auto ringTop = [&](std::size_t row) {
        return picture.pixelColor(*graph.MapX(series.hours[row]), *graph.MapY(values[row]) - 3);
    };
    EXPECT_EQ(ringTop(1), QColor(0xd0, 0x30, 0x20));
    EXPECT_EQ(ringTop(0), QColor(Qt::white));
    EXPECT_EQ(ringTop(2), QColor(Qt::white));
}

using Document = ViewerTest;

// A day opens with the pictures in view; the others follow from the event loop until the
// whole day is drawn for scrolling.
TEST_F(CatalogView, TilesInViewAtOnceTheRestFromTheEventLoop) {
    CChildFrame& frame = OpenInChild(WriteDayFile("a.RSD", 1440), QSize(600, 400));
    CCatView* view = frame.CatView();
    const CRsdData& set = frame.Doc().Data();
    EXPECT_NE(view->TileOf(set.GetAt(0)), nullptr);
    EXPECT_EQ(view->TileOf(set.GetAt(1439)), nullptr);
    int turns = 0;
    while (!view->TileOf(set.GetAt(1439)) && turns < 10000) {
        QCoreApplication::processEvents();
        ++turns;
    }
    for (int i : {0, 700, 1439}) EXPECT_NE(view->TileOf(set.GetAt(i)), nullptr) << i;
}

TEST_F(Document, OpenFailedOpenAndStepping) {
    CRadviewDoc doc(*m_app);
    const QString junk = m_dir.filePath(QStringLiteral("junk.RSD"));
    std::ofstream(junk.toStdString()) << "not a data file\n";
    EXPECT_LT(doc.Open(junk), 0);
    EXPECT_FALSE(doc.LastError().isEmpty());

    int hint = -1;
    QObject::connect(&doc, &CRadviewDoc::updated, [&hint](int h) { hint = h; });
    EXPECT_EQ(doc.Open(WriteDayFile("a.RSD", 3)), 3);
    EXPECT_EQ(hint, kHintRebuildTiles);
    EXPECT_FALSE(doc.IsModified());

    // Next and previous step through the records of the detail view only.
    doc.Data().GetAt(1).m_nSelect = 1;
    doc.ShowSelected();
    EXPECT_FALSE(doc.CanNext());  // still in the catalog
    doc.m_nViewMode = 1;
    doc.PrepareShown();
    ASSERT_EQ(doc.m_shownSpectra.size(), 1u);
    EXPECT_TRUE(doc.CanNext());
    EXPECT_TRUE(doc.CanPrevious());
    doc.Next();
    EXPECT_EQ(doc.m_shownIndices, std::vector<int>{2});
    EXPECT_EQ(doc.m_shownSpectra.size(), 1u);
    EXPECT_FALSE(doc.CanNext());
    doc.Next();  // the last record: nothing happens
    EXPECT_EQ(doc.m_shownIndices, std::vector<int>{2});
    doc.m_shownIndices = {0, 1};
    EXPECT_FALSE(doc.CanNext());
    EXPECT_FALSE(doc.CanPrevious());
}

// The exports and rsdtool share the core; the files must agree byte for byte.
TEST_F(Document, ExportsEqualRsdtool) {
    const QByteArray rsdtool = qgetenv("RSDTOOL");
    if (rsdtool.isEmpty()) GTEST_SKIP() << "RSDTOOL not set";
    m_app->Settings().csv.pitch = 1;
    m_app->Settings().csv.left = 350;
    m_app->Settings().csv.right = 1200;
    m_app->Settings().integ = {400, 700};
    ASSERT_TRUE(m_app->SaveSettings());
    CRadviewDoc doc(*m_app);
    const QString day = WriteDayFile("a.RSD", 6);
    ASSERT_EQ(doc.Open(day), 6);
    doc.Data().GetAt(4).m_nSelect = 1;
    doc.Data().GetAt(1).m_nSelect = 1;

    for (const QString& command : {QStringLiteral("spectral-csv"), QStringLiteral("calc-csv")}) {
        const QString ours = m_dir.filePath(command + "-viewer.csv");
        const QString theirs = m_dir.filePath(command + "-tool.csv");
        if (command == QStringLiteral("spectral-csv"))
            ASSERT_EQ(doc.ExportSpectralCsv(ours.toStdString()), kExportWritten);
        else
            ASSERT_EQ(doc.ExportCalcCsv(ours.toStdString()), 1);
        const int rc = QProcess::execute(
            QString::fromLocal8Bit(rsdtool),
            {command, QStringLiteral("--profile"), QString::fromStdString(Profile()),
             QStringLiteral("--records"), QStringLiteral("1,4"), day, theirs});
        ASSERT_EQ(rc, 0) << command.toStdString();
        const std::string bytes = ReadBytes(ours);
        EXPECT_GT(bytes.size(), 100u);
        EXPECT_EQ(bytes, ReadBytes(theirs)) << command.toStdString();
    }
}
