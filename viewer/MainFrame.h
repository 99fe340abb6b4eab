#pragma once

#include <QMainWindow>
#include <QStringList>
#include <map>

#include "CommandIds.h"

class CChildFrame;
class CDayView;
class CRsdData;
class CRadviewApp;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class CGraphDlg;
class CQuantitiesPanel;
struct RadviewSettings;

// The main window: documents in an MDI area, menus, toolbar and status bar.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit CMainFrame(CRadviewApp& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Opens one file as a new window; false (and a status-bar message) when it cannot be read.
    bool OpenFile(const QString& path);
    // Names a file that could not be written and why (error is an errno) in the status bar.
    void ShowWriteError(const QString& path, int error);
    // The message of every CSV export that failed (an ExportResult below 0): the file and the
    // cause. True when written; the next export then starts in its folder.
    bool ReportExport(const QString& path, int result);
    // Several files, with a progress dialog when there are many.
    void OpenFiles(const QStringList& paths);
    // The files of the command line: opened once the window is on screen, so it never stays
    // black while they load.
    void OpenFilesWhenShown(const QStringList& paths);

    QAction* Action(CommandId id) const { return m_actions.at(id); }
    CChildFrame* ActiveChild() const;
    // The active document's day view while it is shown.
    CDayView* ActiveDayView();
    QList<CChildFrame*> Children() const;
    QMdiArea* MdiArea() const { return m_pMdi; }
    CQuantitiesPanel* QuantitiesPanel() const { return m_pQuantities; }

    // Every view of every document gets the update hint.
    void RefreshAll(int hint);

  public slots:
    void updateMenus();
    void OnFileOpen();
    // Menu 139 of both views, its commands routed to this window.
    void ShowContextMenu(QPoint globalPos);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QString AskCsvPath(const CChildFrame& child);
    void createActions();
    void createFileActions();
    void createEditActions();
    void createViewActions();
    void createWindowActions();
    // Menu 129 with a document open, the small menu 128 without.
    void createMenus(bool document);
    void createToolBar();
    void createStatusBar();
    QAction* AddAction(CommandId id);
    QAction* Connect(CommandId id, void (CMainFrame::*slot)());
    void UpdateRecentMenu();
    void UpdateWindowMenu(QMenu* menu);
    void UpdateTitle();
    // The window of a document already open from path, if any.
    QMdiSubWindow* FindDocument(const QString& path) const;
    // A new window's place: inside the area, one step below and right of the last one.
    QRect NewWindowGeometry() const;
    void OnCascade();
    // Said in the status bar: blocks of another unit than their file's calibration.
    void WarnSerialMismatch(const QString& path, const CRsdData& data);

    void OnSave();
    void OnSaveAs();
    void OnSaveSpectralCsv();
    void OnSaveCalcCsv();
    void OnCsvSettings();
    void OnPrint();
    void OnPrintPreview();
    void OnPrinterSettings();
    void OnCopy();
    void OnSelectAll();
    void OnDelete();
    void OnTiledData();
    void OnSelectedData();
    void OnGraphSettings();
    void OnNext();
    void OnDayView();
    void OnSaveDayCsv();
    void OnSaveDayPicture();
    void OnNextDay();
    void OnPreviousDay();
    void OnAllDays();
    void createQuantitiesPanel();
    void UpdateQuantitiesPanel();
    void OnPrevious();
    void OnAbout();

    CRadviewApp& m_app;
    QMdiArea* m_pMdi;
    std::map<int, QAction*> m_actions;
    bool m_bMenusBuilt = false;
    bool m_bDocumentMenus = false;
    QMenu* m_pRecentMenu = nullptr;
    QPrinter* m_pPrinter;
    CGraphDlg* m_pGraphDlg = nullptr;
    CQuantitiesPanel* m_pQuantities = nullptr;
};

// "RSD Files (*.rsd)", matching the upper-case names Radlog writes as well.
QString RsdFileFilter();
// The hidden modeless Graph Settings dialog; its changes rebuild every catalog.
CGraphDlg* CreateViewerGraphDlg(RadviewSettings& settings, CMainFrame* frame);
