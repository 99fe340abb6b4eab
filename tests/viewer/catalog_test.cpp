#include <QTest>

#include "CatLayout.h"
#include "CatView.h"
#include "ChildFrame.h"
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

TEST(CatalogLayout, ColumnsRowsScrollSizeAndHits) {
    // records, width: columns, rows, total width and height
    const std::array<int, 6> cases[] = {
        {25, 500, 6, 5, 480, 300}, {12, 480, 6, 3, 480, 180}, {3, 50, 1, 4, 80, 240}};
    for (const auto& [records, width, columns, rows, totalWidth, totalHeight] : cases) {
        CCatLayout layout;
        layout.Layout(records, width, QSize(80, 60));
        EXPECT_EQ(layout.Columns(), columns) << records;
        EXPECT_EQ(layout.Rows(), rows) << records;
        EXPECT_EQ(layout.TotalWidth(), totalWidth) << records;
        EXPECT_EQ(layout.TotalHeight(), totalHeight) << records;
    }
    // Hits on tiles inside the grid only.
    CCatLayout layout;
    layout.Layout(25, 500, QSize(80, 60));
    EXPECT_EQ(layout.RectOf(7), QRect(80, 60, 80, 60));
    EXPECT_EQ(layout.HitTest(0, 0, 25), 0);
    EXPECT_EQ(layout.HitTest(479, 59, 25), 5);
    EXPECT_EQ(layout.HitTest(85, 65, 25), 7);
    EXPECT_EQ(layout.HitTest(480, 10, 25), -1);   // right of the sixth column
    EXPECT_EQ(layout.HitTest(100, 250, 25), -1);  // below the last record
    EXPECT_EQ(layout.HitTest(0, 240, 25), 24);
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
    EXPECT_EQ(anchor, -1);
    ApplyCatalogClick(set, 6, ClickMode::Range, anchor);  // no anchor: nothing marked
    EXPECT_TRUE(Selected(set).empty());
}

using CatalogView = ViewerTest;

TEST_F(CatalogView, MouseSelectionTilesAndHintOne) {
    CChildFrame frame(*m_app);
    frame.resize(500, 400);
    frame.show();
    ASSERT_TRUE(frame.OpenDocument(WriteDayFile("a.RSD", 8)));
    CCatView* view = frame.CatView();
    CRsdData& set = frame.Doc().Data();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(170, 10));
    EXPECT_EQ(Selected(set), (std::vector<int>{0, 1, 2}));
    ASSERT_NE(view->TileOf(set.GetAt(2)), nullptr);
    EXPECT_EQ(view->TileOf(set.GetAt(2))->size(), QSize(80, 60));

    // Tiles stay with their records when others are deleted.
    const QImage third = *view->TileOf(set.GetAt(3));
    frame.Doc().DeleteSelected();
    ASSERT_EQ(set.GetCount(), 5);
    EXPECT_EQ(*view->TileOf(set.GetAt(0)), third);

    frame.Doc().SelectAll();
    EXPECT_EQ(frame.Doc().SelectedCount(), 5);
    frame.Doc().UpdateAllViews(kHintRebuildTiles);
    EXPECT_EQ(frame.Doc().SelectedCount(), 0);
}
