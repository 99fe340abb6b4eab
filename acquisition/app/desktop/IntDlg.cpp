#include "IntDlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include "WhenExposed.h"

CIntDlg::CIntDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      m_pClock(new QLabel(this)),
      m_pSensors(new QLabel(this)),
      m_pAbort(new QPushButton(tr("Abort"), this)) {
    setObjectName("CIntDlg");
    setModal(false);
    m_pClock->setObjectName("clock");
    m_pSensors->setObjectName("sensors");
    m_pAbort->setObjectName("abort");
    m_pAbort->setAutoDefault(false);
    m_pSensors->setMinimumWidth(360);
    m_pSensors->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pClock);
    layout->addWidget(m_pSensors, 1);
    layout->addWidget(m_pAbort, 0, Qt::AlignHCenter);
    connect(m_pAbort, &QPushButton::clicked, this, &CIntDlg::abortClicked);
}

void CIntDlg::SetClockText(const QString& text) { m_pClock->setText(text); }

void CIntDlg::SetSensorText(const QString& lines) {
    // The controller ends every line with a line feed; a label would show it as a blank line.
    QString text = lines;
    if (text.endsWith('\n')) text.chop(1);
    m_pSensors->setText(text);
}

QString CIntDlg::ClockText() const { return m_pClock->text(); }

QString CIntDlg::SensorText() const { return m_pSensors->text(); }

void CIntDlg::ShowCentredOn(QWidget* mainWindow) {
    adjustSize();
    CentreOn(mainWindow);
    ShowAgain();
    const QWindow* handle = mainWindow ? mainWindow->windowHandle() : nullptr;
    if (mainWindow && !(handle && handle->isExposed()))
        rad::WhenExposed(mainWindow, [this, mainWindow] { CentreOn(mainWindow); });
}

void CIntDlg::CentreOn(const QWidget* mainWindow) {
    if (mainWindow) move(mainWindow->frameGeometry().center() - rect().center());
}

void CIntDlg::ShowAgain() {
    show();
    raise();
}

void CIntDlg::reject() {}

void CIntDlg::closeEvent(QCloseEvent* event) { event->ignore(); }

bool ConfirmStopInterval(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Radlog"), question,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setObjectName("stopConfirmation");
    box.button(QMessageBox::Ok)->setText(CIntDlg::tr("OK"));
    box.button(QMessageBox::Cancel)->setText(CIntDlg::tr("Cancel"));
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}
