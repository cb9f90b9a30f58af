#include "core/infra/FileIO.h"
#include "core/carddb/CardDatabase.h"
#include "core/carddb/Editions.h"
#include "core/collection/Inventory.h"
#include "core/decks/DeckFile.h"
#include "core/decks/DeckList.h"
#include "core/decks/InsertSideboard.h"
#include "core/infra/Error.h"
#include "core/infra/FileCopy.h"
#include "core/infra/IniFile.h"
#include "core/infra/Process.h"
#include "core/infra/ProgramDir.h"
#include "core/limited/DraftRecord.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace tovel;
using tovel::test::TempDir;

TEST(FileIO, AtomicWriteReplacesTheFileAndLeavesNoTemporary) {
    TempDir dir;
    const std::string path = dir.Write("base.txt", "old contents");
    WriteFileAtomically(path, "new\r\ncontents\r\n");
    EXPECT_EQ(TempDir::Read(path), "new\r\ncontents\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"base.txt"});
}

TEST(FileIO, FailedAtomicWriteKeepsTheOldFile) {
    TempDir dir;
    // Targets that are not plain files are left as they are: a folder, and a pipe (which a
    // rename would turn into a plain file).
    EnsureDirectory(dir / "target");
    dir.Write("target/inside", "x");
    EXPECT_THROW(WriteFileAtomically(dir / "target", "data"), Error);
    EXPECT_TRUE(DirectoryExists(dir / "target"));
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    EXPECT_THROW(WriteFileAtomically(dir / "pipe", "data"), Error);
    struct stat st {};
    EXPECT_TRUE(::stat((dir / "pipe").c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"pipe", "target"}));
    // A write into a folder that does not exist fails with a message naming the file.
    try {
        WriteFileAtomically(dir / "missing/x.txt", "data");
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("missing/x.txt"), std::string::npos);
    }
}

TEST(FileIO, AWritePastTheFileSizeLimitFailsWithAMessageAndKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.Write("keep.txt", "precious");
    const int code = test::RunInChild([&] {
        IgnoreFileSizeLimitSignal();
        test::LimitFileSize(4096);
        try {
            WriteFileAtomically(path, std::string(1 << 16, 'x'));
        } catch (const Error& e) {
            const std::string message = e.what();
            return message.rfind("Unable to write to " + path, 0) == 0 &&
                           message.find("File too large") != std::string::npos
                       ? 0
                       : 2;
        }
        return 1;
    });
    EXPECT_EQ(code, 0) << "1: no error, 2: another message, more: ended by signal " << code - 128;
    EXPECT_EQ(TempDir::Read(path), "precious");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"keep.txt"});
}

TEST(FileIO, ConcurrentWritersNeverTearTheFileAndBothSucceed) {
    TempDir dir;
    constexpr size_t kSize = 256 << 10;
    const std::string path = dir.Write("base.txt", std::string(kSize, 'o'));
    // Two processes replace the file with their own versions over and over while this one reads it.
    auto writer = [&](char letter) {
        return test::StartChild([&path, letter] {
            for (int round = 0; round < 40; ++round)
                WriteFileAtomically(path, std::string(kSize, letter));
            return 0;
        });
    };
    const pid_t a = writer('a');
    const pid_t b = writer('b');
    int torn = 0;
    for (int read = 0; read < 200; ++read) {
        const std::string now = ReadWholeFile(path);
        if (now.size() != kSize || now.find_first_not_of(now[0]) != std::string::npos)
            ++torn;
    }
    EXPECT_EQ(test::WaitChild(a), 0);
    EXPECT_EQ(test::WaitChild(b), 0);
    EXPECT_EQ(torn, 0);
    const std::string last = TempDir::Read(path);
    EXPECT_TRUE(last == std::string(kSize, 'a') || last == std::string(kSize, 'b'));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"base.txt"});
}

