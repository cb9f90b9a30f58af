#include "CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <unistd.h>

using tovel::test::RunCli;
using tovel::test::TempDir;

namespace {

const std::string kData = TOVEL_DATA_SOURCE "/";

void CopySample(const TempDir& dir) {
    for (const char* name : {"editions.txt", "base.txt", "boosters.ini"})
        dir.Write(std::string("Data/") + name, TempDir::Read(kData + name));
}

// The number of cards a deck file holds: the sum of its line counts.
int CardsIn(const std::string& deck) {
    std::istringstream lines(deck);
    int total = 0, count = 0;
    std::string rest;
    while (lines >> count && std::getline(lines, rest))
        total += count;
    return total;
}

const char* const kSeatFiles[] = {"d.dec",      "d_bot2.dec", "d_bot3.dec", "d_bot4.dec",
                                  "d_bot5.dec", "d_bot6.dec", "d_bot7.dec", "d_bot8.dec"};

TEST(CliDraft, SameSeedSameDecksAndLogForEverySeat) {
    TempDir one, two;
    CopySample(one);
    CopySample(two);
    const std::vector<std::string> args = {"draft", "--config", "VR;HK;Tidebreak Expedition;", "--seed",
                                           "77"};
    for (const TempDir* dir : {&one, &two}) {
        auto words = args;
        words.insert(words.begin(), {"--root", dir->Path()});
        words.insert(words.end(), {"--out", *dir / "d.dec", "--log", *dir / "d.log"});
        const auto result = RunCli(words, dir->Path());
        ASSERT_EQ(result.status, 0) << result.err;
    }
    for (const char* name : kSeatFiles) {
        const std::string deck = TempDir::Read(one / name);
        EXPECT_EQ(CardsIn(deck), 45) << name;
        EXPECT_EQ(deck, TempDir::Read(two / name)) << name;
    }
    const std::string log = TempDir::Read(one / "d.log");
    EXPECT_EQ(log, TempDir::Read(two / "d.log"));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 45 * 9);
    EXPECT_EQ(log.rfind("Human - ", 0), 0u);

    // Another seed drafts differently; existing files are overwritten without asking.
    const auto again = RunCli({"--root", one.Path(), "draft", "--config", "VR;HK;Tidebreak Expedition;",
                               "--seed", "78", "--out", one / "d.dec"},
                              one.Path());
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_NE(TempDir::Read(one / "d.dec"), TempDir::Read(two / "d.dec"));
}

TEST(CliDraft, TheDefaultConfigurationComesFromTheSettingsFile) {
    TempDir dir;
    CopySample(dir);
    dir.Write("tovel.ini", "[Draft]\r\nConfig=HK;HK;HK;\r\n");
    const auto result = RunCli({"--root", dir.Path(), "draft", "--out", dir / "d.dec"}, dir.Path());
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string deck = TempDir::Read(dir / "d_bot8.dec");
    EXPECT_EQ(CardsIn(deck), 45);
    EXPECT_EQ(deck.find("[VR]"), std::string::npos);
}

TEST(CliDraft, ErrorsAreTheDraftsOwnAndWriteNothing) {
    TempDir dir;
    CopySample(dir);
    dir.Write("Data/boosters.ini",
              "[Complex]\r\nTidebreak Expedition=TX+9E\r\n[SpecialBoosters]\r\nTX=1R3U30C\r\n");
    const struct {
        const char* config;
        const char* message;
    } cases[] = {
        {"VR;HK;", "tovel-cli: draft: Incorrect boosters config!\n"},
        {"VR;ZZ;HK;", "tovel-cli: draft: Incorrect booster config\n"},
        {"VR;HK;Tidebreak Expedition;", "tovel-cli: draft: Not enough common cards in edition TX\n"},
        {"", "tovel-cli: draft: no draft configured: Draft/Config is empty\n"},
    };
    for (const auto& c : cases) {
        const auto result =
            RunCli({"--root", dir.Path(), "draft", "--config", c.config, "--out", dir / "d.dec"}, dir.Path());
        EXPECT_EQ(result.status, 1) << c.config;
        EXPECT_EQ(result.err, c.message) << c.config;
        EXPECT_FALSE(std::filesystem::exists(dir / "d.dec")) << c.config;
    }
    const auto noOut = RunCli({"--root", dir.Path(), "draft", "--config", "VR;VR;VR;"}, dir.Path());
    EXPECT_EQ(noOut.status, 2);
    const auto notDec =
        RunCli({"--root", dir.Path(), "draft", "--config", "VR;VR;VR;", "--out", dir / "d"}, dir.Path());
    EXPECT_EQ(notDec.status, 2);
    const auto badSeed =
        RunCli({"--root", dir.Path(), "draft", "--seed", "-3", "--out", dir / "d.dec"}, dir.Path());
    EXPECT_EQ(badSeed.status, 2);
}

