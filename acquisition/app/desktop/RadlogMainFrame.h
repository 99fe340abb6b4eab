#pragma once

#include <QMainWindow>
#include <map>

class CLockIndicators;
class QAction;
class QLabel;
class QToolBar;

// Command ids of the menus and the toolbar.
enum class Cmd {
    Print = 57607,
    PrintPreview = 57609,
    PrinterSetup = 57606,
    Exit = 57665,
    MeasurementSettings = 32771,
    ManualMeasurement = 32777,
    StartInterval = 32773,
    GraphSettings = 32784,
    Copy = 57634,
    ToggleToolbar = 59392,
    ToggleStatusBar = 59393,
    About = 57664,
};

// Radlog's main window: menus, toolbar, status bar and the view in the middle. The frame
// only offers the commands; the program connects their handlers.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit CMainFrame(QWidget* view);

    QAction* Action(Cmd id) const;
    QToolBar* ToolBar() const { return m_pToolBar; }
    CLockIndicators* Indicators() const { return m_pIndicators; }
    // Text of the message pane: the prompt under the mouse, else the idle text.
    QString MessageText() const;
    // The idle text of the message pane: why no cycle runs now, or "Ready" for "".
    void SetWaitText(const QString& text);

  signals:
    // The window's close button was pressed while an acquisition runs (queued by the owner).
    void closeRefused();

  public slots:
    // Acquisition commands, Measurement Settings and Exit only while no acquisition runs; the
    // window's close button follows the same rule.
    void UpdateMenus(bool running);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateActions();
    void CreateFileMenu();
    void CreateMeasureMenu();
    void CreateViewMenu();
    void CreateHelpMenu();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* AddAction(Cmd id, const QString& text, const QString& prompt,
                       const char* icon = nullptr);

    std::map<Cmd, QAction*> m_actions;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pIdle = nullptr;
    CLockIndicators* m_pIndicators = nullptr;
    bool m_bRunning = false;
};
