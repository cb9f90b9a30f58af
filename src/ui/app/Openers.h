#pragma once

// The window openers: each creates its window, runs its initialisation, shows it modally and
// always destroys it afterwards, also when an error passes through. Windows of later builds
// add their openers here.

namespace tovel {

// The About box.
void OpenAbout();

// The collection windows: "View base", "Inventory".
void OpenBaseViewer();
void OpenInventory();
// "Edit card values".
void OpenCardValuesEditor();
// The sideboard utility.
void OpenInsertSideboard();

// The maintenance commands: "Create cards DB", "Create DB from cards.txt and gatherer.txt",
// "Backup cards DB", "Restore cards DB".
void CreateCardsDBCommand();
void BuildCardDatabaseCommand();
void BackupCardsDBCommand();
void RestoreCardsDBCommand();

// The options dialog; true when it was confirmed with OK.
bool OpenOptions();

} // namespace tovel