TEST(CliDraft, AnUnreadableSettingsFileIsNamed) {
    TempDir dir;
    CopySample(dir);
    std::filesystem::create_directory(dir / "tovel.ini");
    for (const char* command : {"draft", "sealed"}) {
        const auto result = RunCli({"--root", dir.Path(), command, "--out", dir / "d.dec"}, dir.Path());
        EXPECT_EQ(result.status, 1) << command;
        EXPECT_NE(result.err.find(": " + dir / "tovel.ini" + " is not a regular file\n"), std::string::npos)
            << result.err;
    }
}

// Drafters by value draft as they always did: the last pick step of this seeded draft, as it was
// logged before drafters could keep to colours.
TEST(CliDraft, DraftersByValueDraftAsBefore) {
    TempDir dir;
    CopySample(dir);
    const auto result =
        RunCli({"--root", dir.Path(), "draft", "--config", "VR;HK;Tidebreak Expedition;", "--seed", "77",
                "--drafters", "value", "--out", dir / "d.dec", "--log", dir / "d.log"},
               dir.Path());
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string log = TempDir::Read(dir / "d.log");
    EXPECT_EQ(log.substr(log.rfind("Human - ")),
              "Human - C   Lirath Aegis\nBot #1 - C   Mauler of Gorven\n"
              "Bot #2 - C   Ysolarr Ambush\nBot #3 - C   Pasharr's Kindling\n"
              "Bot #4 - C   Ysolul Flare\nBot #5 - C   Myrent Tender\n"
              "Bot #6 - C   Mauler of Gorven\nBot #7 - C   Quelan's Totem\n"
              "---------------------------------\n");
}

// The record of a draft, printed pick by pick for a seat: the card taken and how, then the booster
// with the card taken starred. The first card taken is the first line of the seat's deck.
TEST(CliReview, PrintsASeatsPicksFromTheRecord) {
    TempDir dir;
    CopySample(dir);
    const auto draft =
        RunCli({"--root", dir.Path(), "draft", "--config", "VR;HK;Tidebreak Expedition;", "--seed", "5",
                "--drafters", "colours", "--out", dir / "d.dec", "--record", dir / "d.draft"},
               dir.Path());
    ASSERT_EQ(draft.status, 0) << draft.err;
    EXPECT_NE(TempDir::Read(dir / "d.draft").find("\r\nDrafters: 3\r\n"), std::string::npos);

    const auto review = RunCli({"review", dir / "d.draft", "--seat", "3"}, dir.Path());
    ASSERT_EQ(review.status, 0) << review.err;
    const std::string deck = TempDir::Read(dir / "d_bot3.dec");
    const std::string firstKey = deck.substr(6, deck.find('\r') - 6); // "    1 [VR] - Name"
    std::istringstream lines(review.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "P1p1 " + firstKey + " (drafter)");
    int booster = 0, starred = 0;
    while (std::getline(lines, line) && line.rfind("  ", 0) == 0) {
        ++booster;
        starred += line == "  * " + firstKey;
        EXPECT_TRUE(line.rfind("  * [", 0) == 0 || line.rfind("    [", 0) == 0) << line;
    }
    EXPECT_EQ(booster, 15);
    EXPECT_EQ(starred, 1);
    EXPECT_EQ(line.rfind("P1p2 ", 0), 0u) << line;
    const auto user = RunCli({"review", dir / "d.draft"}, dir.Path());
    EXPECT_EQ(user.out.rfind("P1p1 [VR] - ", 0), 0u);
    EXPECT_NE(user.out.find(" (timeout)\n"), std::string::npos);

    // A record cut short is no record: its faults are printed with their lines, then the error.
    std::string cut = TempDir::Read(dir / "d.draft");
    cut.resize(cut.size() / 2);
    cut.resize(cut.rfind("\r\nP") + 2);
    const std::string cutLines = std::to_string(std::count(cut.begin(), cut.end(), '\n'));
    dir.Write("cut.draft", cut);
    const auto truncated = RunCli({"review", dir / "cut.draft"}, dir.Path());
    EXPECT_EQ(truncated.status, 1);
    EXPECT_EQ(truncated.out, "");
    EXPECT_EQ(truncated.err.substr(0, truncated.err.find(" (")),
              dir / "cut.draft, line " + cutLines + ": the record ends before the draft does");
    EXPECT_NE(truncated.err.find("\ntovel-cli: review: " + dir / "cut.draft is not a draft record (line " +
                                 cutLines + ")\n"),
              std::string::npos);

    const auto notRecord = RunCli({"review", dir / "d.dec"}, dir.Path());
    EXPECT_EQ(notRecord.status, 1);
    EXPECT_EQ(notRecord.err, "tovel-cli: review: " + dir / "d.dec" + " is not a draft record (line 1)\n");
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"review", dir / "d.draft", "--seat", "9"},
          {"review"},
          {"draft", "--drafters", "people", "--out", dir / "d.dec"}})
        EXPECT_EQ(RunCli(words, dir.Path()).status, 2) << words.back();
}