TEST(FileIO, WritersKeepPermissionBitsAndWriteThroughSymbolicLinks) {
    TempDir dir;
    const std::string source = dir.Write("source.txt", "new");
    const std::pair<const char*, std::function<void(const std::string&)>> writers[] = {
        {"WriteFileAtomically",
         [](const std::string& path) {
             WriteFileAtomically(path, "new");
         }},
        {"TryCopyFile",
         [&](const std::string& path) {
             ASSERT_EQ(TryCopyFile(source, path), 0);
         }},
    };
    auto bits = [](const std::string& path) {
        struct stat st {};
        ::stat(path.c_str(), &st);
        return st.st_mode & 07777;
    };
    for (const auto& [name, write] : writers) {
        SCOPED_TRACE(name);
        const std::string folder = dir / name + "/";
        for (const auto& [file, mode] : {std::pair{"private", 0600}, {"group", 0664}}) {
            const std::string path = dir.Write(name + std::string("/") + file, "old");
            ::chmod(path.c_str(), mode);
            write(path);
            EXPECT_EQ(TempDir::Read(path), "new");
            EXPECT_EQ(bits(path), mode) << file;
        }
        // Links are written through to their targets, one that does not exist yet included.
        ASSERT_EQ(::symlink("private", (folder + "link").c_str()), 0);
        ASSERT_EQ(::symlink((folder + "created").c_str(), (folder + "dangling").c_str()), 0);
        dir.Write(name + std::string("/private"), "old");
        write(folder + "link");
        write(folder + "dangling");
        EXPECT_EQ(TempDir::Read(folder + "private"), "new");
        EXPECT_EQ(TempDir::Read(folder + "created"), "new");
        char target[64] = {};
        EXPECT_EQ(::readlink((folder + "link").c_str(), target, sizeof target - 1), 7);
        EXPECT_EQ(dir.Names(name),
                  (std::vector<std::string>{"created", "dangling", "group", "link", "private"}));
    }
}

TEST(FileIO, WritersRefuseATargetTheUserMayNotWrite) {
    if (!test::CanRunUnprivileged())
        GTEST_SKIP() << "running as root with no user \"nobody\" to run the writers as";
    TempDir dir;
    ::chmod(dir.Path().c_str(), 0777); // the folder is writable, the file is not
    const std::string path = dir.Write("locked.ini", "[S]\nk=old\n");
    ::chmod(path.c_str(), 0444);
    const std::string source = dir.Write("source.txt", "new");
    const std::string refused = "Unable to write to " + path;
    const int step = test::RunInChild([&] {
        if (!test::DropRootRights())
            return 1;
        try {
            WriteFileAtomically(path, "new");
            return 2;
        } catch (const Error& e) {
            if (std::string(e.what()).rfind(refused, 0) != 0)
                return 3;
        }
        if (TryCopyFile(source, path) != EACCES)
            return 4;
        try {
            IniFile(path).WriteString("S", "k", "new");
            return 5;
        } catch (const Error& e) {
            return e.what() == refused ? 0 : 6;
        }
    });
    EXPECT_EQ(step, 0) << "the check that failed";
    EXPECT_EQ(TempDir::Read(path), "[S]\nk=old\n");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"locked.ini", "source.txt"}));
}

