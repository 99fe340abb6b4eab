#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>
#include <clocale>
#include <optional>
#include <string>

#include "KeepFreedMemory.h"
#include "LocalTime.h"
#include "MainFrame.h"
#include "ProfileLocation.h"
#include "RadVersion.h"
#include "RadviewApp.h"
#include "Translations.h"

namespace {

struct Options {
    std::optional<std::string> profilePath;
    QStringList files;
};

// Runs on a plain QCoreApplication, so --help and --version need no display.
Options ParseCommandLine(int& argc, char** argv) {
    QCoreApplication core(argc, argv);
    rad::InstallTranslations(core, {QStringLiteral("radview")});
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
    parser.process(core);
    Options options;
    if (parser.isSet(profile)) options.profilePath = parser.value(profile).toStdString();
    options.files = parser.positionalArguments();
    return options;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Radview"));
    QCoreApplication::setApplicationVersion(QStringLiteral(RAD_VERSION));
    const Options options = ParseCommandLine(argc, argv);

    QApplication qapp(argc, argv);
    // The core formats and parses numbers for the "C" locale only.
    setlocale(LC_NUMERIC, "C");
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/radview.svg")));
    QApplication::setDesktopFileName(QStringLiteral("radview"));
    rad::InitTimeZone();
    rad::KeepFreedMemory();  // files opened again, or one after another, reuse the memory
    rad::InstallTranslations(qapp, {QStringLiteral("radgraph"), QStringLiteral("radview")});

    CRadviewApp app(rad::LocateProfile("radview", options.profilePath),
                    rad::DetectReportLanguage());
    app.LoadSettings();

    CMainFrame frame(app);
    frame.resize(1000, 720);
    frame.show();
    if (options.files.isEmpty())
        QTimer::singleShot(0, &frame, &CMainFrame::OnFileOpen);  // start with the open dialog
    else
        frame.OpenFilesWhenShown(options.files);
    return QApplication::exec();
}
