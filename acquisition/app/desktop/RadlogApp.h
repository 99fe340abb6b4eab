#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "Clock.h"
#include "RadlogHost.h"
#include "RadlogSettings.h"
#include "Resample.h"
#include "StationObserver.h"

class CEngineLoop;
class CGraphDlg;
class CIntDlg;
class CMainFrame;
class CRadlogDoc;
class CRadlogView;
class CTodayDock;
struct GraphPage;

// Radlog's window mode: the controller with its main window, progress dialog and Graph
// Settings dialog, created and destroyed in the program's start-up and exit order.
class CRadlogApp : public QObject, public IRadlogHost {
    Q_OBJECT
  public:
    // save writes the profile; it runs after OK in Measurement Settings and at exit. The Today
    // panel counts a day's light from dayStartHour.
    CRadlogApp(RadlogSettings& settings, std::function<void()> save, const IClock& clock,
               int dayStartHour = 0);
    // Frame, view and Graph Settings dialog, then the controller ("APP CLOSE"), then the save.
    ~CRadlogApp() override;

    // Controller, frame and view; the automatic start; the window shown; the Graph Settings
    // dialog created hidden.
    // observer, when given, follows every acquisition (not owned; outlives the app).
    void Start(IStationObserver* observer = nullptr);
    // A close request from outside (SIGTERM, the end of the desktop session): an open
    // acquisition is stopped without asking, then the window closes.
    void Shutdown();

    CMainFrame* Frame() const { return m_pFrame.get(); }
    CRadlogView* View() const { return m_pView; }
    CTodayDock* TodayDock() const { return m_pTodayDock; }
    CIntDlg* ProgressDlg() const { return m_pIntDlg.get(); }
    CGraphDlg* GraphDlg() const { return m_pGraphDlg; }
    CRadlogDoc* Doc() const { return m_pDoc.get(); }

    // IRadlogHost
    void Wake() override;
    void ShowProgress(MeasType type) override;
    void HideProgress() override;
    void ClockTick(int64_t now) override;
    void SensorsChanged(const SensorSnapshot& sensors) override;
    bool ConfirmStop() override;
    void AcquisitionChanged(bool running) override;
    void CycleStored() override;
    void Beep() override;
    void SetWaitText(const std::string& text) override;

  private slots:
    void Pump();
    void Tick();

  private:
    void ConnectCommands();
    void OnMeasurementSettings();
    void OnGraphSettings();
    void OnAbout();
    // The close button during an acquisition: offer to stop it and close.
    void OfferStopAndClose();
    // A dialog opened while the always-on-top progress dialog shows goes above it.
    void PlaceAboveProgress(QWidget* dialog) const;
    void FillPage(GraphPage& page) const;

    RadlogSettings& m_settings;
    std::function<void()> m_save;
    const IClock& m_clock;
    const int m_nDayStartHour;
    std::unique_ptr<CIntDlg> m_pIntDlg;
    std::unique_ptr<CRadlogDoc> m_pDoc;
    std::unique_ptr<CEngineLoop> m_pLoop;  // timer 1 and the pump drive the controller through it
    std::unique_ptr<CMainFrame> m_pFrame;
    CRadlogView* m_pView = nullptr;      // owned by the frame
    CTodayDock* m_pTodayDock = nullptr;  // owned by the frame
    CGraphDlg* m_pGraphDlg = nullptr;    // owned by the frame, which it centres on
    CResample m_spectrum;                // the last record's spectrum, as the page draws it
    QTimer m_timer1;                     // the one-second tick of an interval acquisition
    const bool m_bJapanese;              // the language of the progress dialog's texts
    bool m_bShuttingDown = false;
    bool m_bProgressPlaced = false;  // the progress dialog comes back after a cancelled stop
};
