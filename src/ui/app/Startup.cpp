#include "ui/app/Startup.h"

#include "core/carddb/CardsDB.h"
#include "core/infra/ProgramDir.h"
#include "core/settings/Settings.h"

namespace tovel {

std::string SettingsPathFor(const std::string& programDir, const std::string& executablePath) {
    const size_t slash = executablePath.rfind('/');
    const std::string name = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    return ReplaceExtension(programDir + name, ".ini");
}

ProgramSession::ProgramSession(const std::string& executablePath) {
    // The settings file sits beside the executable, or in TOVEL_HOME when that replaces the
    // program folder (tests, read-only installs).
    const std::string dir = ResolveProgramDir(executablePath);
    OpenSettings(SettingsPathFor(dir, executablePath), dir);
    SetProgramDir(dir);
    CardDatabase().Clear();
}

ProgramSession::~ProgramSession() {
    CardDatabase().Clear();
    CloseSettings();
}

} // namespace tovel
