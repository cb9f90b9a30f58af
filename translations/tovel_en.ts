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
    <name>InventoryForm</name>
    <message>
        <source>Файл %1<byte value="xd"/>существует? Перезаписать?</source>
        <translation>File %1<byte value="xd"/>exists. Overwrite?</translation>
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
</context>
<context>
    <name>tovel::TWaitForm</name>
    <message>
        <source>Прервать</source>
        <translation>Abort</translation>
    </message>
</context>
</TS>
