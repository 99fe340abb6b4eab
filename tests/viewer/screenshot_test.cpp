// Screenshots of the catalog, of a detail view and of the toolbar, written as PNG files for
// review, one set per language (LANG decides).
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QToolBar>

#include "CatView.h"
#include "ChildFrame.h"
#include "DayView.h"
#include "MainFrame.h"
#include "QuantitiesPanel.h"
#include "RadviewDoc.h"
#include "SyntheticData.h"
#include "Translations.h"
#include "UniView.h"
#include "ViewerTest.h"

// Pictures go to SCREENSHOT_DIR, named by the language of the texts; the main window is shown
// at one size in that language.
class Screenshot : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        outDir = qEnvironmentVariable("SCREENSHOT_DIR", QDir::currentPath());
        ASSERT_TRUE(QDir().mkpath(outDir));
        rad::InstallTranslations(*qApp, {QStringLiteral("radgraph"), QStringLiteral("radview")});
        language = rad::UseJapaneseTexts(QLocale::system()) ? "ja" : "en";
        frame = std::make_unique<CMainFrame>(*m_app);
        frame->resize(1000, 760);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    QString outDir;
    QString language;
    std::unique_ptr<CMainFrame> frame;
};

// Lets the posted layout and repaint work run; grab() then renders the widgets as they stand.
void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

TEST_F(Screenshot, CatalogAndDetailView) {
    ASSERT_TRUE(frame->OpenFile(WriteDayFile("20240601.RSD", 40)));
    frame->MdiArea()->activeSubWindow()->showMaximized();
    CChildFrame* child = frame->ActiveChild();
    QTest::mouseClick(child->CatView()->viewport(), Qt::LeftButton, {}, QPoint(250, 70));
    Settle();
    const QImage catalog = frame->grab().toImage();
    EXPECT_TRUE(catalog.save(outDir + "/catalog_" + language + ".png"));
    QToolBar* toolbar = frame->findChild<QToolBar*>(QStringLiteral("toolbar"));
    ASSERT_NE(toolbar, nullptr);
    EXPECT_TRUE(toolbar->grab().save(outDir + "/radview_toolbar_" + language + ".png"));

    QTest::mouseClick(child->CatView()->viewport(), Qt::LeftButton, {}, QPoint(250, 70));
    QTest::mouseDClick(child->CatView()->viewport(), Qt::LeftButton, {}, QPoint(250, 70));
    Settle();
    ASSERT_EQ(child->Doc().m_nViewMode, 1);
    const QImage detail = frame->grab().toImage();
    EXPECT_TRUE(detail.save(outDir + "/detail_" + language + ".png"));
    // The two pictures show different views.
    EXPECT_NE(catalog, detail);
}

TEST_F(Screenshot, DayViewAndColourMap) {
    ASSERT_TRUE(frame->OpenFile(WriteDayFile("20240601.RSD", 720)));
    frame->MdiArea()->activeSubWindow()->showMaximized();
    frame->Action(ID_DAY_VIEW)->trigger();
    Settle();
    CChildFrame* child = frame->ActiveChild();
    ASSERT_EQ(child->Doc().m_nViewMode, 2);
    const QImage day = frame->grab().toImage();
    EXPECT_TRUE(day.save(outDir + "/dayview_" + language + ".png"));
    child->DayView()->SetMapShown(true);
    Settle();
    const QImage map = frame->grab().toImage();
    EXPECT_TRUE(map.save(outDir + "/daymap_" + language + ".png"));
    EXPECT_NE(day, map);
    // The read-out with its cross on the map, held down in the plot's middle.
    CDayView* view = child->DayView();
    const CGraph& g = view->Graph();
    const QPoint middle((g.left + g.right) / 3, (g.top + g.bottom) / 2);
    QTest::mousePress(view->Plot(), Qt::LeftButton, {}, middle);
    Settle();
    EXPECT_TRUE(frame->grab().save(outDir + "/daymap_readout_" + language + ".png"));
    EXPECT_TRUE(view->Readout());
    QTest::mouseRelease(view->Plot(), Qt::LeftButton, {}, middle);
    // The file runs past midnight: both days on a date and time axis.
    frame->Action(ID_ALL_DAYS)->trigger();
    Settle();
    const QImage allMap = frame->grab().toImage();
    EXPECT_TRUE(allMap.save(outDir + "/daymap_alldays_" + language + ".png"));
    child->DayView()->SetMapShown(false);
    Settle();
    const QImage all = frame->grab().toImage();
    EXPECT_TRUE(all.save(outDir + "/dayview_alldays_" + language + ".png"));
    EXPECT_NE(all, day);
}

TEST_F(Screenshot, DayViewOfAShortSeriesZoomed) {
    CRsdData set;
    rad::MakeSyntheticDay(set, 15, {kQS100, kQS300}, 1717221600, 10);
    const QString path = m_dir.filePath(QStringLiteral("short.RSD"));
    ASSERT_TRUE(set.Save(path.toStdString()));
    ASSERT_TRUE(frame->OpenFile(path));
    frame->MdiArea()->activeSubWindow()->showMaximized();
    frame->Action(ID_DAY_VIEW)->trigger();
    Settle();
    CDayView* view = frame->ActiveChild()->DayView();
    const DaySeries& s = view->Series();
    view->SetWindow({s.hours.front() - 0.01, s.hours.back() + 0.01});
    Settle();
    EXPECT_TRUE(frame->grab().save(outDir + "/dayview_short_" + language + ".png"));
    EXPECT_TRUE(view->Zoomed());
}

TEST_F(Screenshot, QuantitiesPanelWithItsHintAndValues) {
    ASSERT_TRUE(frame->OpenFile(WriteDayFile("20240601.RSD", 40)));
    frame->MdiArea()->activeSubWindow()->showMaximized();
    frame->QuantitiesPanel()->show();
    Settle();
    const QImage hint = frame->grab().toImage();
    EXPECT_TRUE(hint.save(outDir + "/quantities_hint_" + language + ".png"));
    CChildFrame* child = frame->ActiveChild();
    child->Doc().m_shownIndices = {10, 20};
    child->SwitchView(1);
    frame->updateMenus();
    Settle();
    const QImage values = frame->grab().toImage();
    EXPECT_TRUE(values.save(outDir + "/quantities_" + language + ".png"));
    EXPECT_NE(hint, values);
}
