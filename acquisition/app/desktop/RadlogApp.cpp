#include "RadlogApp.h"

#include <QApplication>
#include <QLocale>
#include <utility>

#include "ClockCheck.h"
#include "ControllerTexts.h"
#include "EngineLoop.h"
#include "GraphDlg.h"
#include "IntDlg.h"
#include "Language.h"
#include "RadlogDoc.h"
#include "RadlogMainFrame.h"
#include "RadlogView.h"
#include "TodayDock.h"
#include "Translations.h"

namespace {
// How soon events that arrived inside the stop confirmation are tried again.
constexpr int kRepumpMs = 50;
}  // namespace

CRadlogApp::CRadlogApp(RadlogSettings& settings, std::function<void()> save, const IClock& clock,
                       int dayStartHour)
    : m_settings(settings),
      m_save(std::move(save)),
      m_clock(clock),
      m_nDayStartHour(dayStartHour),
      m_bJapanese(rad::UseJapaneseTexts(QLocale::system())) {
    m_timer1.setInterval(CEngineLoop::kTickMs);
    connect(&m_timer1, &QTimer::timeout, this, &CRadlogApp::Tick);
}

CRadlogApp::~CRadlogApp() {
    m_timer1.stop();
    m_pGraphDlg = nullptr;
    m_pTodayDock = nullptr;
    m_pFrame.reset();
    m_pLoop.reset();
    m_pDoc.reset();
    m_pIntDlg.reset();
    if (m_save) m_save();
}

void CRadlogApp::Start(IStationObserver* observer) {
    m_pIntDlg = std::make_unique<CIntDlg>();
    connect(m_pIntDlg.get(), &CIntDlg::abortClicked, this, [this] { m_pDoc->RequestStop(); });
    DocLimits limits;
    limits.clockFloor = rad::BuildTime();
    m_pDoc = std::make_unique<CRadlogDoc>(m_settings, *this, m_clock, rad::DetectReportLanguage(),
                                          limits);
    // Someone is at the window: a manual acquisition that cannot measure waits for Abort.
    m_pLoop = std::make_unique<CEngineLoop>(*m_pDoc, false);
    m_pDoc->SetObserver(observer);
    m_pView = new CRadlogView;
    m_pView->SetPageSource([this](GraphPage& page) { FillPage(page); });
    m_pFrame = std::make_unique<CMainFrame>(m_pView);
    m_pTodayDock = new CTodayDock(m_nDayStartHour, m_pFrame.get());
    m_pFrame->addDockWidget(Qt::RightDockWidgetArea, m_pTodayDock);
    ConnectCommands();
    // Queued: the question is not asked inside the window's close event.
    connect(m_pFrame.get(), &CMainFrame::closeRefused, this, &CRadlogApp::OfferStopAndClose,
            Qt::QueuedConnection);
    if (m_settings.autoStart) m_pFrame->Action(Cmd::StartInterval)->trigger();
    m_pFrame->show();
    m_pGraphDlg = new CGraphDlg(
        m_settings.graph, GraphProgram::Radlog, [this] { m_pView->update(); }, m_pFrame.get());
}

void CRadlogApp::Shutdown() {
    if (!m_pDoc) return;
    m_bShuttingDown = true;
    if (m_pDoc->IsRunning()) {
        m_pLoop->Enter([this] {
            // As the stop request does: menus, Close and timer 1 follow a closed acquisition.
            if (m_pDoc->StopMeasurement() == 1) AcquisitionChanged(false);
        });
    }
    if (m_pFrame) m_pFrame->close();
}

void CRadlogApp::Wake() {
    // Any thread: the pump itself runs on the user-interface thread.
    QMetaObject::invokeMethod(this, &CRadlogApp::Pump, Qt::QueuedConnection);
}

void CRadlogApp::Pump() {
    if (!m_pLoop) return;
    // Inside the stop confirmation: the events wait in the queue until it is answered.
    if (!m_pLoop->Pump()) QTimer::singleShot(kRepumpMs, this, &CRadlogApp::Pump);
}

void CRadlogApp::Tick() {
    if (m_pLoop) m_pLoop->Tick();
}

void CRadlogApp::ShowProgress(MeasType type) {
    m_pIntDlg->setWindowTitle(QString::fromUtf8(rad::ControllerText(
        type == MeasType::Interval ? kTextTitleInterval : kTextTitleManual, m_bJapanese)));
    // Back after a cancelled stop question: where the user left it, not centred again.
    if (std::exchange(m_bProgressPlaced, false))
        m_pIntDlg->ShowAgain();
    else
        m_pIntDlg->ShowCentredOn(m_pFrame.get());
}

void CRadlogApp::HideProgress() { m_pIntDlg->hide(); }

void CRadlogApp::ClockTick(int64_t now) {
    m_pIntDlg->SetClockText(QString::fromStdString(rad::ProgressClockText(now)));
}

void CRadlogApp::SensorsChanged(const SensorSnapshot& sensors) {
    m_pIntDlg->SetSensorText(QString::fromStdString(rad::ProgressText(sensors, m_bJapanese)));
}

bool CRadlogApp::ConfirmStop() {
    if (m_bShuttingDown) return true;
    const bool stop = ConfirmStopInterval(
        m_pFrame.get(), QString::fromUtf8(rad::ControllerText(kTextConfirmStop, m_bJapanese)));
    m_bProgressPlaced = !stop;
    return stop;
}

void CRadlogApp::AcquisitionChanged(bool running) {
    if (m_pFrame) m_pFrame->UpdateMenus(running);
    if (running && m_settings.measType == MeasType::Interval)
        m_timer1.start();
    else if (!running)
        m_timer1.stop();
}

void CRadlogApp::CycleStored() {
    const StoredRecord stored = m_pDoc->StoreStep().Stored();
    if (stored.day.GetCount() > 0)
        m_spectrum = stored.spectrum;
    else
        m_spectrum.Free();
    if (m_pTodayDock) m_pTodayDock->Update(stored.day, &stored.row);
    if (m_pView) m_pView->update();
}

void CRadlogApp::Beep() { QApplication::beep(); }

void CRadlogApp::SetWaitText(const std::string& text) {
    if (m_pFrame) m_pFrame->SetWaitText(QString::fromStdString(text));
}

void CRadlogApp::FillPage(GraphPage& page) const {
    page.settings = m_settings.graph;
    page.disp = m_settings.dispMode;
    if (!m_pDoc) return;
    const CRsdData& set = m_pDoc->StoreStep().DataSet();
    if (!m_spectrum.IsEmpty()) page.spectra.push_back(&m_spectrum);
    page.data = &set;
    if (set.GetCount() > 0) page.pixelRecords.push_back(set.GetCount() - 1);
    page.title = m_pDoc->StoreStep().Report().titleText;
    page.dateText = m_pDoc->StoreStep().Report().dateText;
    page.integralText = m_pDoc->StoreStep().Report().integralText;
    page.statusText = m_pDoc->StoreStep().Report().statusText;
}
