#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <optional>
#include <string>

#include "GuardedApplication.h"
#include "KeepFreedMemory.h"
#include "LocalTime.h"
#include "MainFrame.h"
#include "NativePath.h"
#include "ProfileLocation.h"
#include "RadVersion.h"
#include "RadviewApp.h"
#include "Translations.h"
#include "ViewerZone.h"

namespace {

struct Options {
    std::optional<std::string> profilePath;
    std::optional<std::string> zone;
    QStringList files;
};

// The parser's file names with the bytes of the command line: a name that is no UTF-8 reads
// differently once decoded, and the file would not be found (NativePath.h). Each word of
// argv that decodes to the next name is that name.
QStringList NativeFiles(const QStringList& files, int argc, char** argv) {
    QStringList native;
    int next = 1;
    for (const QString& file : files) {
        QString found = file;
        for (int i = next; i < argc; ++i) {
            if (QString::fromLocal8Bit(argv[i]) != file) continue;
            found = PathFromBytes(argv[i]);
            next = i + 1;
            break;
        }
        native.append(found);
    }
    return native;
}

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
    const QCommandLineOption zone(
        QStringLiteral("tz"),
        QCoreApplication::translate(
            "main",
            "Time zone of the record times (Asia/Tokyo, +09:00); default: the file's TZ "
            "where it differs from this machine's."),
        QStringLiteral("ZONE"));
    parser.addOption(zone);
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QCoreApplication::translate("main", "RSD files to open."),
                                 QStringLiteral("[files...]"));
    parser.process(core);
    Options options;
    if (parser.isSet(profile)) options.profilePath = PathBytes(parser.value(profile));
    if (parser.isSet(zone)) options.zone = parser.value(zone).toStdString();
    options.files = NativeFiles(parser.positionalArguments(), argc, argv);
    return options;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Radview"));
    QCoreApplication::setApplicationVersion(QStringLiteral(RAD_VERSION));
    const Options options = ParseCommandLine(argc, argv);
    if (options.zone) {
        std::string error;
        if (!rad::UseZoneOption(*options.zone, error)) {
            std::fprintf(stderr, "radview: %s\n", error.c_str());
            return 2;
        }
        ViewerZoneRule().zoneGiven = true;
    }

    CGuardedApplication qapp(argc, argv);
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
