#include "MainFrame.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTranslator>

#include "CatView.h"
#include "ChildFrame.h"
#include "ConfDlg.h"
#include "RadviewDoc.h"
#include "UniView.h"
#include "ViewerTest.h"

namespace {

QStringList MenuTitles(QMainWindow& window) {
    QStringList titles;
    for (QAction* a : window.menuBar()->actions()) titles << a->text();
    return titles;
}

}  // namespace

using MainFrame = ViewerTest;

TEST_F(MainFrame, OpenFailAndCloseWithOrWithoutChanges) {
    CMainFrame frame(*m_app);
    frame.show();
    EXPECT_EQ(MenuTitles(frame), (QStringList{"File(&F)", "View(&V)", "&Help"}));
    const QString missing = m_dir.filePath(QStringLiteral("none.RSD"));
    EXPECT_FALSE(frame.OpenFile(missing));
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(frame.statusBar()->currentMessage().contains(missing));

    ASSERT_TRUE(frame.OpenFile(WriteDayFile("a.RSD", 4)));
    EXPECT_EQ(MenuTitles(frame).size(), 5);
    EXPECT_EQ(m_app->Settings().recentFiles.size(), 1u);
    CChildFrame* child = frame.ActiveChild();
    ASSERT_NE(child, nullptr);
    child->Doc().SetModified(true);
    AnswerNextMessageBox(QMessageBox::Cancel);
    frame.MdiArea()->closeActiveSubWindow();
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 1);
    AnswerNextMessageBox(QMessageBox::No);
    frame.MdiArea()->closeActiveSubWindow();
    QApplication::processEvents();
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());

    ASSERT_TRUE(frame.OpenFile(WriteDayFile("b.RSD", 2)));
    frame.MdiArea()->closeActiveSubWindow();  // unmodified: no question
    QApplication::processEvents();
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
}

// Radlog appends to today's file while it is open: Save asks instead of dropping those records.
TEST_F(MainFrame, SaveAsksWhenTheFileGrewOnDisk) {
    CMainFrame frame(*m_app);
    frame.show();
    const QString path = WriteDayFile("today.RSD", 3);
    ASSERT_TRUE(frame.OpenFile(path));
    CChildFrame* child = frame.ActiveChild();
    child->Doc().Data().GetAt(0).m_nSelect = 1;
    child->Doc().DeleteSelected();
    WriteDayFile("today.RSD", 5);
    AnswerNextMessageBox(QStringLiteral("&Reload"));
    EXPECT_FALSE(child->SaveDocument(false));
    EXPECT_EQ(child->Doc().Data().GetCount(), 5);
    EXPECT_FALSE(child->Doc().IsModified());

    EXPECT_EQ(child->Doc().SelectedCount(), 0);  // hint 1 of the reload
    child->Doc().Data().GetAt(4).m_nSelect = 1;
    child->Doc().DeleteSelected();
    WriteDayFile("today.RSD", 6);
    AnswerNextMessageBox(QStringLiteral("&Overwrite"));
    EXPECT_TRUE(child->SaveDocument(false));
    CRsdData saved;
    EXPECT_EQ(saved.Load(path.toStdString()), 4);
}

TEST_F(MainFrame, EnablingFollowsViewAndSelection) {
    CMainFrame frame(*m_app);
    frame.resize(900, 700);
    frame.show();
    ASSERT_TRUE(frame.OpenFile(WriteDayFile("a.RSD", 8)));
    CChildFrame* child = frame.ActiveChild();
    EXPECT_FALSE(frame.Action(ID_DELETE)->isEnabled());
    EXPECT_TRUE(frame.Action(ID_EDIT_SELECT_ALL)->isEnabled());
    EXPECT_FALSE(frame.Action(ID_EDIT_COPY)->isEnabled());
    EXPECT_FALSE(frame.Action(ID_TILED_DATA)->isEnabled());

    // A widget's double click arrives after the press of the first click.
    QTest::mouseClick(child->CatView()->viewport(), Qt::LeftButton, {}, QPoint(100, 10));
    QTest::mouseDClick(child->CatView()->viewport(), Qt::LeftButton, {}, QPoint(100, 10));
    QApplication::processEvents();
    ASSERT_EQ(child->Doc().m_nViewMode, 1);
    EXPECT_EQ(child->Doc().m_shownIndices, std::vector<int>{1});
    EXPECT_TRUE(frame.Action(ID_EDIT_COPY)->isEnabled());
    EXPECT_FALSE(frame.Action(ID_DELETE)->isEnabled());
    EXPECT_TRUE(frame.Action(ID_NEXT_DATA)->isEnabled());
    frame.Action(ID_PREV_DATA)->trigger();
    EXPECT_FALSE(frame.Action(ID_PREV_DATA)->isEnabled());

    // With the default range 300-1800 nm, 224 units right of a 448-wide plot read 1050 nm.
    CUniView* view = child->UniView();
    view->resize(679, 510);  // drawing area 679 x 509: plot 95 .. 543
    view->repaint();
    ASSERT_EQ(view->Graph().Width(), 448);
    const QPoint inside(view->Graph().left + 224, view->Graph().top + 10);
    QTest::mousePress(view, Qt::LeftButton, {}, inside);
    ASSERT_TRUE(view->Readout());
    EXPECT_EQ(view->Readout()->wavelength, 1050);
    EXPECT_EQ(CUniView::ReadoutText(*view->Readout()),
              QString::asprintf("WL = 1050 Irr = %6.1f",
                                child->Doc().m_shownSpectra.front().GetValue(1050)));
    QTest::mouseRelease(view, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(view->Readout());

    QTest::mouseDClick(view, Qt::LeftButton, {}, inside);
    QApplication::processEvents();
    EXPECT_EQ(child->Doc().m_nViewMode, 0);
    EXPECT_EQ(child->Doc().SelectedCount(), 1);  // the selection is unchanged
    EXPECT_TRUE(frame.Action(ID_DELETE)->isEnabled());
}

TEST(CsvSettingsDialog, PairsExcludeAndRangeFollowsInterval) {
    CConfDlg dialog;
    CsvSettings csv;
    IntegSettings integ;
    dialog.Load(csv, integ);
    EXPECT_FALSE(dialog.RangeFromEdit()->isEnabled());
    dialog.OneNmButton()->click();
    EXPECT_TRUE(dialog.RangeToEdit()->isEnabled());
    dialog.ModelBox(kQS100)->click();  // unchecking one box still clears its partner
    EXPECT_FALSE(dialog.ModelBox(kQS200)->isChecked());
    dialog.ModelBox(kQS200)->click();
    dialog.ModelBox(kQS400)->click();
    dialog.Store(csv, integ);
    EXPECT_EQ(csv.models, (std::array<bool, 4>{false, true, false, false}));
    EXPECT_EQ(csv.pitch, 1);
}

TEST(Language, JapaneseCatalogueTranslatesTheMenus) {
    QTranslator translator;
    ASSERT_TRUE(translator.load(QStringLiteral(":/i18n/radview_ja.qm")));
    QCoreApplication::installTranslator(&translator);
    rad::ProfileLocation location;
    CRadviewApp app(location);
    CMainFrame frame(app);
    EXPECT_EQ(MenuTitles(frame).front(), QString::fromUtf8("ﾌｧｲﾙ(&F)"));
    EXPECT_EQ(frame.Action(ID_FILE_OPEN)->text(), QString::fromUtf8("開く(&O)...\tCtrl+O"));
    CConfDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("データ設定"));
    QCoreApplication::removeTranslator(&translator);
}
