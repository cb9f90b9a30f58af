// The maintenance commands of the main menu: building the card-list file from imported lists,
// building the database from its two sources, and backing it up and restoring it.

#include "core/carddb/DBCreate.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Prompts.h"
#include "ui/Openers.h"
#include "ui/carddb/ReadCardForm.h"
#include "ui/platform/QtText.h"
#include "ui/wait/CopyWithRetry.h"
#include "ui/wait/WaitForm.h"

#include <QCoreApplication>

namespace tovel {

namespace {

std::string PleaseWait() {
    return ToUtf8(QCoreApplication::translate("Maintenance", "Please wait..."));
}

// Copies one file inside the "Please wait..." window, with the copy's retry dialogue.
void CopyWithWaitWindow(const std::string& source, const std::string& dest) {
    WaitWindow wait(PleaseWait());
    CopyFileWithRetry(source, dest);
}

} // namespace

void CreateCardsDBCommand() {
    const std::vector<std::string> files = Prompts().AskOpenFileNames(
        ProgramPath("Import/Cardlists/"), "txt",
        ToUtf8(QCoreApplication::translate("Maintenance", "Card lists|*.txt|All files|*")));
    CreateCardsDB(CardDatabase(), ProgramDir(), files, ReadCardListLayout, CopyWithWaitWindow);
}

void BuildCardDatabaseCommand() {
    WaitWindow wait(PleaseWait());
    CreateDBFromCardsAndGatherer(CardDatabase(), EditionList(), DefaultBuildFiles(ProgramDir()));
}

void BackupCardsDBCommand() {
    BackupCardDatabase(ProgramDir(), CopyWithWaitWindow);
}

void RestoreCardsDBCommand() {
    RestoreCardDatabase(ProgramDir(), CopyWithWaitWindow);
}

} // namespace tovel
