// The main window around the controller: enabling rules, the progress dialog, Abort with its
// confirmation, the automatic start, close requests from outside, and both languages.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>
#include <QTimer>
#include <csignal>

#include "CloseRequests.h"
#include "ControllerTexts.h"
#include "DesktopTestSupport.h"
#include "GraphDlg.h"
#include "IntDlg.h"
#include "LocalTime.h"
#include "LockIndicators.h"
#include "RadlogApp.h"
#include "RadlogConfDlg.h"
#include "RadlogDoc.h"
#include "RadlogMainFrame.h"
#include "Resample.h"
#include "Schedule.h"
#include "SyntheticData.h"
#include "TodayDock.h"
#include "Translations.h"

namespace {

using desktop_test::AnswerNextMessageBox;

class DesktopWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_settings.rsdFolder = m_dir.path().toStdString() + "/";
        m_settings.csvFolder = m_settings.rsdFolder;
        m_settings.programFolder = m_settings.rsdFolder;
    }

    void Open(bool autoStart) {
        m_settings.autoStart = autoStart;
        m_app = std::make_unique<CRadlogApp>(
            m_settings, [this] { ++m_nSaves; }, m_clock);
        m_app->Start();
    }

    QAction* Action(Cmd id) const { return m_app->Frame()->Action(id); }
    bool Running() const { return m_app->Doc()->IsRunning(); }
    void ClickAbort() const {
        QTest::mouseClick(m_app->ProgressDlg()->findChild<QPushButton*>("abort"), Qt::LeftButton);
    }

    const bool m_ja = rad::UseJapaneseTexts(QLocale::system());
    QTemporaryDir m_dir;
    RadlogSettings m_settings;
    CSystemClock m_clock;
    int m_nSaves = 0;
    std::unique_ptr<CRadlogApp> m_app;
};

TEST_F(DesktopWindow, AutoStartOpensTheIntervalProgressAndLocksTheWindow) {
    // The whole day is the window, so no "next cycle at" replaces "Ready" at any hour.
    m_settings.start = 0;
    m_settings.end = 86399;
    Open(true);
    CIntDlg* progress = m_app->ProgressDlg();
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->windowTitle().toStdString(), rad::ControllerText(kTextTitleInterval, m_ja));
    EXPECT_FALSE(progress->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(Running());
    for (Cmd id : {Cmd::StartInterval, Cmd::ManualMeasurement, Cmd::MeasurementSettings, Cmd::Exit})
        EXPECT_FALSE(Action(id)->isEnabled()) << static_cast<int>(id);
    for (Cmd id : {Cmd::Copy, Cmd::Print, Cmd::PrintPreview, Cmd::GraphSettings, Cmd::About})
        EXPECT_TRUE(Action(id)->isEnabled()) << static_cast<int>(id);
    const auto offer = AnswerNextMessageBox(QMessageBox::Cancel);
    EXPECT_FALSE(m_app->Frame()->close());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !offer->isEmpty(); }));
    EXPECT_TRUE(Running());
    EXPECT_FALSE(progress->close());  // only Abort ends it
    QTest::keyClick(progress, Qt::Key_Escape);
    EXPECT_TRUE(progress->isVisible());
    // Timer 1 sets the clock label; its tick is driven here rather than waited for.
    EXPECT_TRUE(progress->ClockText().isEmpty());
    ASSERT_TRUE(QMetaObject::invokeMethod(m_app.get(), "Tick"));
    EXPECT_FALSE(progress->ClockText().isEmpty());
    // Greyed commands still tell what they do when the mouse is over them.
    QMenu* measure = m_app->Frame()->menuBar()->actions().at(1)->menu();
    measure->popup(QPoint(100, 100));
    desktop_test::HoverMenuEntry(measure, Action(Cmd::StartInterval));
    EXPECT_EQ(m_app->Frame()->MessageText(), Action(Cmd::StartInterval)->statusTip());
    measure->hide();
    // Then the idle pane again: "Ready", or the wait when the clock is outside the window.
    const auto* idle = m_app->Frame()->findChild<QLabel*>("idle");
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(m_app->Frame()->MessageText(), idle->text());
}

