#include "core/collection/InventoryDocument.h"

#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tovel;
using test::ScriptedPrompter;
using test::TempDir;

namespace {

void Fill(TInventoryList& list, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        TInventoryItem& line = list.Add();
        line.Name = name;
        line.Edition = "AB";
        line.Count = 1;
    }
}

std::vector<std::string> Names(const TInventoryList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.emplace_back(list.Items(i).Name);
    return names;
}

} // namespace

TEST(ReadInventoryReplacing, TheListChangesOnlyAfterAWholeRead) {
    struct Case {
        bool add;
        bool fails;
        std::vector<std::string> expected;
    };
    const Case cases[] = {{false, false, {"New"}},
                          {true, false, {"Old", "New"}},
                          {false, true, {"Old"}},
                          {true, true, {"Old"}}};
    for (const Case& c : cases) {
        TInventoryList list;
        Fill(list, {"Old"});
        const auto read = [&](TInventoryList& into) {
            EXPECT_EQ(Names(list), std::vector<std::string>{"Old"}); // untouched while reading
            into.Add().Name = "New";
            if (c.fails)
                throw Error("bad file");
        };
        if (c.fails)
            EXPECT_THROW(ReadInventoryReplacing(list, c.add, read), Error);
        else
            ReadInventoryReplacing(list, c.add, read);
        EXPECT_EQ(Names(list), c.expected) << c.add << c.fails;
    }
}

TEST(SaveInventoryChanges, AnswersDecideWhatIsSavedAndWhetherTheWindowGoes) {
    struct Case {
        const char* name;
        bool defaultFile;                // the current file is the default inventory
        std::vector<Answer> answers;     // the save question, then the replace question
        std::vector<std::string> saveAs; // the save dialog's answer
        bool existing;                   // the chosen file exists
        bool goesOn;
        bool saved;
    };
    const Case cases[] = {
        {"no drops the changes", false, {Answer::No}, {}, false, true, false},
        {"cancel keeps the window", false, {Answer::Cancel}, {}, false, false, false},
        {"the default file is saved in place", true, {Answer::Yes}, {}, true, true, true},
        {"another file asks a name", false, {Answer::Yes}, {"chosen"}, false, true, true},
        {"a cancelled name drops", false, {Answer::Yes}, {""}, false, true, false},
        {"replacing is asked", false, {Answer::Yes, Answer::Yes}, {"chosen"}, true, true, true},
        {"not replacing drops", false, {Answer::Yes, Answer::Cancel}, {"chosen"}, true, true, false},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string defaultFile = dir / "default.inv";
        const std::string current = c.defaultFile ? defaultFile : dir / "other.inv";
        const std::string target = c.defaultFile ? defaultFile : dir / "chosen.inv";
        if (c.existing)
            dir.Write(c.defaultFile ? "default.inv" : "chosen.inv", "old");
        ScriptedPrompter prompter;
        ScopedPrompter scope(prompter);
        prompter.answers.assign(c.answers.begin(), c.answers.end());
        for (const std::string& name : c.saveAs)
            prompter.fileNames.push_back(name.empty() ? name : target);
        TInventoryList list;
        Fill(list, {"Kept"});
        const bool goesOn =
            SaveInventoryChanges(list, current, defaultFile, "Save changes?",
                                 [](const std::string& path) { return "Replace " + path + "?"; });
        EXPECT_EQ(goesOn, c.goesOn) << c.name;
        EXPECT_EQ(FileExists(target) && TempDir::Read(target) != "old", c.saved) << c.name;
        EXPECT_TRUE(prompter.answers.empty() && prompter.fileNames.empty()) << c.name;
    }
}

TEST(SaveInventoryChanges, AFailedSaveShowsItsErrorAndKeepsTheWindow) {
    TempDir dir;
    dir.Write("folder/x", "");
    ScriptedPrompter prompter;
    ScopedPrompter scope(prompter);
    prompter.answers = {Answer::Yes};
    const std::string folder = dir / "folder";
    TInventoryList list;
    Fill(list, {"Kept"});
    EXPECT_FALSE(SaveInventoryChanges(list, folder, folder, "Save changes?", nullptr));
    EXPECT_EQ(prompter.Messages("error").size(), 1u);
}