// The grade of a seeded draft's user seat, exactly. The drafters by value and colours pick as the
// grade scores, so each of their seats agrees on every pick. A file that is not a draft record
// fails as review fails.
TEST(CliReview, GradesASeatsPicksAndRanksTheEightDecks) {
    TempDir dir;
    CopySample(dir);
    const auto draft =
        RunCli({"--root", dir.Path(), "draft", "--config", "VR;HK;Tidebreak Expedition;", "--seed", "5",
                "--drafters", "colours", "--out", dir / "d.dec", "--record", dir / "d.draft"},
               dir.Path());
    ASSERT_EQ(draft.status, 0) << draft.err;
    const std::string standings = "Standings:\n"
                                  "  1. seat 5, UB, score 124\n"
                                  "  2. seat 4, UG, score 122\n"
                                  "  3. seat 2, UB, score 118\n"
                                  "  4. seat 6, UR, score 118\n"
                                  "  5. seat 8, WU, score 114\n"
                                  "  6. seat 3, WU, score 112\n"
                                  "  7. seat 7, WG, score 110\n"
                                  "  8. seat 1, RG, score 94\n";
    const auto user = RunCli({"--root", dir.Path(), "review", dir / "d.draft", "--grade"}, dir.Path());
    ASSERT_EQ(user.status, 0) << user.err;
    EXPECT_EQ(user.out, "Seat 1: RG, score 94, place 8 of 8\n"
                        "Agreement: 26 of 45 picks (57.8%), value given up 61\n"
                        "P1p7 took [VR] - Zephel Naalora Engine (1), best [VR] - Ysolir Compass (5), -4\n"
                        "P1p9 took [VR] - Liridge Skulker (0), best [VR] - Harys Pardon (4), -4\n"
                        "P1p11 took [VR] - Undertow of Brakai (-1), best [VR] - Haro Colossus (3), -4\n"
                        "P1p13 took [VR] - Colossus of Thesent (-3), best [VR] - Sarnund Shaman (1), -4\n"
                        "P2p3 took [HK] - Velketh Archer (3), best [HK] - Orunund Undertow (6), -3\n"
                        "P2p4 took [HK] - Brakorn Surge (3), best [HK] - Orunul's Skulker (6), -3\n"
                        "P2p6 took [HK] - Cadok's Compass (-1), best [HK] - Velkir Myrir Wharf (2), -3\n"
                        "P2p7 took [HK] - Pardon of Sarnova (2), best [HK] - Thesath Harward Anvil (4), -2\n"
                        "P2p8 took [HK] - Cadesk's Scavenger (0), best [HK] - Ruskul's Sentry (3), -3\n"
                        "P2p9 took [HK] - Ruskorn Sentry (0), best [HK] - Ithish Pardon (3), -3\n"
                        "P2p10 took [HK] - Archer of Brakund (-1), best [HK] - Lireth's Ruin (3), -4\n"
                        "P2p11 took [HK] - Orunimm's Anvil (0), best [HK] - Tracker of Brakul (2), -2\n"
                        "P2p12 took [HK] - Riposte of Orunys (-2), best [HK] - Kesseth Riposte (1), -3\n"
                        "P2p13 took [HK] - Liren Drifter (-1), best [HK] - Ebb\u00e9 Orunir Lancer (2), -3\n"
                        "P2p14 took [HK] - Chime of Naalorn (-3), best [HK] - Draven Surge (0), -3\n"
                        "P3p3 took [TX] - Naalish Squall (3), best [TX] - Dravorn Skulker (7), -4\n"
                        "P3p4 took [9E] - Kessast Stalker (2), best [TX] - Fennai's Crucible (5), -3\n"
                        "P3p10 took [9E] - Orunora Ulmys Warden (0), best [TX] - Kessarr Stalker (3), -3\n"
                        "P3p12 took [TX] - Ruskimm Scavenger (0), best [9E] - Scouring of Lirward (3), -3\n" +
                            standings);
    for (int seat = 2; seat <= 8; ++seat) {
        const auto drafter = RunCli(
            {"--root", dir.Path(), "review", dir / "d.draft", "--seat", std::to_string(seat), "--grade"},
            dir.Path());
        ASSERT_EQ(drafter.status, 0) << drafter.err;
        EXPECT_EQ(drafter.out.substr(drafter.out.find('\n') + 1),
                  "Agreement: 45 of 45 picks (100.0%), value given up 0\n" + standings)
            << seat;
    }

    const auto notRecord = RunCli({"--root", dir.Path(), "review", dir / "d.dec", "--grade"}, dir.Path());
    EXPECT_EQ(notRecord.status, 1);
    EXPECT_EQ(notRecord.err, "tovel-cli: review: " + dir / "d.dec" + " is not a draft record (line 1)\n");
    EXPECT_EQ(RunCli({"review", "--grade"}, dir.Path()).status, 2);
}

