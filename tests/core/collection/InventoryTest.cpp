#include "core/collection/Inventory.h"

#include "core/infra/Error.h"
#include "support/HandMadeCards.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tovel;
using test::TempDir;

namespace {

struct InventoryTest : ::testing::Test {
    InventoryTest() { test::FillTestWorld(cards); }
    TCardsList cards;
    TempDir dir;
};

} // namespace

TEST_F(InventoryTest, ListFindsExactlyAndKeepsIndicesAfterDelete) {
    TInventoryList list;
    for (const char* name : {"A", "B", "a", "B"}) {
        TInventoryItem& line = list.Add();
        line.Name = name;
        line.Edition = "AB";
    }
    EXPECT_EQ(list.Find("a", "AB"), 2); // case-sensitive
    EXPECT_EQ(list.Find("B", "AB"), 1); // first match
    EXPECT_EQ(list.Find("B", "ab"), -1);
    list.Delete(1);
    EXPECT_EQ(list.Find("B", "AB"), 2);
    EXPECT_EQ(list.Items(2).Index(), 2);
    EXPECT_EQ(list.Find("a", "AB"), 1);
    list.Clear();
    EXPECT_EQ(list.Find("A", "AB"), -1);
}

TEST_F(InventoryTest, BaseListHasOneLinkedLinePerCard) {
    TInventoryList list;
    list.Add().Name = "stale";
    FillBaseList(list, cards);
    ASSERT_EQ(list.Count(), cards.Count());
    EXPECT_EQ(list.Items(7).Card, &cards.Items(7));
    EXPECT_EQ(list.Items(7).Name, "Grove Tender");
    EXPECT_EQ(list.Items(7).Edition, "AB");
    EXPECT_EQ(list.Items(7).Count, 0);
}

TEST_F(InventoryTest, ReaderTakesFieldsAsTheFileFormatDefines) {
    const std::string path = dir.Write("a.inv", "AB;Tide Call;3;1;mint\r\n"
                                                "ab;tide call;1;0;\n" // a line of its own, linked anyway
                                                "AB;Tide Call;2;x;  played \r\n" // summed, notes run together
                                                "ZZ;Nowhere Card;4;0;\r\n"
                                                "CD;Stone Idol;0;0;\r\n"
                                                "BL;Forest;10;0;\r\n" // basic lands stay in an .inv
                                                "   \r\n"
                                                "AB;Ember Whelp;1;0;\r\n");
    TInventoryList list;
    LoadInventory(list, cards, path, false);
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Items(0).Count, 5);
    EXPECT_EQ(list.Items(0).Foil, 1);
    EXPECT_EQ(list.Items(0).Notes, "mintplayed");
    EXPECT_EQ(list.Items(0).Card, &cards.Items(8));
    EXPECT_EQ(list.Items(1).Name, "tide call");
    EXPECT_EQ(list.Items(1).Card, &cards.Items(8));
    EXPECT_EQ(list.Items(2).Card, nullptr);
    EXPECT_EQ(list.Items(3).Count, 0);
    EXPECT_EQ(list.Items(4).Name, "Forest");

    // The count-0 line is dropped on save; the rest comes back as it was.
    const std::string saved = dir / "saved.inv";
    SaveInventory(list, saved);
    EXPECT_EQ(TempDir::Read(saved), "AB;Tide Call;5;1;mintplayed\r\n"
                                    "ab;tide call;1;0;\r\n"
                                    "ZZ;Nowhere Card;4;0;\r\n"
                                    "BL;Forest;10;0;\r\n");
    TInventoryList back;
    LoadInventory(back, cards, saved, false);
    EXPECT_EQ(FormatInventory(back), TempDir::Read(saved));

    // Adding the same file again doubles every count and repeats every note.
    LoadInventory(back, cards, saved, true);
    EXPECT_EQ(back.Items(0).Count, 10);
    EXPECT_EQ(back.Items(0).Foil, 2);
    EXPECT_EQ(back.Items(0).Notes, "mintplayedmintplayed");
}

TEST_F(InventoryTest, MergedWordsShiftWhenTheNameIsEmpty) {
    // Count, foil and notes are words of the line with runs of ";" merged, so an empty name
    // shifts them: the word after the edition is taken as the count's predecessor.
    const std::string path = dir.Write("b.inv", "AB;;3;2;n\r\nAB;Big;99999999999;-2;a;b\r\n");
    TInventoryList list;
    LoadInventory(list, cards, path, false);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0).Name, "");
    EXPECT_EQ(list.Items(0).Count, 2);
    EXPECT_EQ(list.Items(0).Foil, 0);  // "n" is not a number
    EXPECT_EQ(list.Items(1).Count, 0); // out of range reads as 0
    EXPECT_EQ(list.Items(1).Foil, -2);
    EXPECT_EQ(list.Items(1).Notes, "a"); // a ";" ends the notes
}

TEST_F(InventoryTest, MissingAndEmptyFiles) {
    TInventoryList list;
    list.Add().Name = "old";
    const std::string missing = dir / "Inventory/new.inv";
    LoadInventory(list, cards, missing, false);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(FileExists(missing));
    EXPECT_EQ(TempDir::Read(missing), "");

    list.Add().Name = "kept";
    list.Items(0).Count = 1;
    LoadInventory(list, cards, missing, true); // empty file, add mode: unchanged
    EXPECT_EQ(list.Count(), 1);

    TInventoryList empty;
    SaveInventory(empty, missing);
    EXPECT_EQ(TempDir::Read(missing), "");
    EXPECT_THROW(SaveInventory(empty, dir / "no/such/folder/x.inv"), Error);
}

TEST_F(InventoryTest, LoneCrEndsALineAndAFifoIsRefusedNotReplaced) {
    TInventoryList list;
    LoadInventory(list, cards, dir.Write("cr.inv", "AB;Tide Call;3;1;\rCD;Stone Idol;2;0;\r"), false);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(1).Name, "Stone Idol");

    const std::string fifo = dir / "fifo.inv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(LoadInventory(list, cards, fifo, false), Error);
    EXPECT_EQ(list.Count(), 2); // untouched
    struct stat st {};
    ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}
