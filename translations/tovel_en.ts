<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>CopyFileWithRetry</name>
    <message>
        <source>Копирование:<byte value="xd"/>%1 -&gt; %2</source>
        <translation>Copying:<byte value="xd"/>%1 -&gt; %2</translation>
    </message>
    <message>
        <source>Ошибка копирования файла %1 в %2
%3
Возможно файл заблокирован другой программой.
Повторить попытку копирования?</source>
        <translation>Could not copy the file %1 to %2
%3
The file may be locked by another program.
Try to copy it again?</translation>
    </message>
    <message>
        <source>Ошибка копирования файла %1 в %2
%3</source>
        <translation>Could not copy the file %1 to %2
%3</translation>
    </message>
</context>
<context>
    <name>DialogButtons</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InventoryForm</name>
    <message>
        <source>Файл %1<byte value="xd"/>существует? Перезаписать?</source>
        <translation>File %1<byte value="xd"/>exists. Overwrite?</translation>
    </message>
</context>
<context>
    <name>Maintenance</name>
    <message>
        <source>Please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Card lists|*.txt|All files|*</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SealedRun</name>
    <message>
        <source>Generating sealed deck...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemErrorText</name>
    <message>
        <source>Неизвестная ошибка при выполнении функции Win32 API</source>
        <translation>Unknown error in a system function</translation>
    </message>
</context>
<context>
    <name>WaitForm</name>
    <message>
        <source>Нет ни одного окна Wait</source>
        <translation>There is no wait window</translation>
    </message>
    <message>
        <source>Прервать операцию?</source>
        <translation>Abort the operation?</translation>
    </message>
</context>
<context>
    <name>tovel::TAboutForm</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A card database, collection keeper and draft trainer.
Written by the Tovel team.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cool</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TBuildDeckForm</name>
    <message>
        <source>Build deck from pool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cards in the pool. The deck takes %2 spells of one or two colours by value, along a curve, and %3 basic lands.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spells</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Score</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best cards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Short of %1 by %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TCardInfoFrame</name>
    <message>
        <source>Card not found in DB</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TCardListModel</name>
    <message>
        <source>Cost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rarity</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TCardQueryBar</name>
    <message>
        <source>Search: t:creature c:g cmc&lt;=3 v&gt;=7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Terms: word, n:, t:, o:, e:, in:, r:, c:, cmc, pow, tou, v, f:, banned:, own; or, and, -, ( ), &quot;a phrase&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 match</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 matches</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TCardsFrame</name>
    <message>
        <source>Find Card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter cards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter cards (Ctrl+F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit notes:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TConfigForm</name>
    <message>
        <source>Configure draft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Boosters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;ube</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cards per pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting pick time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untimed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Con&amp;firm picks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first Enter, double click or &quot;Pick&quot; marks the card; a second one takes it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bots strategy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick at random</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick rares first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick by value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer drafters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick by value and colours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no cube in Cubes/)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the drafters&apos; &amp;choice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outlines the card of your booster the computer drafters would take with your picks so far</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TConfigureSealedForm</name>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configure Sealed Deck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Boosters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cube</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deal the packs from a cube</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>packs of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no cube in Cubes/)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TCurveChart</name>
    <message>
        <source>Cost: creatures + other spells</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>creatures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>other spells</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TDeckBrowserPanel</name>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One copy of the selected card to the deck (Shift: to the sideboard)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TDeckListForm</name>
    <message>
        <source>Import list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4 Card name
2x Other card [CODE]

