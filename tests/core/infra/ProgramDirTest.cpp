#include "core/infra/ProgramDir.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/Process.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>

using namespace tovel;
using tovel::test::TempDir;

namespace fs = std::filesystem;

namespace {

// Read-only for everyone, as an installed system folder is; undone when the test ends.
struct ReadOnlyTree {
    explicit ReadOnlyTree(std::string root) : root_(std::move(root)) { Set(false); }
    ~ReadOnlyTree() { Set(true); }
    void Set(bool writable) {
        const auto bits = [&](bool folder) {
            return (folder ? fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec
                           : fs::perms::none) |
                   fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read |
                   (writable ? fs::perms::owner_write : fs::perms::none);
        };
        for (const auto& entry : fs::recursive_directory_iterator(root_))
            fs::permissions(entry.path(), bits(entry.is_directory()));
        fs::permissions(root_, bits(true));
    }
    std::string root_;
};

} // namespace

// Each case in a child process of its own (the environment is the child's), without root's rights
// where it has them: root may write any folder, so a read-only copy would not look read-only.
TEST(ProgramDir, TovelHomeThenTheProgramsFolderWithDataThenThePerUserFolder) {
    if (!test::CanRunUnprivileged())
        GTEST_SKIP() << "root without a user \"nobody\"";
    struct Case {
        const char* name;
        bool tovelHome, ownData, ownReadOnly;
        const char* dataHome; // XDG_DATA_HOME under the temporary folder; "" unset, "rel" relative
        const char* dir;      // the expected folder under the temporary folder
        const char* reason;
    };
    const Case cases[] = {
        {"TOVEL_HOME wins", true, true, false, "xdg", "home/", "set by TOVEL_HOME"},
        {"build folder", false, true, false, "xdg", "bin/", "the program's own folder, which holds Data/"},
        {"read-only copy", false, true, true, "xdg", "xdg/tovel/",
         "the per-user folder: @bin/ is not writable"},
        {"installed", false, false, true, "xdg", "xdg/tovel/", "the per-user folder: @bin/ holds no Data/"},
        {"XDG_DATA_HOME unset", false, false, false, "", "user/.local/share/tovel/",
         "the per-user folder: @bin/ holds no Data/"},
        {"XDG_DATA_HOME relative", false, false, false, "rel", "user/.local/share/tovel/",
         "the per-user folder: @bin/ holds no Data/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        fs::permissions(dir.Path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        EnsureDirectory(dir / "bin");
        if (c.ownData)
            dir.Write("bin/Data/base.txt", "");
        std::unique_ptr<ReadOnlyTree> readOnly;
        if (c.ownReadOnly)
            readOnly = std::make_unique<ReadOnlyTree>(dir / "bin");
        else
            fs::permissions(dir / "bin", fs::perms::all);
        std::string reason = c.reason;
        if (const size_t at = reason.find('@'); at != std::string::npos)
            reason.replace(at, 1, dir.Path());
        const int status = test::RunInChild([&] {
            if (!test::DropRootRights())
                return 2;
            c.tovelHome ? ::setenv("TOVEL_HOME", (dir / "home").c_str(), 1) : ::unsetenv("TOVEL_HOME");
            ::setenv("HOME", (dir / "user").c_str(), 1);
            const std::string dataHome = c.dataHome;
            dataHome.empty()
                ? ::unsetenv("XDG_DATA_HOME")
                : ::setenv("XDG_DATA_HOME", (dataHome == "rel" ? dataHome : dir / dataHome).c_str(), 1);
            const ProgramDirChoice choice = ChooseProgramDir(dir / "bin/tovel");
            if (choice.dir == dir / c.dir && choice.reason == reason &&
                choice.perUser == (reason.rfind("the per-user", 0) == 0))
                return 0;
            std::fprintf(stderr, "%s: %s (%s)\n", c.name, choice.dir.c_str(), choice.reason.c_str());
            return 1;
        });
        EXPECT_EQ(status, 0);
    }
}

TEST(ProgramDir, PerUserFolderIsSeededOnceAndKeepsTheUsersFiles) {
    TempDir dir;
    dir.Write("share/tovel/Data/base.txt", "sample base");
    dir.Write("share/tovel/Data/cards.txt", "sample cards");
    dir.Write("share/tovel/Data/AB/Card.jpg", "picture");
    dir.Write("share/tovel/editions.rcc", "sample badges");
    dir.Write("share/tovel/Decks/Sample.dec", "sample deck");
    dir.Write("share/tovel/Decks/Other.dec", "other sample deck");
    dir.Write("share/tovel/Inventory/inventory.inv", "sample collection");
    const ReadOnlyTree installed(dir / "share");
    const std::string world = InstalledWorldDir(dir / "bin/tovel");
    ASSERT_EQ(world, dir / "share/tovel/");
    const std::string user = dir / "user/tovel/";
    dir.Write("user/tovel/editions.rcc", "my badges");
    dir.Write("user/tovel/tovel.ini", "[Draft]\n");
    dir.Write("user/tovel/Decks/Sample.dec", "my deck");

    SeedProgramDir(user, world);
    EXPECT_EQ(dir.Names("user/tovel"),
              (std::vector<std::string>{"Data", "Decks", "Inventory", "editions.rcc", "tovel.ini"}));
    EXPECT_EQ(TempDir::Read(user + "Decks/Sample.dec"), "my deck");
    EXPECT_EQ(TempDir::Read(user + "Decks/Other.dec"), "other sample deck");
    EXPECT_EQ(TempDir::Read(user + "Inventory/inventory.inv"), "sample collection");
    EXPECT_EQ(TempDir::Read(user + "Data/base.txt"), "sample base");
    EXPECT_EQ(TempDir::Read(user + "Data/AB/Card.jpg"), "picture");
    EXPECT_EQ(TempDir::Read(user + "editions.rcc"), "my badges");
    EXPECT_EQ(TempDir::Read(user + "tovel.ini"), "[Draft]\n");
    // Copies are the user's to change, whatever the modes of the installed files.
    struct stat st {};
    ASSERT_EQ(::stat((user + "Data/base.txt").c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IWUSR);

    // Once seeded, what the user changes or removes stays so.
    WriteFileAtomically(user + "Data/base.txt", "my base");
    fs::remove(user + "Data/cards.txt");
    fs::remove(user + "editions.rcc");
    SeedProgramDir(user, world);
    EXPECT_EQ(TempDir::Read(user + "Data/base.txt"), "my base");
    EXPECT_FALSE(PathExists(user + "Data/cards.txt"));
    EXPECT_FALSE(PathExists(user + "editions.rcc"));

    // Without an installed world the folder is made and left empty.
    SeedProgramDir(dir / "other/tovel/", dir / "nowhere/");
    EXPECT_TRUE(dir.Names("other/tovel").empty());
}

TEST(ProgramDir, SeedingThatFailsLeavesNoHalfCopyAndIsTriedAgain) {
    TempDir dir;
    dir.Write("world/Data/formats.txt", "f");
    dir.Write("world/Data/base.txt", std::string(4096, 'b'));
    const std::string user = dir / "user/";
    const int status = test::RunInChild([&] {
        IgnoreFileSizeLimitSignal();
        test::LimitFileSize(1024);
        try {
            SeedProgramDir(user, dir / "world/");
        } catch (const Error&) {
            return 0;
        }
        return 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(dir.Names("user").empty());
    SeedProgramDir(user, dir / "world/");
    EXPECT_EQ(TempDir::Read(user + "Data/base.txt").size(), 4096u);
}
