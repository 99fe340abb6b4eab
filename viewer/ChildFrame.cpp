#include "ChildFrame.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedLayout>
#include <QTimer>
#include <cerrno>

#include "CatView.h"
#include "DayView.h"
#include "MainFrame.h"
#include "RadviewDoc.h"
#include "UniView.h"

CChildFrame::CChildFrame(CRadviewApp& app, QWidget* parent)
    : QWidget(parent),
      m_app(app),
      m_pDoc(new CRadviewDoc(app, this)),
      m_pStack(new QStackedLayout(this)),
      m_pCatView(new CCatView(*m_pDoc, app, this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_pStack->setContentsMargins(0, 0, 0, 0);
    m_pStack->addWidget(m_pCatView);
    connect(m_pCatView, &CCatView::switchRequested, this, &CChildFrame::PostSwitchView);
    connect(m_pCatView, &CCatView::contextMenuRequested, this, &CChildFrame::contextMenuRequested);
    connect(m_pDoc, &CRadviewDoc::modifiedChanged, this, &CChildFrame::UpdateTitle);
    connect(m_pDoc, &CRadviewDoc::updated, this, &CChildFrame::stateChanged);
}

QWidget* CChildFrame::ActiveView() const {
    switch (m_pDoc->m_nViewMode) {
        case 1:
            return m_pUniView;
        case 2:
            return m_pDayView;
        default:
            return m_pCatView;
    }
}

bool CChildFrame::OpenDocument(const QString& path) {
    if (m_pDoc->Open(path) < 0) return false;
    UpdateTitle();
    return true;
}

void CChildFrame::UpdateTitle() {
    setWindowTitle(QFileInfo(m_pDoc->Path()).fileName() + QStringLiteral("[*]"));
    setWindowModified(m_pDoc->IsModified());
}

void CChildFrame::PostSwitchView(int mode) {
    QTimer::singleShot(0, this, [this, mode] { SwitchView(mode); });
}

void CChildFrame::SwitchView(int mode) {
    if (mode == m_pDoc->m_nViewMode) return;
    m_pDoc->m_nViewMode = mode;
    if (mode == 1) {
        if (!m_pUniView) {
            m_pUniView = new CUniView(*m_pDoc, m_app, this);
            m_pStack->addWidget(m_pUniView);
            connect(m_pUniView, &CUniView::switchRequested, this, &CChildFrame::PostSwitchView);
            connect(m_pUniView, &CUniView::contextMenuRequested, this,
                    &CChildFrame::contextMenuRequested);
        }
        m_pDoc->PrepareShown();
    }
    if (mode == 2 && !m_pDayView) {
        m_pDayView = new CDayView(*m_pDoc, m_app, this);
        m_pStack->addWidget(m_pDayView);
        connect(m_pDayView, &CDayView::switchRequested, this, &CChildFrame::PostSwitchView);
        connect(m_pDayView, &CDayView::contextMenuRequested, this,
                &CChildFrame::contextMenuRequested);
    }
    m_pStack->setCurrentWidget(ActiveView());
    ActiveView()->setFocus();
    emit stateChanged();
}

bool CChildFrame::SaveDocument(bool askName) {
    QString path = m_pDoc->Path();
    if (askName) {
        QFileDialog dialog(this, tr("Save As"), path, RsdFileFilter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("rsd"));  // a name typed without one gets it
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
        path = dialog.selectedFiles().front();
    } else if (m_pDoc->ChangedOnDisk()) {
        // Radlog may have appended records since the file was opened: never drop them silently.
        QMessageBox box(QMessageBox::Warning, tr("Radview"),
                        tr("The file %1 has been changed by another program since it was opened.\n"
                           "Reload it and lose your changes, or overwrite it?")
                            .arg(QFileInfo(path).fileName()),
                        QMessageBox::Cancel, this);
        QPushButton* reload = box.addButton(tr("&Reload"), QMessageBox::AcceptRole);
        QPushButton* overwrite = box.addButton(tr("&Overwrite"), QMessageBox::DestructiveRole);
        box.exec();
        if (box.clickedButton() == reload) {
            // The reloaded records replace what the detail view showed.
            if (m_pDoc->Reload() >= 0) SwitchView(0);
            return false;
        }
        if (box.clickedButton() != overwrite) return false;
    }
    return SaveTo(path);
}

bool CChildFrame::SaveTo(const QString& path) {
    if (m_pDoc->Save(path)) {
        UpdateTitle();
        return true;
    }
    const int error = errno;
    if (auto* main = qobject_cast<CMainFrame*>(window())) main->ShowWriteError(path, error);
    QMessageBox::warning(this, tr("Radview"), tr("The file %1 could not be written.").arg(path));
    return false;
}

bool CChildFrame::MaySave() {
    if (!m_pDoc->IsModified()) return true;
    const auto answer = QMessageBox::question(
        this, tr("Radview"), tr("Save changes to %1?").arg(QFileInfo(m_pDoc->Path()).fileName()),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) return false;
    return answer == QMessageBox::No || SaveDocument(false);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (MaySave())
        event->accept();
    else
        event->ignore();
}
