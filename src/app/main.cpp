#include "core/infra/Process.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Prompts.h"
#include "core/settings/Settings.h"
#include "ui/app/MainForm.h"
#include "ui/app/Startup.h"
#include "ui/app/TovelApplication.h"
#include "ui/platform/QtPrompter.h"

#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <optional>

int main(int argc, char** argv) {
    tovel::IgnoreFileSizeLimitSignal();
    tovel::RemoveTemporaryFilesOnTermination();
    // Without a display Qt would fail with a terse platform-plugin error; say what to do instead.
    if (!tovel::DisplayAvailable(tovel::kHostSystem, [](const char* name) { return std::getenv(name); })) {
        std::fprintf(stderr, "tovel: no display found (DISPLAY and WAYLAND_DISPLAY are not set).\n"
                             "Tovel is a desktop program; on a machine without a screen run it under a virtual one:\n"
                             "    xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    tovel::TovelApplication app(argc, argv);
    // Lets the desktop match the windows to the menu entry, and shows its icon once installed.
    app.setDesktopFileName(QStringLiteral("org.tovel.Tovel"));
    app.setWindowIcon(QIcon::fromTheme(QStringLiteral("org.tovel.Tovel")));
    tovel::QtPrompter prompter;
    // A program folder that cannot be made (a home folder not writable) ends the start with its reason.
    std::optional<tovel::ProgramSession> session;
    try {
        session.emplace(tovel::ExecutablePath(argv[0]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tovel: %s\n", e.what());
        prompter.ShowError(e.what());
        return 1;
    }
    tovel::ScopedPrompter prompts(prompter);
    app.SetLanguage(tovel::Settings().Language());

    tovel::TMainForm mainForm;
    mainForm.show();
    return app.exec();
}
