#include "RadlogMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "LockIndicators.h"
#include "MenuPrompts.h"

CMainFrame::CMainFrame(QWidget* view) {
    setObjectName("CMainFrame");
    setWindowTitle(QStringLiteral("Radlog"));
    setWindowIcon(QIcon(":/radlog/radlog.svg"));
    setCentralWidget(view);
    CreateActions();
    CreateFileMenu();
    CreateMeasureMenu();
    CreateViewMenu();
    CreateHelpMenu();
    CreateToolBar();
    CreateStatusBar();
    for (QAction* title : menuBar()->actions()) rad::ShowMenuPrompts(title->menu(), statusBar());
    UpdateMenus(false);
    resize(960, 760);
}

QAction* CMainFrame::Action(Cmd id) const { return m_actions.at(id); }

QString CMainFrame::MessageText() const {
    const QString prompt = statusBar()->currentMessage();
    return prompt.isEmpty() ? m_pIdle->text() : prompt;
}

void CMainFrame::SetWaitText(const QString& text) {
    m_pIdle->setText(text.isEmpty() ? tr("Ready") : text);
}

void CMainFrame::UpdateMenus(bool running) {
    m_bRunning = running;
    for (Cmd id : {Cmd::Exit, Cmd::MeasurementSettings, Cmd::ManualMeasurement, Cmd::StartInterval})
        Action(id)->setEnabled(!running);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_bRunning) {
        event->accept();
        return;
    }
    event->ignore();
    statusBar()->showMessage(tr("Radlog cannot close while a measurement runs."));
    emit closeRefused();
}

void CMainFrame::CreateStatusBar() {
    // A normal widget in the message pane: Qt hides it while a command prompt is shown.
    m_pIdle = new QLabel(tr("Ready"), this);
    m_pIdle->setObjectName("idle");
    statusBar()->addWidget(m_pIdle, 1);
    m_pIndicators = new CLockIndicators(statusBar());
    connect(Action(Cmd::ToggleStatusBar), &QAction::toggled, statusBar(), &QWidget::setVisible);
}

void CMainFrame::CreateToolBar() {
    m_pToolBar = addToolBar(tr("Toolbar"));
    m_pToolBar->setObjectName("toolbar");
    m_pToolBar->setIconSize(QSize(16, 16));
    const Cmd order[] = {Cmd::MeasurementSettings,
                         Cmd::ManualMeasurement,
                         Cmd::StartInterval,
                         Cmd{0},
                         Cmd::GraphSettings,
                         Cmd::Copy,
                         Cmd{0},
                         Cmd::Print,
                         Cmd{0},
                         Cmd::About};
    for (Cmd id : order) {
        if (id == Cmd{0})
            m_pToolBar->addSeparator();
        else
            m_pToolBar->addAction(Action(id));
    }
    connect(Action(Cmd::ToggleToolbar), &QAction::toggled, m_pToolBar, &QWidget::setVisible);
    // The toolbar's own context menu can hide it too; keep the menu's check mark in step.
    connect(m_pToolBar, &QToolBar::visibilityChanged, Action(Cmd::ToggleToolbar),
            &QAction::setChecked);
}