TEST(CliSealed, WritesThePoolAsTheGeneratorDoesSameSeedSameFile) {
    TempDir dir;
    CopySample(dir);
    dir.Write("tovel.ini", "[Sealed]\r\nConfig=SVR;BTidebreak Expedition;BHK;BHK;\r\n");
    for (const char* out : {"a.dec", "b.dec"}) {
        const auto result =
            RunCli({"--root", dir.Path(), "sealed", "--seed", "9", "--out", dir / out}, dir.Path());
        ASSERT_EQ(result.status, 0) << result.err;
    }
    const std::string pool = TempDir::Read(dir / "a.dec");
    EXPECT_EQ(pool, TempDir::Read(dir / "b.dec"));
    EXPECT_EQ(CardsIn(pool), 45 + 15 + 15 + 15);
    // The starter's rares come first.
    EXPECT_EQ(pool.rfind("    1 [VR] - ", 0), 0u);

    const auto bad =
        RunCli({"--root", dir.Path(), "sealed", "--config", "SVR;BZZ;", "--out", dir / "c.dec"}, dir.Path());
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "tovel-cli: sealed: Incorrect booster config\n");
    // What no pool can come from is a usage error naming what is wrong.
    std::string tooMany;
    for (int i = 0; i < 101; ++i)
        tooMany += "BVR;";
    const struct {
        std::string config;
        std::string message;
    } usage[] = {
        {"", "The sealed configuration names no packs"},
        {";;;;", "The sealed configuration names no packs"},
        {"SVR;QVR;", "Unknown pack type \"Q\" in \"QVR\" (S is a starter, B a booster)"},
        {tooMany, "The sealed configuration names 101 packs; at most 100 can be opened"},
    };
    for (const auto& c : usage) {
        const auto result = RunCli(
            {"--root", dir.Path(), "sealed", "--config", c.config, "--out", dir / "c.dec"}, dir.Path());
        EXPECT_EQ(result.status, 2) << c.config;
        EXPECT_EQ(result.err.rfind("tovel-cli: sealed: " + c.message + "\n", 0), 0u) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "c.dec"));
}

