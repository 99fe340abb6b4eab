#include "DesktopMain.h"

#include <QApplication>
#include <QIcon>

#include "CloseRequests.h"
#include "RadlogApp.h"
#include "Translations.h"

int RunDesktop(RadlogSettings& settings, std::function<void()> save, const IClock& clock,
               IStationObserver* observer, int dayStartHour) {
    QApplication::setApplicationName("Radlog");
    QApplication::setDesktopFileName("radlog");
    QApplication::setWindowIcon(QIcon(":/radlog/radlog.svg"));
    rad::InstallTranslations(*qApp, {"radgraph", "radlog"});
    int code = 0;
    {
        CRadlogApp app(settings, std::move(save), clock, dayStartHour);
        CCloseRequests requests;
        QObject::connect(&requests, &CCloseRequests::closeRequested, &app, &CRadlogApp::Shutdown);
        app.Start(observer);
        code = QApplication::exec();
    }
    return code;
}
