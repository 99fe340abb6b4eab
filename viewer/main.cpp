#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>
#include <clocale>

#include "LocalTime.h"
#include "MainFrame.h"
#include "ProfileLocation.h"
#include "RadVersion.h"
#include "RadviewApp.h"
#include "Translations.h"

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    // The core formats and parses numbers for the "C" locale only.
    setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Radview"));
    QApplication::setApplicationVersion(QStringLiteral(RAD_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/radview.svg")));
    rad::InitTimeZone();
    rad::InstallTranslations(qapp, {QStringLiteral("radgraph"), QStringLiteral("radview")});

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Viewer of RSD spectrum files"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption profile(
        QStringLiteral("profile"), QCoreApplication::translate("main", "Settings profile to use."),
        QStringLiteral("PATH"));
    parser.addOption(profile);
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QCoreApplication::translate("main", "RSD files to open."),
                                 QStringLiteral("[files...]"));
    parser.process(qapp);

    std::optional<std::string> profilePath;
    if (parser.isSet(profile)) profilePath = parser.value(profile).toStdString();
    CRadviewApp app(rad::LocateProfile("radview", profilePath), rad::DetectReportLanguage());
    app.LoadSettings();

    CMainFrame frame(app);
    frame.resize(1000, 720);
    frame.show();
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        QTimer::singleShot(0, &frame, &CMainFrame::OnFileOpen);  // start with the open dialog
    else
        frame.OpenFiles(files);
    return QApplication::exec();
}
