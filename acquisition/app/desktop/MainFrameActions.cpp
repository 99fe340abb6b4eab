// The menus and their commands, one function per menu.
#include <QAction>
#include <QMenuBar>

#include "ProgramIcons.h"
#include "RadlogMainFrame.h"

namespace {

// A command prompt is "status-bar text\ntool tip"; without a tool tip part the menu text is used.
void ApplyPrompt(QAction* action, const QString& prompt) {
    const qsizetype cut = prompt.indexOf('\n');
    action->setStatusTip(prompt.left(cut));
    if (cut >= 0) action->setToolTip(prompt.mid(cut + 1));
}

}  // namespace

QAction* CMainFrame::AddAction(Cmd id, const QString& text, const QString& prompt,
                               const char* icon) {
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("cmd%1").arg(static_cast<int>(id)));
    if (icon) action->setIcon(rad::CommandIcon(icon));
    ApplyPrompt(action, prompt);
    m_actions[id] = action;
    return action;
}

void CMainFrame::CreateActions() {
    AddAction(Cmd::Print, tr("&Print..."), tr("Print Current Data\nPrint"), "print")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    AddAction(Cmd::PrintPreview, tr("Print Pre&view"), tr("Print Preview\nPrint Preview"));
    AddAction(Cmd::PrinterSetup, tr("P&rinter Setup..."), tr("Change Printer Setup\nPrint Setup"));
    connect(AddAction(Cmd::Exit, tr("E&xit"), tr("Exit Radlog")), &QAction::triggered, this,
            &QWidget::close);
    AddAction(Cmd::MeasurementSettings, tr("&Measurement Settings"),
              tr("Measurement Settings\nSettings"), "settings");
    AddAction(Cmd::ManualMeasurement, tr("Manual Measurement"),
              tr("Start Manual Measurement\nStart"), "manual");
    AddAction(Cmd::StartInterval, tr("&Start Interval Measurement"),
              tr("Start Interval Measurement\nStart"), "interval");
    AddAction(Cmd::GraphSettings, tr("&Graph Settings"), tr("Graph Settings\nGraph"), "graph");
    AddAction(Cmd::Copy, tr("&Copy"), tr("Copy Current Data to Clipboard\nCopy"), "copy")
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    for (Cmd id : {Cmd::ToggleToolbar, Cmd::ToggleStatusBar}) {
        const bool bar = id == Cmd::ToggleToolbar;
        QAction* toggle = AddAction(id, bar ? tr("&Toolbar") : tr("&Status Bar"),
                                    bar ? tr("Show or hide the toolbar\nToggle ToolBar")
                                        : tr("Show or hide the status bar\nToggle StatusBar"));
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    AddAction(Cmd::About, tr("&About Radlog..."),
              tr("Display program information, version number and copyright\nAbout"), "about");
}

void CMainFrame::CreateFileMenu() {
    QMenu* menu = menuBar()->addMenu(tr("&File"));
    menu->addAction(Action(Cmd::Print));
    menu->addAction(Action(Cmd::PrintPreview));
    menu->addAction(Action(Cmd::PrinterSetup));
    menu->addSeparator();
    menu->addAction(Action(Cmd::Exit));
}

void CMainFrame::CreateMeasureMenu() {
    QMenu* menu = menuBar()->addMenu(tr("&Measure"));
    menu->addAction(Action(Cmd::MeasurementSettings));
    menu->addAction(Action(Cmd::ManualMeasurement));
    menu->addAction(Action(Cmd::StartInterval));
}

void CMainFrame::CreateViewMenu() {
    QMenu* menu = menuBar()->addMenu(tr("&View"));
    menu->addAction(Action(Cmd::GraphSettings));
    menu->addAction(Action(Cmd::Copy));
    menu->addAction(Action(Cmd::ToggleToolbar));
    menu->addAction(Action(Cmd::ToggleStatusBar));
}

void CMainFrame::CreateHelpMenu() {
    QMenu* menu = menuBar()->addMenu(tr("&Help"));
    menu->addAction(Action(Cmd::About));
}
