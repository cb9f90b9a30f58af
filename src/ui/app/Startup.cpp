#include "ui/app/Startup.h"

#include "core/carddb/CardsDB.h"
#include "core/collection/Inventory.h"
#include "core/decks/DeckFile.h"
#include "core/infra/Process.h"
#include "core/infra/ProgramDir.h"
#include "core/limited/DraftRecord.h"
#include "core/settings/Settings.h"
#include "ui/cardviews/ViewCardForm.h"
#include "ui/style/LmActnCtrls.h"
#include "ui/wait/WaitCursor.h"
#include "ui/wait/WaitForm.h"

namespace tovel {

std::string SettingsPathFor(const std::string& programDir, const std::string& executablePath) {
    const size_t slash = executablePath.rfind('/');
    const std::string name = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    return ReplaceExtension(programDir + name, ".ini");
}

ProgramSession::ProgramSession(const std::string& executablePath) {
    // The settings file sits in the program folder: beside the executable, in TOVEL_HOME, or in
    // the per-user folder of an installed copy (created and seeded here on its first start).
    const std::string dir = OpenProgramDir(executablePath).dir;
    OpenSettings(SettingsPathFor(dir, executablePath), dir);
    SetProgramDir(dir);
    RemoveStaleTemporaryFilesOnStart(dir);
    CreateProgramFolders({kDeckFolder, kInventoryFolder, kTempFolder, kDraftRecordFolder, kCubeFolder});
    CardDatabase().Clear();
    // Pictures are decoded by the card display's own JPEG reader; nothing to register for them.
    RegisterLmStyle();
    while (WaitCount() > 0)
        CloseWait();
}

ProgramSession::~ProgramSession() {
    while (WaitCount() > 0)
        CloseWait();
    EndWaitCursor();
    // A floating card window still open keeps its place for the next run; a settings file that
    // cannot be written must not stop the shut-down.
    try {
        DestroyCardInfo();
    } catch (...) {
        ReleaseCardInfo();
    }
    UnregisterLmStyle();
    CardDatabase().Clear();
    CloseSettings();
}

} // namespace tovel
