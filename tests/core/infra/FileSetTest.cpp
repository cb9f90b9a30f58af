#include "core/infra/FileSet.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/FileReplacement.h"
#include "core/infra/Process.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

using namespace tovel;
using tovel::test::TempDir;

namespace {

// A failure at any point leaves every target as it was: the files replaced before it get their
// old contents back, a file that was not there is not left behind, and no temporary stays.
TEST(FileSet, AFailedSetLeavesEveryTargetAsItWas) {
    TempDir dir;
    dir.Write("a.dec", "old a");
    {
        FileSet files;
        files.Add(dir / "a.dec", "new a");
        files.Add(dir / "b.dec", "new b");
        files.Add(dir / "c.dec", "new c");
        // c.dec turns into a folder before the renames: the third rename fails.
        EnsureDirectory(dir / "c.dec");
        EXPECT_THROW(files.Commit(), Error);
    }
    EXPECT_EQ(TempDir::Read(dir / "a.dec"), "old a");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.dec", "c.dec"}));

    // A member that cannot even be opened stops the set before anything is renamed.
    {
        FileSet files;
        files.Add(dir / "a.dec", "new a");
        EXPECT_THROW(files.Add(dir / "c.dec", "x"), Error);
    }
    // Naming one file twice is refused, however it is spelt.
    {
        FileSet files;
        files.Add(dir / "a.dec", "new a");
        EXPECT_THROW(files.Add(dir / "./a.dec", "again"), Error);
        files.Add(dir / "b.dec", "new b");
        files.Commit();
    }
    EXPECT_EQ(TempDir::Read(dir / "a.dec"), "new a");
    EXPECT_EQ(TempDir::Read(dir / "b.dec"), "new b");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.dec", "b.dec", "c.dec"}));
}

// The spellings of one file: the same path, "..", a hard link, a symbolic link, and a name not
// there yet reached through two folders.
TEST(SameFile, ComparesTheFilesNotTheSpelling) {
    TempDir dir;
    dir.Write("x.dec", "x");
    dir.Write("sub/y.dec", "y");
    ASSERT_EQ(::link((dir / "x.dec").c_str(), (dir / "hard.dec").c_str()), 0);
    ASSERT_EQ(::symlink("x.dec", (dir / "soft.dec").c_str()), 0);
    ASSERT_EQ(::symlink("sub/new.dec", (dir / "dangling.dec").c_str()), 0);
    const struct {
        std::string a, b;
        bool same;
    } cases[] = {
        {dir / "x.dec", dir / "x.dec", true},
        {dir / "x.dec", dir / "sub/../x.dec", true},
        {dir / "x.dec", dir / "hard.dec", true},
        {dir / "soft.dec", dir / "x.dec", true},
        {dir / "sub/new.dec", dir / "./sub/new.dec", true},
        {dir / "dangling.dec", dir / "sub/new.dec", true},
        {dir / "x.dec", dir / "sub/y.dec", false},
        {dir / "new.dec", dir / "sub/new.dec", false},
        {dir / "x.dec", dir / "X.dec", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SameFile(c.a, c.b), c.same) << c.a << " " << c.b;
    EXPECT_EQ(
        SameFileProblem({{"--out", dir / "x.dec"}, {"--log", dir / "l.txt"}, {"--record", dir / "hard.dec"}}),
        "--out and --record name the same file \"" + dir / "hard.dec" + "\"");
    EXPECT_EQ(SameFileProblem({{"--out", dir / "x.dec"}, {"--log", dir / "l.txt"}}), "");
}

// SIGTERM and SIGINT remove the temporary files of the writes under way and end the program with
// 143 and 130; a signal during a held stretch waits for its end.
TEST(Termination, SignalsRemoveTheTemporaryFilesAndAHoldDefersThem) {
    TempDir dir;
    dir.Write("a.dec", "old a");
    for (const int signal : {SIGTERM, SIGINT}) {
        const int code = test::RunInChild([&] {
            RemoveTemporaryFilesOnTermination();
            FileSet files;
            files.Add(dir / "a.dec", std::string(1 << 20, 'a'));
            files.Add(dir / "b.dec", "b");
            ::raise(signal);
            return 0;
        });
        EXPECT_EQ(code, 128 + signal);
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.dec"});
    }
    const int code = test::RunInChild([&] {
        RemoveTemporaryFilesOnTermination();
        {
            const TerminationHold hold;
            ::raise(SIGINT);
            dir.Write("finished", "");
        }
        return 0;
    });
    EXPECT_EQ(code, 130);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.dec", "finished"}));
}

// Only the program's own temporary files older than an hour go, in the folder and below it.
TEST(Termination, StaleTemporaryFilesAreRemovedAndNothingElse) {
    TempDir dir;
    const std::string temp = TemporaryFileName(dir / "base.txt");
    ASSERT_TRUE(IsTemporaryFileName(temp.substr(dir.Path().size())));
    const struct {
        std::string name;
        bool old, removed;
    } cases[] = {
        {temp.substr(dir.Path().size()), true, true},
        {"Decks/x.dec.12-0-3fa.tmp~", true, true},
        {"Decks/y.dec.12-1-3fb.tmp~", false, false}, // recent: a write may be under way
        {"notes.tmp~", true, false},
        {"x.dec.12-0-3fa.tmp", true, false},
        {"x.dec.12-0-xyz.tmp~", true, false},
        {".12-0-3fa.tmp~", true, false},
        {"a/b/c/d/deep.1-2-3.tmp~", true, false}, // deeper than the program's folders go
    };
    const std::time_t now = std::time(nullptr);
    for (const auto& c : cases) {
        dir.Write(c.name, "x");
        const utimbuf times{now - 7200, now - 7200};
        if (c.old)
            ASSERT_EQ(::utime((dir / c.name).c_str(), &times), 0);
    }
    ASSERT_EQ(::symlink((dir / "Decks").c_str(), (dir / "linked").c_str()), 0);
    EXPECT_EQ(RemoveStaleTemporaryFiles(dir.Path(), now, 3600), 2);
    for (const auto& c : cases)
        EXPECT_EQ(FileExists(dir / c.name), !c.removed) << c.name;
}

} // namespace
