// Every file of the checked-in fuzz corpus, run through its reader: none may crash, hang or
// read into something that does not save and read back the same.

#include "FuzzTargets.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Target = int (*)(const uint8_t*, size_t);

int RunCorpus(const std::string& name, Target target) {
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(TOVEL_FUZZ_CORPUS) + "/" + name)) {
        const std::string bytes = tovel::test::TempDir::Read(entry.path().string());
        SCOPED_TRACE(entry.path().string());
        target(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++files;
    }
    return files;
}

} // namespace

TEST(FuzzCorpus, EveryFileReadsSafely) {
    const std::pair<const char*, Target> targets[] = {
        {"base", tovel::fuzz::Base},
        {"card_list_text", tovel::fuzz::CardListText},
        {"card_list_xml", tovel::fuzz::CardListXml},
        {"card_text", tovel::fuzz::CardText},
        {"editions", tovel::fuzz::Editions},
        {"deck", tovel::fuzz::Deck},
        {"deck_list", tovel::fuzz::DeckList},
        {"cube", tovel::fuzz::Cube},
        {"inventory", tovel::fuzz::InventoryFile},
        {"insert_sideboard", tovel::fuzz::InsertSideboard},
        {"ini", tovel::fuzz::Ini},
        {"boosters", tovel::fuzz::Boosters},
        {"draft_config", tovel::fuzz::DraftConfig},
        {"draft_record", tovel::fuzz::DraftRecord},
        {"sealed_config", tovel::fuzz::SealedConfig},
        {"query", tovel::fuzz::Query},
    };
    for (const auto& [name, target] : targets)
        EXPECT_GT(RunCorpus(name, target), 0) << name;
}
