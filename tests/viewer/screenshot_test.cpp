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

// Lets the posted layout and repaint work run; grab() then renders the widgets as they stand.
void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

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
    // Opens the file maximized, in the day view when asked.
    void Open(const QString& path, bool dayView = false) {
        ASSERT_TRUE(frame->OpenFile(path));
        frame->MdiArea()->activeSubWindow()->showMaximized();
        if (dayView) frame->Action(ID_DAY_VIEW)->trigger();
        Settle();
    }
    // Saves what the widget (the window by default) shows once settled, as name_<language>.png.
    QImage Shot(const QString& name, QWidget* widget = nullptr) {
        Settle();
        const QImage image = (widget ? widget : frame.get())->grab().toImage();
        EXPECT_TRUE(image.save(outDir + "/" + name + "_" + language + ".png"))
            << name.toStdString();
        return image;
    }

    QString outDir;
    QString language;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(Screenshot, CatalogAndDetailView) {
    Open(WriteDayFile("20240601.RSD", 40));
    CChildFrame* child = frame->ActiveChild();
    QTest::mouseClick(child->CatView()->viewport(), Qt::LeftButton, {}, QPoint(250, 70));
    const QImage catalog = Shot("catalog");
    auto* toolbar = frame->findChild<QToolBar*>(QStringLiteral("toolbar"));
    ASSERT_NE(toolbar, nullptr);
    Shot("radview_toolbar", toolbar);

    QTest::mouseClick(child->CatView()->viewport(), Qt::LeftButton, {}, QPoint(250, 70));
    QTest::mouseDClick(child->CatView()->viewport(), Qt::LeftButton, {}, QPoint(250, 70));
    const QImage detail = Shot("detail");
    ASSERT_EQ(child->Doc().m_nViewMode, 1);
    // The two pictures show different views.
    EXPECT_NE(catalog, detail);
}

TEST_F(Screenshot, DayViewAndColourMap) {
    Open(WriteDayFile("20240601.RSD", 720), true);
    const QImage day = Shot("dayview");
    ASSERT_EQ(frame->ActiveChild()->Doc().m_nViewMode, 2);
    CDayView* view = frame->ActiveChild()->DayView();
    view->SetMapShown(true);
    EXPECT_NE(day, Shot("daymap"));
    // The read-out with its cross on the map, held down in the plot's middle.
    const CGraph& g = view->Graph();
    const QPoint middle((g.left + g.right) / 3, (g.top + g.bottom) / 2);
    QTest::mousePress(view->Plot(), Qt::LeftButton, {}, middle);
    Shot("daymap_readout");
    EXPECT_TRUE(view->Readout());
    QTest::mouseRelease(view->Plot(), Qt::LeftButton, {}, middle);
    // The file runs past midnight: both days on a date and time axis.
    frame->Action(ID_ALL_DAYS)->trigger();
    Shot("daymap_alldays");
    view->SetMapShown(false);
    EXPECT_NE(Shot("dayview_alldays"), day);
}

TEST_F(Screenshot, DayViewOfAShortSeriesZoomed) {
    Open(WriteDayFile("short.RSD", 15, 1717221600, 10), true);
    CDayView* view = frame->ActiveChild()->DayView();
    const DaySeries& s = view->Series();
    view->SetWindow({s.hours.front() - 0.01, s.hours.back() + 0.01});
    Shot("dayview_short");
    EXPECT_TRUE(view->Zoomed());
}

TEST_F(Screenshot, QuantitiesPanelWithItsHintAndValues) {
    Open(WriteDayFile("20240601.RSD", 40));
    frame->QuantitiesPanel()->show();
    const QImage hint = Shot("quantities_hint");
    CChildFrame* child = frame->ActiveChild();
    child->Doc().m_shownIndices = {10, 20};
    child->SwitchView(1);
    frame->updateMenus();
    EXPECT_NE(hint, Shot("quantities"));
}