Sideboard
1 Spare card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TDeckStatsPanel</name>
    <message>
        <source>Average cost:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Symbols:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply lands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the main deck&apos;s basic lands to the suggestion</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TDraftMainForm</name>
    <message>
        <source>The draft is not finished. Start a new one and lose the picks?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picks of this draft are not saved. Start a new draft and lose them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pickroom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Draft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New draft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View card info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Confirm picks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pick</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Me</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Deck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Design deck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Review draft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved as %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decks are empty!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files %1 exist. Overwrite?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save all pools...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save all built decks...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each seat&apos;s picks built into a 40-card deck, the rest in its sideboard</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TDraftReviewForm</name>
    <message>
        <source>taken by the user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>taken by the countdown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>taken by the computer drafter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Me</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seat %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colourless</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draft review</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt; Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seat:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Booster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Came back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (not in the database)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No picks recorded for this seat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wheeled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Picks so far: %1&lt;/b&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt;: colours of the picks by pack turn, and the first pick of each</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First pick</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The draft record cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Score</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The card&apos;s score for the computer drafters with this seat&apos;s picks so far</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Signals&lt;/b&gt;: each colour&apos;s share of the value seen after pick %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double-click a seat to review its picks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open in designer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save deck...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Standings&lt;/b&gt;: each seat&apos;s picks built into a deck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The drafters would have taken this card too</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The drafters&apos; choice, %1, scored %2 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Agrees with the drafters&apos; choice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The drafters&apos; choice (outlined) scored %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Grade&lt;/b&gt;: the picks against the computer drafters&apos; choice&lt;br&gt;Built deck: %1, score %2, place %3 of %4&lt;br&gt;%5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;br&gt;Largest losses:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TEditValuesForm</name>
    <message>
        <source>Edit card values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Card Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Junk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Average</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bomb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TFilterForm</name>
    <message>
        <source>Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Editions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Card belongs to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Card is legal in</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TInsertSBForm</name>
    <message>
        <source>InsertSBForm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text decks|*.txt;*.dec|All files|*</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TInventoryForm</name>
    <message>
        <source>Inventory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load from file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save to file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add from file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import from .dec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add from .dec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export to .dec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear inventory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View Card Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Foil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Foil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find in base</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find in inventory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear inventory? Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inventory modified! Save changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace the collection with the cards of %1? The current collection has %2 cards.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TLmDirEdit</name>
    <message>
        <source>Выберите каталог</source>
        <translation>Choose a folder</translation>
    </message>
</context>
<context>
    <name>tovel::TMainForm</name>
    <message>
        <source>Cards, collection, decks and limited practice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Base</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Explore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Inventory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Manage inventory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Borrow/Lend cards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Deck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Design deck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D&amp;raft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New draft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open draft record...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New &amp;sealed deck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit card values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup cards DB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore cards DB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Utilities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert SB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create cards DB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make XML</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Configure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create DB from cards.txt and gatherer.txt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TMakeDeckForm</name>
    <message>
        <source>Deck designer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deck/Sideboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sideboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maindeck:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sideboard:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cards total:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lands:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creatures:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spells:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Deck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear deck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load deck...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load to sideboard...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add from deck...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to sideboard...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save deck...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import list...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export list...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Card browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample hand...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build deck from pool...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build a deck of 23 spells and 17 basic lands from every card of the deck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initialization...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TOddsPanel</name>
    <message>
        <source>On the play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On the draw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An opening seven with 2 to 5 lands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At least %1 land by turn %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At least %1 lands by turn %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The turn of the spell&apos;s mana value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enough lands of the right colours by that turn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The same chance, given the land drops</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Odds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lands in the opening seven:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Land drops by turn:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spells on curve:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keepable: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TOpeningChart</name>
    <message>
        <source>Lands in the opening seven</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TOptionsForm</name>
    <message>
        <source>Выберите каталог</source>
        <translation>Choose a folder</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>original</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show card images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Card Images:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create DB from cards.txt and gatherer.txt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TReadCardForm</name>
    <message>
        <source>Loading from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edition Full Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edition Abbriviation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rarity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Two spaces mode</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TSampleHandForm</name>
    <message>
        <source>Sample hand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mulligan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New hand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cards in hand (opening hand of %2), %3 left in the library</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TSignalChart</name>
    <message>
        <source>The share of each colour&apos;s value among the cards seen after pick %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pack %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pack %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pack %1: %2 open</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TViewBaseForm</name>
    <message>
        <source>View base</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Base</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View Card Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find in base</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TViewCardForm</name>
    <message>
        <source>Card Info</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TWaitForm</name>
    <message>
        <source>Прервать</source>
        <translation>Abort</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time elapsed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time remaining:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovel::TovelApplication</name>
    <message>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
