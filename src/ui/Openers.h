#pragma once

// The window openers, declared here for every window that opens another and defined beside each
// window: each creates its window, runs its initialisation, shows it modally and
// always destroys it afterwards, also when an error passes through. Windows of later builds
// add their openers here.

#include <string>

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
// The deck designer. `openTempDeck`: read the hand-off file Temp/temp.dec into the sideboard;
// `databaseLoaded`: the card database already holds what the deck needs (no reload).
void OpenDeckDesigner(bool openTempDeck, bool databaseLoaded);
// The deck designer on a deck file, read as "Load deck" reads it (main deck and sideboard).
void OpenDeckDesignerOn(const std::string& path, bool databaseLoaded);

// The draft window; when it closes through its "Design deck" command, the deck designer on the
// user's picks.
void OpenDraft();
// "Open draft record...": a saved draft record, reviewed pick by pick.
void OpenDraftRecord();

// The sealed configuration dialog; true when the user confirmed (the choice is stored).
bool OpenSealedConfig();

// Generates the configured sealed pool under a wait window, writes it to the hand-off file and
// opens the deck designer on it. Nothing happens when no pack is configured.
void GenerateSealedDeck();

// The options dialog; true when it was confirmed with OK.
bool OpenOptions();

} // namespace tovel