// A cube draft and a cube sealed pool: the same seed writes the same files, packs of the size
// asked for; the record names the cube, holds it and has the pick time asked for.
TEST(CliCube, DraftAndSealedFromACubeSameSeedSameFiles) {
    TempDir one, two;
    for (const TempDir* dir : {&one, &two}) {
        CopySample(*dir);
        dir->Write("my.txt", TempDir::Read(std::string(TOVEL_DATA_SOURCE) + "/../Cubes/Sample Cube.txt"));
        const auto draft = RunCli({"--root", dir->Path(), "draft", "--cube", *dir / "my.txt", "--pack-size",
                                   "10", "--pick-time", "untimed", "--seed", "5", "--out", *dir / "d.dec",
                                   "--record", *dir / "d.draft"},
                                  dir->Path());
        ASSERT_EQ(draft.status, 0) << draft.err;
        const auto sealed = RunCli({"--root", dir->Path(), "sealed", "--cube", *dir / "my.txt", "--packs",
                                    "4", "--seed", "5", "--out", *dir / "s.dec"},
                                   dir->Path());
        ASSERT_EQ(sealed.status, 0) << sealed.err;
    }
    for (const char* name : kSeatFiles) {
        EXPECT_EQ(CardsIn(TempDir::Read(one / name)), 30) << name;
        EXPECT_EQ(TempDir::Read(one / name), TempDir::Read(two / name)) << name;
    }
    const std::string record = TempDir::Read(one / "d.draft");
    EXPECT_EQ(record, TempDir::Read(two / "d.draft"));
    EXPECT_EQ(record.rfind("Tovel draft record 1\r\nPacks: cube my\r\nPick time: untimed\r\nSeed: 5\r\n", 0),
              0u);
    EXPECT_NE(record.find("\r\n\r\nCube:\r\n  [VR] - "), std::string::npos);
    EXPECT_EQ(CardsIn(TempDir::Read(one / "s.dec")), 60);
    EXPECT_EQ(TempDir::Read(one / "s.dec"), TempDir::Read(two / "s.dec"));

    const auto timed = RunCli({"--root", one.Path(), "draft", "--cube", one / "my.txt", "--pick-time", "90",
                               "--seed", "6", "--out", one / "t.dec", "--record", one / "t.draft"},
                              one.Path());
    ASSERT_EQ(timed.status, 0) << timed.err;
    EXPECT_NE(TempDir::Read(one / "t.draft").find("\r\nPick time: 90\r\n"), std::string::npos);
    EXPECT_EQ(CardsIn(TempDir::Read(one / "t.dec")), 45);
    EXPECT_NE(TempDir::Read(one / "t.dec"), TempDir::Read(one / "d.dec"));
}

// A cube with bad lines is reported line by line exactly as `deck import` reports the same list,
// and one too small with what it has and needs; nothing is written. Wrong options are usage errors.
TEST(CliCube, BadAndSmallCubesAreRefusedAndWriteNothing) {
    TempDir dir;
    CopySample(dir);
    dir.Write("bad.txt", "1 Nowhere\r\nfoo\r\n2 [VR] Kessul Ambush\r\n");
    const auto import =
        RunCli({"--root", dir.Path(), "deck", "import", dir / "bad.txt", "--out", dir / "i.dec"}, dir.Path());
    ASSERT_EQ(import.status, 1);
    dir.Write("small.txt", "2 [VR] Kessul Ambush\r\n");
    const struct {
        std::vector<std::string> words;
        std::string err;
    } cases[] = {
        {{"draft", "--cube", dir / "bad.txt"}, import.err},
        {{"sealed", "--cube", dir / "bad.txt"}, import.err},
        {{"draft", "--cube", dir / "small.txt"},
         "tovel-cli: draft: The cube has 2 cards; a draft of 8 \u00D7 3 \u00D7 15 needs 360\n"},
        {{"sealed", "--cube", dir / "small.txt", "--packs", "1"},
         "tovel-cli: sealed: The cube has 2 cards; a sealed pool of 1 \u00D7 15 needs 15\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words = {"--root", dir.Path()};
        words.insert(words.end(), c.words.begin(), c.words.end());
        words.insert(words.end(), {"--out", dir / "o.dec"});
        const auto result = RunCli(words, dir.Path());
        EXPECT_EQ(result.status, 1) << c.words[2];
        EXPECT_EQ(result.err, c.err) << c.words[2];
        EXPECT_FALSE(std::filesystem::exists(dir / "o.dec"));
    }
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"draft", "--cube", dir / "small.txt", "--config", "VR;VR;VR;"},
          {"draft", "--cube", dir / "small.txt", "--pack-size", "4"},
          {"draft", "--cube", dir / "small.txt", "--pack-size", "21"},
          {"draft", "--pack-size", "10"},
          {"draft", "--pick-time", "0"},
          {"draft", "--pick-time", "soon"},
          {"sealed", "--cube", dir / "small.txt", "--packs", "13"},
          {"sealed", "--packs", "2"},
          {"sealed", "--pick-time", "30"}}) {
        std::vector<std::string> all = {"--root", dir.Path()};
        all.insert(all.end(), words.begin(), words.end());
        all.insert(all.end(), {"--out", dir / "o.dec"});
        EXPECT_EQ(RunCli(all, dir.Path()).status, 2) << words[1] << " " << words.back();
    }
}

