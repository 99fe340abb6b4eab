#include "ProgramIcons.h"

#include <cstring>
#include <mutex>

namespace {

struct IconName {
    const char* bundled;  // ":/radgraph/icons/<bundled>.svg"
    const char* theme;    // freedesktop icon naming
};

constexpr IconName kIcons[] = {
    {"open", "document-open"},
    {"save", "document-save"},
    {"csv", "x-office-spreadsheet"},
    {"csvsettings", "document-properties"},
    {"graph", "document-page-setup"},
    {"selected", "zoom-in"},
    {"tiled", "view-grid"},
    {"previous", "go-previous"},
    {"next", "go-next"},
    {"copy", "edit-copy"},
    {"paste", "edit-paste"},
    {"print", "document-print"},
    {"about", "help-about"},
    {"settings", "preferences-system"},
    {"manual", "media-playback-start"},
    {"interval", "appointment-soon"},
    {"dayview", "x-office-calendar"},
};

// Window managers without a desktop leave Qt on "hicolor", which holds no action icons.
void ChooseTheme() {
    static std::once_flag once;
    std::call_once(once, [] {
        const QString theme = QIcon::themeName();
        if (theme.isEmpty() || theme == QLatin1String("hicolor"))
            QIcon::setThemeName(QStringLiteral("Adwaita"));
    });
}

}  // namespace

namespace rad {

QIcon CommandIcon(const char* name) {
    ChooseTheme();
    const QIcon bundled(QStringLiteral(":/radgraph/icons/%1.svg").arg(QLatin1String(name)));
    for (const IconName& icon : kIcons) {
        if (std::strcmp(icon.bundled, name) != 0) continue;
        const QString theme = QString::fromLatin1(icon.theme);
        // Recent Adwaita ships most action icons in their symbolic form only and a few more
        // in colour: the symbolic forms first keep the toolbar one consistent set.
        for (const QString& candidate : {theme + QStringLiteral("-symbolic"), theme}) {
            if (QIcon::hasThemeIcon(candidate)) return QIcon::fromTheme(candidate);
        }
    }
    return bundled;
}

}  // namespace rad