// Outside the daily window the status bar says when the next cycle is due; a stop clears it.
TEST_F(DesktopWindow, TheStatusBarSaysWhenTheNextCycleRuns) {
    const int64_t later = (rad::SecondOfDay(rad::Now()).value() + 7200) % 86400;
    m_settings.start = m_settings.end = later;
    Open(true);
    ASSERT_TRUE(QMetaObject::invokeMethod(m_app.get(), "Tick"));
    const QString clock = QTime(0, 0).addSecs(static_cast<int>(later)).toString("HH:mm:ss");
    EXPECT_TRUE(m_app->Frame()->MessageText().startsWith("next cycle at " + clock))
        << m_app->Frame()->MessageText().toStdString();
    m_app->Shutdown();
    EXPECT_EQ(m_app->Frame()->MessageText(), m_ja ? "ﾚﾃﾞｨ" : "Ready");
}

// During an acquisition About and Graph Settings open above the progress dialog, and the close
// button says why it does not close and offers to stop the acquisition and close.
TEST_F(DesktopWindow, DialogsAboveProgressAndCloseOffersTheStop) {
    Open(true);
    Qt::WindowFlags about;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        about = dialog->windowFlags();
        dialog->close();
    });
    Action(Cmd::About)->trigger();
    EXPECT_TRUE(about & Qt::WindowStaysOnTopHint);
    Action(Cmd::GraphSettings)->trigger();
    EXPECT_TRUE(m_app->GraphDlg()->isVisible());
    EXPECT_TRUE(m_app->GraphDlg()->windowFlags() & Qt::WindowStaysOnTopHint);

    const auto offer = AnswerNextMessageBox([](QMessageBox* box) -> QAbstractButton* {
        for (QAbstractButton* button : box->buttons())
            if (box->buttonRole(button) == QMessageBox::AcceptRole) return button;
        return nullptr;
    });
    EXPECT_FALSE(m_app->Frame()->close());
    EXPECT_EQ(m_app->Frame()->MessageText(),
              CMainFrame::tr("Radlog cannot close while a measurement runs."));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !offer->isEmpty(); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_app->Frame()->isVisible(); }));
    EXPECT_FALSE(Running());
}

// The window manager places the main window only after it is shown; the progress dialog of the
// automatic start waits for that. Abort asks first; after a cancelled stop the dialog stays
// where the user put it.
TEST_F(DesktopWindow, AbortAsksAndTheProgressDialogStaysWhereMoved) {
    Open(true);
    CMainFrame* frame = m_app->Frame();
    CIntDlg* progress = m_app->ProgressDlg();
    frame->move(211, 157);
    const auto centred = [&] {
        return progress->pos() == frame->frameGeometry().center() - progress->rect().center();
    };
    EXPECT_TRUE(QTest::qWaitFor(centred)) << progress->pos().x() << "," << progress->pos().y();

    progress->move(37, 41);
    auto question = AnswerNextMessageBox(QMessageBox::Cancel);
    ClickAbort();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !question->isEmpty() && progress->isVisible(); }));
    EXPECT_EQ(question->toStdString(), rad::ControllerText(kTextConfirmStop, m_ja));
    QApplication::processEvents();
    EXPECT_EQ(progress->pos(), QPoint(37, 41));
    EXPECT_TRUE(Running());
    EXPECT_FALSE(Action(Cmd::StartInterval)->isEnabled());

    question = AnswerNextMessageBox(QMessageBox::Ok);
    ClickAbort();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Running(); }));
    EXPECT_FALSE(m_app->ProgressDlg()->isVisible());
    for (Cmd id : {Cmd::StartInterval, Cmd::ManualMeasurement, Cmd::MeasurementSettings, Cmd::Exit})
        EXPECT_TRUE(Action(id)->isEnabled()) << static_cast<int>(id);
    EXPECT_TRUE(m_app->Frame()->close());
}

TEST_F(DesktopWindow, ManualAcquisitionWithoutSensorsStoresNothingWithoutAsking) {
    Open(false);
    EXPECT_FALSE(m_app->ProgressDlg()->isVisible());
    bool asked = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget()) asked = true;
    });
    watch.start(10);
    Action(Cmd::ManualMeasurement)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Running(); }));
    EXPECT_FALSE(asked);
    EXPECT_FALSE(m_app->ProgressDlg()->isVisible());
    EXPECT_TRUE(m_app->ProgressDlg()->SensorText().isEmpty());  // no sensor enabled
    EXPECT_EQ(m_app->Doc()->State().storedCycles, 0);
}

