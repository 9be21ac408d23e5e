// SPDX-License-Identifier: GPL-3.0-or-later
// tessmar: the drafting program's window.
//
//   tessmar [project.kel]                 opens the project when the file exists
//   tessmar --screenshot out.png [file]   draws the window once into a PNG and ends
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include "editor/help_pages.h"
#include "model/grid.h"
#include "model/recovery_folder.h"
#include "session/session.h"
#include "settings/ini_file.h"
#include "settings/settings_path.h"
#include "settings/settings_store.h"
#include "ui/QtCanvas.h"
#include "ui/QtPlatform.h"
#include "ui/QtTranslations.h"
#include "ui/TfrmTessmar.h"

// For sanitizer builds: what the font, D-Bus and Qt platform libraries keep until the process
// ends is theirs, not the program's.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libdbus\nleak:libQt6Gui\nleak:libQt6Core\nleak:libQt6Widgets\n"
           "leak:libQt6XcbQpa\nleak:libqxcb\nleak:libqoffscreen\nleak:libglib\n";
}

namespace {

// AutoSaveMinutes, or TESSMAR_AUTOSAVE_MS for tests that cannot wait minutes.
int autosaveInterval(const settings::Settings& settings)
{
    const char* ms = std::getenv("TESSMAR_AUTOSAVE_MS");
    int value = 0;
    if (ms && std::from_chars(ms, ms + std::char_traits<char>::length(ms), value).ec == std::errc() && value > 0)
        return value;
    return settings.env.AutoSaveMinutes * 60 * 1000;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessmar"));
    ui::installFontSubstitutions();
    if (!ui::installJapaneseTranslations(app))
        qWarning("Qt's Japanese translations (qtbase_ja.qm) were not found; standard dialogs stay English");

    std::vector<std::string> arguments;
    std::string screenshot;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--screenshot" && i + 1 < argc) {
            screenshot = argv[++i];
            continue;
        }
        arguments.push_back(a);
    }

    const std::filesystem::path program = settings::ownProgramPath(argc > 0 ? argv[0] : "tessmar");
    ui::QtPlatform platform;
    settings::IniFile ini(settings::settingsPath(program));
    const std::u8string dir = program.parent_path().u8string();
    model::Session session(platform, std::string(dir.begin(), dir.end()));
    if (!editor::helpPagesFound(session.programDir))
        qWarning("The help pages were not found (%s); the help menu cannot show them",
                 editor::helpPagePath(session.programDir, 0).c_str());
    settings::LoadSettings(ini, session.settings, platform);
    model::makeGridNames(session.grid, session.settings.draft.gridNaming);

    ui::TfrmTessmar window(session, platform, ini, arguments);
    // A picture of the window is no session of work.
    if (screenshot.empty())
        window.enableRecovery(std::make_unique<model::RecoveryFolder>(model::recoveryFolderPath(settings::envVar("XDG_STATE_HOME"), settings::envVar("HOME")), ::getpid()),
                              autosaveInterval(session.settings));
    window.show();

    if (!screenshot.empty()) {
        // Wait for the start-up (home view, the project of the command line), then draw.
        auto* poll = new QTimer(&window);
        QObject::connect(poll, &QTimer::timeout, &window, [&window, &screenshot, poll] {
            if (!window.started()) return;
            poll->stop();
            const bool ok = window.grab().save(QString::fromStdString(screenshot), "PNG");
            QCoreApplication::exit(ok ? 0 : 1);
        });
        poll->start(50);
    }
    return app.exec();
}