// A damaged boosters.ini: its bad lines are printed once, the pack they spoil is refused, and
// the others still work.
TEST(CliSealed, BadBoosterLinesAreReportedAndOnlyTheirPackRefused) {
    TempDir dir;
    CopySample(dir);
    dir.Write("Data/boosters.ini", "[Complex]\r\nTidebreak Expedition=TX+9E\r\n[SpecialBoosters]\r\n"
                                   "TX=1R0U\r\n9E=1U5M\r\n");
    const std::string report = "Data/boosters.ini, line 4: TX=1R0U - a count below 1 (0U)\n"
                               "Data/boosters.ini, line 5: 9E=1U5M - \"5M\" is not closed by R, U or C\n";
    const auto good =
        RunCli({"--root", dir.Path(), "sealed", "--config", "SVR;BHK;", "--out", dir / "a.dec"}, dir.Path());
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.err, report);
    EXPECT_EQ(CardsIn(TempDir::Read(dir / "a.dec")), 60);
    const auto refused = RunCli(
        {"--root", dir.Path(), "sealed", "--config", "SVR;BTidebreak Expedition;", "--out", dir / "b.dec"},
        dir.Path());
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              report +
                  "tovel-cli: sealed: Incorrect booster config (Data/boosters.ini, line 4: TX=1R0U - a count "
                  "below 1 (0U))\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "b.dec"));
}

// One file named for two outputs is refused before anything is written, whatever the spelling;
// a draft that fails half-way leaves the files of the run before it, never a mix of two.
TEST(CliDraft, OutputsAreDistinctFilesWrittenAsOneSet) {
    TempDir dir;
    CopySample(dir);
    const auto draft = [&](const std::string& seed, std::vector<std::string> outputs) {
        std::vector<std::string> words = {"--root",    dir.Path(), "draft", "--config",
                                          "VR;HK;VR;", "--seed",   seed};
        words.insert(words.end(), outputs.begin(), outputs.end());
        return RunCli(words, dir.Path());
    };
    dir.Write("x.dec", "mine");
    ASSERT_EQ(::link((dir / "x.dec").c_str(), (dir / "hard.draft").c_str()), 0);
    const struct {
        std::vector<std::string> outputs;
        std::string message;
    } same[] = {
        {{"--out", dir / "x.dec", "--record", dir / "x.dec"}, "--out and --record"},
        {{"--out", dir / "x.dec", "--record", dir / "./x.dec"}, "--out and --record"},
        {{"--out", dir / "x.dec", "--record", dir / "hard.draft"}, "--out and --record"},
        {{"--out", dir / "y.dec", "--log", dir / "y_bot3.dec"}, "the deck of seat 3 and --log"},
    };
    for (const auto& c : same) {
        const auto result = draft("1", c.outputs);
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_EQ(result.err.rfind("tovel-cli: draft: " + c.message + " name the same file", 0), 0u)
            << result.err;
    }
    EXPECT_EQ(TempDir::Read(dir / "x.dec"), "mine");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"Data", "cli-stderr.txt", "hard.draft", "x.dec"}));

    const std::vector<std::string> outputs = {"--out",       dir / "d.dec", "--log",
                                              dir / "d.log", "--record",    dir / "d.draft"};
    ASSERT_EQ(draft("1", outputs).status, 0);
    std::vector<std::string> names = {"d.log", "d.draft"};
    names.insert(names.end(), std::begin(kSeatFiles), std::end(kSeatFiles));
    std::map<std::string, std::string> first;
    for (const std::string& name : names)
        first[name] = TempDir::Read(dir / name);
    // Seat 5's deck cannot be replaced: the second draft writes none of its files.
    std::filesystem::remove(dir / "d_bot5.dec");
    std::filesystem::create_directory(dir / "d_bot5.dec");
    const auto failed = draft("2", outputs);
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("d_bot5.dec"), std::string::npos) << failed.err;
    for (const std::string& name : names)
        if (name != "d_bot5.dec")
            EXPECT_EQ(TempDir::Read(dir / name), first[name]) << name;
    EXPECT_EQ(dir.Names().size(), 14u) << "a temporary file stayed";
}

} // namespace