TEST_F(DesktopWindow, SigtermStopsARunningAcquisitionCleanly) {
    Open(true);
    CCloseRequests requests;
    QObject::connect(&requests, &CCloseRequests::closeRequested, m_app.get(),
                     &CRadlogApp::Shutdown);
    std::raise(SIGTERM);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_app->Frame()->isVisible(); }));
    EXPECT_FALSE(Running());
    EXPECT_FALSE(QApplication::activeModalWidget());  // no confirmation on the way out
    m_app.reset();
    EXPECT_EQ(m_nSaves, 1);
    QFile file(
        QString::fromStdString(m_settings.rsdFolder + rad::FormatLocalTime(rad::Now(), "%Y.LOG")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray log = file.readAll();
    const qsizetype stop = log.indexOf("INT.MEAS STOP");
    ASSERT_GE(stop, 0) << log.toStdString();
    EXPECT_GT(log.indexOf("APP CLOSE"), stop);
}

TEST_F(DesktopWindow, TextsFollowTheUserLanguage) {
    Open(false);
    QStringList menus;
    for (QAction* menu : m_app->Frame()->menuBar()->actions()) menus << menu->text();
    EXPECT_EQ(menus, m_ja ? QStringList({"ﾌｧｲﾙ(&F)", "計測", "表示(&V)", "ﾍﾙﾌﾟ(&H)"})
                          : QStringList({"&File", "&Measure", "&View", "&Help"}));
    QAction* interval = Action(Cmd::StartInterval);
    EXPECT_EQ(interval->text(), m_ja ? "インターバル計測開始(&S)" : "&Start Interval Measurement");
    EXPECT_EQ(interval->toolTip(), m_ja ? "インターバル計測開始" : "Start");
    CConfDlg settings(ConfValues{}, {});
    EXPECT_EQ(settings.windowTitle(), m_ja ? "計測設定" : "Measurement Settings");
    CIntDlg progress;
    EXPECT_EQ(progress.findChild<QPushButton*>("abort")->text(), m_ja ? "中止" : "Abort");
}

TEST(LockIndicators, PanesShowTheLocksThatAreOn) {
    QStatusBar bar;
    CLockIndicators panes(&bar);
    panes.Show({std::nullopt, true, false, std::nullopt});
    EXPECT_EQ(panes.Text(1), "CAPS");
    EXPECT_EQ(panes.Text(2), "");
    EXPECT_EQ(panes.Text(3), "");
    EXPECT_FALSE(bar.findChild<QWidget*>("KANA")->isVisibleTo(&bar));  // no such lamp
    panes.Show({true, false, true, true});
    EXPECT_EQ(panes.Text(0), "KANA");
    EXPECT_EQ(panes.Text(2), "NUM");
    EXPECT_EQ(panes.Text(3), "SCRL");
    EXPECT_TRUE(bar.findChild<QWidget*>("KANA")->isVisibleTo(&bar));
}

TEST(TodayDock, ShowsTheLatestRecordAndTheDaySoFar) {
    rad::InitTimeZone();
    CTodayDock dock;
    EXPECT_EQ(dock.PpfdText(), QStringLiteral("\u2014"));
    EXPECT_EQ(dock.DliText(), QStringLiteral("\u2014"));

    CRsdData set;
    rad::MakeSyntheticDay(set, 1, {kQS200, kQS300}, *rad::LocalFieldsToTime(2024, 6, 1, 12, 0, 0),
                          600);
    dock.Update(set);
    CResample noon;
    noon.Resample(set, 0);
    EXPECT_EQ(dock.PpfdText(), QString::number(noon.GetPPFD(), 'f', 1));
    EXPECT_EQ(dock.DliText(), QStringLiteral("\u2014"));  // one record spans no time yet
    rad::MakeSyntheticDay(set, 2, {kQS200, kQS300}, *rad::LocalFieldsToTime(2024, 6, 1, 12, 10, 0),
                          600);
    dock.Update(set);
    EXPECT_GT(dock.DliText().toDouble(), 0.0);
    EXPECT_NE(dock.UvIndexText(), QStringLiteral("\u2014"));
}

}  // namespace
