// The maintenance commands of the main menu: building the card-list file from imported lists,
// building the database from its two sources, and backing it up and restoring it.

#include "core/carddb/DBCreate.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Prompts.h"
#include "ui/app/Openers.h"
#include "ui/carddb/ReadCardForm.h"
#include "ui/infra/GlobFile.h"
#include "ui/infra/WaitForm.h"

namespace tovel {

namespace {

// Copies one file inside the "Please wait..." window, with the copy's retry dialogue.
void CopyWithWaitWindow(const std::string& source, const std::string& dest) {
    WaitWindow wait("Please wait...");
    CopyFileWithRetry(source, dest);
}

} // namespace

void CreateCardsDBCommand() {
    const std::vector<std::string> files =
        Prompts().AskOpenFileNames(ProgramPath("Import/Cardlists/"), "txt", "Card lists|*.txt|All files|*");
    CreateCardsDB(CardDatabase(), ProgramDir(), files, ReadCardListLayout, CopyWithWaitWindow);
}

void BuildCardDatabaseCommand() {
    WaitWindow wait("Please wait...");
    CreateDBFromCardsAndGatherer(CardDatabase(), EditionList(), DefaultBuildFiles(ProgramDir()));
}

void BackupCardsDBCommand() {
    BackupCardDatabase(ProgramDir(), CopyWithWaitWindow);
}

void RestoreCardsDBCommand() {
    RestoreCardDatabase(ProgramDir(), CopyWithWaitWindow);
}

} // namespace tovel
