#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The progress dialog of an acquisition: modeless, on top, no close button. Only Abort ends
// the acquisition, so Esc and the window manager's close are ignored.
class CIntDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CIntDlg(QWidget* parent = nullptr);

    void SetClockText(const QString& text);    // upper label
    void SetSensorText(const QString& lines);  // lower label
    QString ClockText() const;
    QString SensorText() const;
    // Shown on top, centred on the main window; a main window the window manager has not
    // placed yet is waited for, and the dialog centred again once it is on screen.
    void ShowCentredOn(QWidget* mainWindow);
    // Shown on top again where it was, wherever the user moved it.
    void ShowAgain();

  signals:
    void abortClicked();

  public slots:
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CentreOn(const QWidget* mainWindow);

    QLabel* m_pClock;
    QLabel* m_pSensors;
    QPushButton* m_pAbort;
};

// The question before an interval acquisition is stopped; true only for OK.
bool ConfirmStopInterval(QWidget* parent, const QString& question);
