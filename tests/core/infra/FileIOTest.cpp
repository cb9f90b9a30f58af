#include "core/infra/FileIO.h"
#include "core/infra/Error.h"
#include "core/infra/Process.h"
#include "core/infra/ProgramDir.h"
#include "support/ChildProcess.h"
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
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"base.txt"});
}

TEST(FileIO, FailedAtomicWriteKeepsTheOldFile) {
    TempDir dir;
    // The target is a folder: the rename must fail after the temporary was written.
    EnsureDirectory(dir / "target");
    dir.Write("target/inside", "x");
    EXPECT_THROW(WriteFileAtomically(dir / "target", "data"), Error);
    EXPECT_TRUE(DirectoryExists(dir / "target"));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"target"});
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

TEST(FileIO, LinesEndWithCrLfOrLf) {
    EXPECT_EQ(SplitLines("a\r\nb\nc"), (std::vector<std::string_view>{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string_view>{"a", ""}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("\n"), (std::vector<std::string_view>{""}));
    EXPECT_EQ(SplitLines("x\ry\n"), (std::vector<std::string_view>{"x\ry"})); // a lone CR is data
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
