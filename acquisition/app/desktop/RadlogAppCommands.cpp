// The commands of the main window and where each one goes.
#include <QAction>
#include <QMessageBox>
#include <QPushButton>

#include "ConfSettings.h"
#include "GraphDlg.h"
#include "IntDlg.h"
#include "PortProbe.h"
#include "RadlogAboutDlg.h"
#include "RadlogApp.h"
#include "RadlogConfDlg.h"
#include "RadlogDoc.h"
#include "RadlogMainFrame.h"
#include "RadlogView.h"

void CRadlogApp::ConnectCommands() {
    auto on = [this](Cmd id, auto handler) {
        connect(m_pFrame->Action(id), &QAction::triggered, this, handler);
    };
    on(Cmd::StartInterval, [this] { m_pDoc->StartInterval(); });
    on(Cmd::ManualMeasurement, [this] { m_pDoc->StartManual(); });
    on(Cmd::MeasurementSettings, [this] { OnMeasurementSettings(); });
    on(Cmd::GraphSettings, [this] { OnGraphSettings(); });
    on(Cmd::About, [this] { OnAbout(); });
    on(Cmd::Copy, [this] { m_pView->Copy(); });
    on(Cmd::Print, [this] { m_pView->Print(); });
    on(Cmd::PrintPreview, [this] { m_pView->PrintPreview(); });
    on(Cmd::PrinterSetup, [this] { m_pView->PrinterSetup(); });
}

void CRadlogApp::OnMeasurementSettings() {
    CConfDlg dialog(rad::ConfValuesFrom(m_settings), ProbePorts(m_settings.ports), m_pFrame.get());
    if (dialog.exec() != QDialog::Accepted) return;
    rad::StoreConfValues(dialog.Values(), m_settings);
    if (m_save) m_save();
}

void CRadlogApp::OnGraphSettings() {
    if (!m_pGraphDlg) return;
    PlaceAboveProgress(m_pGraphDlg);
    m_pGraphDlg->ShowDialog();
}

void CRadlogApp::OnAbout() {
    CAboutDlg dialog(m_pFrame.get());
    PlaceAboveProgress(&dialog);
    dialog.exec();
}

void CRadlogApp::OfferStopAndClose() {
    if (!m_pDoc || !m_pDoc->IsRunning()) return;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Radlog"),
                    tr("A measurement is running. Stop it and close Radlog?"),
                    QMessageBox::NoButton, m_pFrame.get());
    box.setObjectName("stopAndClose");
    QPushButton* stop = box.addButton(tr("Stop and Close"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel)->setText(CIntDlg::tr("Cancel"));
    box.setDefaultButton(QMessageBox::Cancel);
    PlaceAboveProgress(&box);
    box.exec();
    // Asked once here: the acquisition ends without the stop question.
    if (box.clickedButton() == stop) Shutdown();
}

void CRadlogApp::PlaceAboveProgress(QWidget* dialog) const {
    const bool onTop = m_pIntDlg && m_pIntDlg->isVisible();
    if (dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        dialog->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
}
