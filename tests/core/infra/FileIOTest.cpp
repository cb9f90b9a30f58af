#include "core/infra/FileIO.h"
#include "core/infra/Error.h"
#include "core/infra/ProgramDir.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

using namespace tovel;
using tovel::test::TempDir;

TEST(FileIO, AtomicWriteReplacesTheFileAndLeavesNoTemporary) {
    TempDir dir;
    const std::string path = dir.Write("base.txt", "old contents");
    WriteFileAtomically(path, "new\r\ncontents\r\n");
    EXPECT_EQ(TempDir::Read(path), "new\r\ncontents\r\n");
    EXPECT_FALSE(FileExists(path + ".tmp~"));
}

TEST(FileIO, FailedAtomicWriteKeepsTheOldFile) {
    TempDir dir;
    // The target is a folder: the rename must fail after the temporary was written.
    EnsureDirectory(dir / "target");
    dir.Write("target/inside", "x");
    EXPECT_THROW(WriteFileAtomically(dir / "target", "data"), Error);
    EXPECT_TRUE(DirectoryExists(dir / "target"));
    EXPECT_FALSE(FileExists(dir / "target.tmp~"));
    // A write into a folder that does not exist fails with a message naming the file.
    try {
        WriteFileAtomically(dir / "missing/x.txt", "data");
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("missing/x.txt"), std::string::npos);
    }
}

TEST(FileIO, WriteToAFullDeviceFailsAndKeepsTheOldFile) {
    if (::access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full";
    // /dev/full cannot be renamed over, but writing to it shows the error path of write().
    TempDir dir;
    const std::string path = dir.Write("keep.txt", "precious");
    ASSERT_EQ(::symlink("/dev/full", (path + ".tmp~").c_str()), 0);
    EXPECT_THROW(WriteFileAtomically(path, std::string(1 << 16, 'x')), Error);
    EXPECT_EQ(TempDir::Read(path), "precious");
}

TEST(FileIO, LinesEndWithCrLfLfOrCr) {
    EXPECT_EQ(SplitLines("a\r\nb\nc"), (std::vector<std::string_view>{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string_view>{"a", ""}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("\n"), (std::vector<std::string_view>{""}));
    EXPECT_EQ(SplitLines("x\ry\r\r\n\n\rz\r"), (std::vector<std::string_view>{"x", "y", "", "", "", "z"}));
    LineReader reader("a\rb\r\nc");
    std::string_view line;
    while (reader.Next(line)) {
    }
    EXPECT_EQ(reader.LineNumber(), 3);
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

TEST(ProgramDir, FolderOfTheExecutableUnlessTovelHomeIsSet) {
    ::unsetenv("TOVEL_HOME");
    EXPECT_EQ(ResolveProgramDir("/opt/tovel/bin/tovel"), "/opt/tovel/bin/");
    ::setenv("TOVEL_HOME", "/srv/tovel", 1);
    EXPECT_EQ(ResolveProgramDir("/opt/tovel/bin/tovel"), "/srv/tovel/");
    ::unsetenv("TOVEL_HOME");
    EXPECT_EQ(ReplaceExtension("/a/b/tovel", ".ini"), "/a/b/tovel.ini");
    EXPECT_EQ(ReplaceExtension("/a/b/tovel.exe", ".ini"), "/a/b/tovel.ini");
    EXPECT_EQ(ReplaceExtension("/a.d/tovel", ".ini"), "/a.d/tovel.ini");
    EXPECT_EQ(ReplaceExtension("/a/.hidden", ".ini"), "/a/.hidden.ini");
}
