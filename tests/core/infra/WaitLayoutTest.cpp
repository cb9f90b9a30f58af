#include "core/infra/WaitLayout.h"
#include "core/infra/FileCopy.h"
#include "core/infra/FileIO.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

using namespace tovel;
using tovel::test::TempDir;

namespace {
constexpr TRect kArea{0, 0, 1000, 700}; // room for five windows of 140 in one column
constexpr int kW = 440;
constexpr int kH = 139;
} // namespace

// Each window stacks directly above the highest one; a full column starts one window-width
// to the left at the work area's top.
TEST(WaitLayout, WindowsStackUpwardsThenStartANewColumn) {
    std::vector<TPoint> shown;
    std::vector<TPoint> expected = {{560, 561}, {560, 422}, {560, 283}, {560, 144}, {560, 5}, {120, 0}};
    for (const TPoint& want : expected) {
        const TPoint at = PlaceWaitWindow(kArea, kW, kH, shown);
        EXPECT_EQ(at.x, want.x);
        EXPECT_EQ(at.y, want.y);
        shown.push_back(at);
    }
}

TEST(WaitLayout, WorkAreaOffsetIsHonoured) {
    const TPoint at = PlaceWaitWindow({100, 50, 900, 650}, kW, kH, {});
    EXPECT_EQ(at.x, 460);
    EXPECT_EQ(at.y, 511);
}

TEST(WaitLayout, TimeTexts) {
    struct Case {
        int64_t ms;
        const char* text;
    } cases[] = {{0, "0:00:00"},
                 {65'000, "0:01:05"},
                 {3'600'000 * 10 + 59'999, "10:00:59"},
                 {(24 + 1) * 3'600'000LL, "1:00:00"}};
    for (const Case& c : cases)
        EXPECT_EQ(FormatDuration(c.ms), c.text) << c.ms;
    EXPECT_EQ(RemainingTimeText(10'000, 100, 0), "?:??:??");
    EXPECT_EQ(RemainingTimeText(10'000, 100, -3), "?:??:??");
    // 10 s for 25 of 100 steps: 30 s to go.
    EXPECT_EQ(RemainingTimeText(10'000, 100, 25), "0:00:30");
    // A large step count over a long time must not overflow 32 bits.
    EXPECT_EQ(RemainingTimeText(3'600'000, 2'000'000'000, 1'000'000'000), "1:00:00");
    EXPECT_EQ(RemainingTimeText(3'600'000, 100, 100), "0:00:00");
}

TEST(FileCopy, ReplacesAnExistingDestination) {
    TempDir dir;
    const std::string source = dir.Write("a.txt", "new contents");
    const std::string dest = dir.Write("b.txt", "old");
    EXPECT_EQ(TryCopyFile(source, dest), 0);
    EXPECT_EQ(TempDir::Read(dest), "new contents");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST(FileCopy, FailuresReportErrnoAndKeepTheDestination) {
    TempDir dir;
    const std::string dest = dir.Write("b.txt", "old");
    EXPECT_EQ(TryCopyFile(dir / "missing.txt", dest), ENOENT);
    EXPECT_EQ(TempDir::Read(dest), "old");
    const std::string source = dir.Write("a.txt", "x");
    EXPECT_EQ(TryCopyFile(source, dir / "no/such/folder/b.txt"), ENOENT);
    EnsureDirectory(dir / "sub");
    EXPECT_EQ(TryCopyFile(dir / "sub", dest), EISDIR);
}

TEST(FileCopy, SystemErrorText) {
    EXPECT_EQ(SystemErrorText(0), "Неизвестная ошибка при выполнении функции Win32 API");
    EXPECT_EQ(SystemErrorText(ENOENT),
              "System Error.  Code: " + std::to_string(ENOENT) + ".\n" + tovel::LastErrorText(ENOENT));
    errno = EACCES;
    EXPECT_EQ(LastErrorText(), SystemErrorText(EACCES));
}