TEST(FileIO, LinesEndWithCrLfLfOrCr) {
    EXPECT_EQ(SplitLines("a\r\nb\nc"), (TBigVector<std::string_view>{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (TBigVector<std::string_view>{"a", ""}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("\n"), (TBigVector<std::string_view>{""}));
    EXPECT_EQ(SplitLines("x\ry\r\r\n\n\rz\r"), (TBigVector<std::string_view>{"x", "y", "", "", "", "z"}));
    LineReader reader("a\rb\r\nc");
    std::string_view line;
    while (reader.Next(line)) {
    }
    EXPECT_EQ(reader.LineNumber(), 3);
}

// The word-at-a-time scan must find the first line end wherever it falls in a word, and not
// take neighbouring bytes (0x0B, 0x0C, 0x0E, 0x8A, 0x8D, a CR or LF after the first) for one.
TEST(FileIO, LineEndFoundAtEveryOffset) {
    using namespace std::string_literals;
    const std::string text = "ab\x0B\x0C\x0E\x8A\x8D\xFF"s + "cdefghij\x8D\nklm\r\n\x00\x80xyz\r"s +
                             std::string(17, 'q') + "\n\x0A"s;
    for (size_t from = 0; from <= text.size(); ++from)
        EXPECT_EQ(FindLineEnd(text, from), std::string_view(text).find_first_of("\r\n", from)) << from;
}

TEST(FileIO, ReadersRefuseWhatIsNotARegularFile) {
    TempDir dir;
    const std::string fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EnsureDirectory(dir / "folder");
    for (const std::string& path : {fifo, dir / "folder"}) {
        for (auto read : {+[](const std::string& p) { ReadWholeFile(p); },
                          +[](const std::string& p) {
                              MappedFile::Open(p);
                          }}) {
            try {
                read(path); // a FIFO would block here for ever
                ADD_FAILURE() << path;
            } catch (const Error& e) {
                EXPECT_STREQ(e.what(), (path + " is not a regular file").c_str());
            }
        }
    }
}

TEST(FileIO, MappedFileSeesTheBytesAndSurvivesReplacement) {
    TempDir dir;
    const std::string path = dir.Write("m.txt", "mapped bytes");
    auto file = MappedFile::Open(path);
    EXPECT_EQ(file->Bytes(), "mapped bytes");
    WriteFileAtomically(path, "replaced");
    EXPECT_EQ(file->Bytes(), "mapped bytes");
    EXPECT_TRUE(MappedFile::Open(dir.Write("empty.txt", ""))->Bytes().empty());
    EXPECT_THROW(MappedFile::Open(dir / "absent.txt"), Error);
}

TEST(ProgramDir, ReplaceExtensionChangesOnlyTheFileNamesExtension) {
    EXPECT_EQ(ReplaceExtension("/a/b/tovel", ".ini"), "/a/b/tovel.ini");
    EXPECT_EQ(ReplaceExtension("/a/b/tovel.exe", ".ini"), "/a/b/tovel.ini");
    EXPECT_EQ(ReplaceExtension("/a.d/tovel", ".ini"), "/a.d/tovel.ini");
    EXPECT_EQ(ReplaceExtension("/a/.hidden", ".ini"), "/a/.hidden.ini");
}

// Every text reader says the same of a UTF-16 file, once, instead of reading it as bytes with
// wrong line numbers (or none): card database, editions, inventory, deck, deck list, record,
// settings, sideboard conversion.
TEST(TextFiles, EveryTextReaderRefusesUtf16) {
    TempDir dir;
    const std::string utf16("\xFF\xFE"
                            "A\0B\0;\0\r\0\n\0",
                            12);
    const std::string bigEndian("\xFE\xFF\0A\0B", 6);
    const std::string file = dir.Write("text", utf16);
    dir.Write("be", bigEndian);
    TCardsList cards;
    TTextList list;
    TInventoryList inventory;
    TDeckZones zones;
    const std::vector<std::pair<const char*, std::function<void()>>> readers = {
        {"card database",
         [&] {
             LoadCardDatabase(cards, file, "");
         }},
        {"card database check",
         [&] {
             CheckCardDatabase(utf16, {});
         }},
        {"editions",
         [&] {
             LoadEditionList(list, file);
         }},
        {"card list",
         [&] {
             ReadCardListText(cards, utf16, "");
         }},
        {"inventory",
         [&] {
             LoadInventory(inventory, cards, file, false);
         }},
        {"deck",
         [&] {
             ReadDeckIntoZones(zones, cards, file, false, false);
         }},
        {"deck list",
         [&] {
             ReadDeckListFile(file, cards);
         }},
        {"draft record",
         [&] {
             ReadDraftRecord(file);
         }},
        {"sideboard conversion",
         [&] {
             InsertSideboardFile(file);
         }},
        {"text lines",
         [&] {
             TextFileReader lines(dir / "be");
         }},
    };
    for (const auto& [what, read] : readers) {
        try {
            read();
            ADD_FAILURE() << what;
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), kUtf16NotSupported) << what;
        }
    }
    EXPECT_EQ(IniFile(file).ReadProblem(), kUtf16NotSupported);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"be", "text"})); // nothing written
}

// The streaming reader gives the lines LineReader gives, whatever the pieces it reads in, and
// cuts a line too long to keep.
TEST(TextFiles, TheStreamingReaderSplitsLinesAsTheWholeTextDoesAndCutsLongOnes) {
    TempDir dir;
    const std::string piece(65535, 'x');
    const std::vector<std::string> texts = {
        "",
        "a",
        "a\r\nb\rc\nd",
        "a\r\n",
        "\r\n\r\n",
        piece + "\r\nb",
        piece + "\r",
        piece + "\r\n",
        std::string(3 * 65536 + 5, 'y') + "\nz\r",
    };
    for (const std::string& text : texts) {
        const std::string path = dir.Write("t.txt", text);
        TextFileReader reader(path);
        LineReader whole(text);
        std::string_view a, b;
        while (whole.Next(b)) {
            ASSERT_TRUE(reader.Next(a)) << text.size();
            EXPECT_EQ(a, b);
            EXPECT_EQ(reader.LineNumber(), whole.LineNumber());
            EXPECT_FALSE(reader.LineCut());
        }
        EXPECT_FALSE(reader.Next(a)) << text.size();
    }
    const std::string path = dir.Write("long.txt", "1\r\n" + std::string(kMaxLineBytes * 3, 'z') + "\r\n" +
                                                       std::string(kMaxLineBytes + 1, 'w') + "\n3\r");
    TextFileReader reader(path);
    std::string_view line;
    ASSERT_TRUE(reader.Next(line));
    for (const char kept : {'z', 'w'}) { // far longer, and one byte longer
        ASSERT_TRUE(reader.Next(line));
        EXPECT_EQ(line, std::string(kMaxLineBytes, kept));
        EXPECT_TRUE(reader.LineCut());
    }
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "3");
    EXPECT_EQ(reader.LineNumber(), 4);
    EXPECT_FALSE(reader.LineCut());
    EXPECT_FALSE(reader.Next(line));
}
