#include "CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

using tovel::test::RunCli;
using tovel::test::TempDir;

namespace {

const std::string kData = TOVEL_DATA_SOURCE "/";

// A program folder holding a copy of the bundled sources.
void CopySample(const TempDir& dir) {
    for (const char* name : {"editions.txt", "cards.txt", "gatherer.txt", "base.txt"})
        dir.Write(std::string("Data/") + name, TempDir::Read(kData + name));
}

} // namespace

TEST(DbCheck, SampleIsCleanAndBadRecordsAreListedWithTheirLines) {
    TempDir dir;
    CopySample(dir);
    const auto clean = RunCli({"--root", dir.Path(), "db", "check"}, dir.Path());
    EXPECT_EQ(clean.status, 0) << clean.err;
    EXPECT_NE(clean.out.find(" cards, 0 problems\n"), std::string::npos);
    EXPECT_EQ(clean.out.find(':'), std::string::npos) << clean.out;

    const std::string bad = dir.Write("bad.txt", "AB;One;C;5;;;\r\n;;;\r\n\r\n"
                                                 "AB;Two;q;5;;;\r\n;;;\r\nrules\r\n\r\n"
                                                 "AB;Three;C;many;;;\r\n;;;\r\n\r\n"
                                                 "AB;Four;U;5;;;\r\nzz;;;\r\n\r\n"
                                                 "AB;Five;R;1;;;\r\n;;;\r\n");
    const auto result = RunCli({"db", "check", bad}, dir.Path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "4: AB;Two;q;5;;; - can't read card info\n"
                          "8: 'many' is not a valid integer value\n"
                          "11: Can't parse mana cost\n"
                          "2 cards, 3 problems\n");

    // Lone CR line ends, a record cut after its head line, and a FIFO that is refused at once.
    std::string crOnly = TempDir::Read(kData + "base.txt");
    crOnly.erase(std::remove(crOnly.begin(), crOnly.end(), '\n'), crOnly.end());
    const auto cr = RunCli({"db", "check", dir.Write("cr.txt", crOnly)}, dir.Path());
    EXPECT_EQ(cr.status, 0);
    EXPECT_EQ(cr.out, clean.out);
    const auto cut = RunCli(
        {"db", "check", dir.Write("cut.txt", "AB;One;C;5;;;\r\n;;;\r\n\r\nAB;Cut;C;5;;;\r\n")}, dir.Path());
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.out, "4: AB;Cut;C;5;;; - the record has no cost line\n1 cards, 1 problems\n");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    const auto fifo = RunCli({"db", "check", dir / "fifo"}, dir.Path());
    EXPECT_EQ(fifo.status, 1);
    EXPECT_EQ(fifo.err, "tovel-cli: db check: " + dir / "fifo" + " is not a regular file\n");

    const auto missing = RunCli({"db", "check", dir / "none.txt"}, dir.Path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.txt"), std::string::npos);
}

// A line too long to check in bounded memory makes its record a bad one; the others are read.
TEST(DbCheck, AHugeLineIsOneBadRecord) {
    TempDir dir;
    CopySample(dir);
    const std::string file =
        dir.Write("big.txt", "AB;One;C;5;;;\r\n;;;\r\n\r\nAB;Two;C;5;;;\r\n;;;\r\n" +
                                 std::string(3 << 20, 'x') + "\r\n\r\nAB;Three;C;5;;;\r\n;;;\r\n");
    const auto result = RunCli({"--root", dir.Path(), "db", "check", file}, dir.Path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out,
              "4: AB;Two;C;5;;; is too long: a record holds at most 8388608 bytes, a line 1048576\n"
              "2 cards, 1 problems\n");
}

TEST(DbBuild, RebuildsTheBundledDatabaseAndLeavesItOnFailure) {
    TempDir dir;
    CopySample(dir);
    dir.Write("Data/base.txt", "old");
    const auto built = RunCli({"--root", dir.Path(), "db", "build"}, dir.Path());
    EXPECT_EQ(built.status, 0) << built.err;
    EXPECT_TRUE(TempDir::Read(dir / "Data/base.txt") == TempDir::Read(kData + "base.txt"));

    // Options name other files; a card missing from the card text fails the whole build.
    const std::string list = dir.Write("extra.txt", "VR;No Such Card;C;5\r\n");
    dir.Write("out.txt", "untouched");
    const auto failed =
        RunCli({"--root", dir.Path(), "db", "build", "--cards", list, "--out", dir / "out.txt"}, dir.Path());
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err,
              "tovel-cli: db build: Error reading cards database: Card \"No Such Card\" not found in DB\n");
    EXPECT_EQ(TempDir::Read(dir / "out.txt"), "untouched");

    // The XML form of the card list, and card text in XML refused clearly.
    const std::string xml = dir.Write("list.xml", "<cards><card Name=\"Forest\" Edition=\"9E\" Rarity=\"L\" "
                                                  "Value=\"5\"/></cards>");
    const auto fromXml =
        RunCli({"--root", dir.Path(), "db", "build", "--cards", xml, "--out", dir / "x.txt"}, dir.Path());
    EXPECT_EQ(fromXml.status, 0) << fromXml.err;
    EXPECT_EQ(TempDir::Read(dir / "x.txt").substr(0, 42), "9E;Forest;L;5;;9E+;\r\n;Basic Land - Forest;");
    const auto xmlText = RunCli(
        {"--root", dir.Path(), "db", "build", "--text", dir.Write("t.xml", "<a/>"), "--out", dir / "out.txt"},
        dir.Path());
    EXPECT_EQ(xmlText.status, 1);
    EXPECT_NE(xmlText.err.find("Card text in XML form is not supported"), std::string::npos);
    EXPECT_EQ(TempDir::Read(dir / "out.txt"), "untouched");

    EXPECT_EQ(RunCli({"db", "build", "--out"}, dir.Path()).status, 2);
    EXPECT_EQ(RunCli({"db", "frob"}, dir.Path()).status, 2);
}

TEST(DbBuild, AFileSizeLimitFailsTheBuildWithAMessageAndKeepsTheOldFile) {
    TempDir dir;
    CopySample(dir);
    dir.Write("Data/base.txt", "old");
    // Blocks of 512 bytes: the error message fits, the database does not.
    const auto result = RunCli({"--root", dir.Path(), "db", "build"}, dir.Path(), "ulimit -f 2; ");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Unable to write to " + dir / "Data/base.txt"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("File too large"), std::string::npos);
    EXPECT_EQ(TempDir::Read(dir / "Data/base.txt"), "old");
    EXPECT_EQ(dir.Names("Data"),
              (std::vector<std::string>{"base.txt", "cards.txt", "editions.txt", "gatherer.txt"}));
}
