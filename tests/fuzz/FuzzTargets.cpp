#include "FuzzTargets.h"

#include "core/carddb/CardDatabase.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/Text.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tovel::fuzz {

namespace {

std::string_view Bytes(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// Whatever was read saves to a file that reads back to the same cards.
void CheckRoundTrip(const TCardsList& cards) {
    const std::string saved = CardDatabaseText(cards);
    TCardsList again;
    try {
        LoadCardDatabaseText(again, saved, "");
    } catch (const Error&) {
        Require(false, "a saved database does not load");
    }
    Require(again.Count() == cards.Count(), "a saved database loads a different number of cards");
    Require(CardDatabaseText(again) == saved, "a saved database loads differently");
}

const TTextList& SomeEditions() {
    static const TTextList editions = [] {
        TTextList list;
        list.Lines = {"AB;First", "9E;Basics", "C;Short", "ab;Lower"};
        return list;
    }();
    return editions;
}

// The merge after its card list was read.
void FinishMerge(TCardsList& cards) {
    ComputePrintings(cards, SomeEditions());
    AddMissingBasicLands(cards);
    CheckRoundTrip(cards);
}

} // namespace

int Base(const uint8_t* data, size_t size) {
    const std::string_view text = Bytes(data, size);
    TCardsList cards;
    try {
        LoadCardDatabaseText(cards, text, "");
        CheckRoundTrip(cards);
    } catch (const Error&) {
    }
    try {
        LoadCardDatabaseText(cards, text, "AB;C;");
    } catch (const Error&) {
    }
    const TCheckReport report = CheckCardDatabase(text);
    Require(report.Cards >= 0, "negative card count");
    return 0;
}

int CardListText(const uint8_t* data, size_t size) {
    const std::string_view text = Bytes(data, size);
    for (std::string_view filter : {std::string_view{}, std::string_view{"AB;9E;"}}) {
        TCardsList cards;
        try {
            if (ReadCardListText(cards, text, filter))
                FinishMerge(cards);
        } catch (const Error&) {
        }
    }
    return 0;
}

int CardListXml(const uint8_t* data, size_t size) {
    TCardsList cards;
    try {
        ReadCardListXml(cards, Bytes(data, size), "");
        FinishMerge(cards);
    } catch (const Error&) {
    }
    return 0;
}

// The input is card names, one a line, then an empty line, then the card text.
int CardText(const uint8_t* data, size_t size) {
    const std::string_view input = Bytes(data, size);
    std::string list;
    LineReader reader(input);
    std::string_view line;
    size_t consumed = 0;
    while (reader.Next(line) && !line.empty()) {
        list += "AB;" + std::string(line) + ";C;5\r\n";
        consumed = static_cast<size_t>(line.data() - input.data()) + line.size();
    }
    const std::string_view text = input.substr(std::min(input.size(), consumed));
    TCardsList cards;
    try {
        if (ReadCardListText(cards, list, "")) { // `list` outlives the cards
            ComputePrintings(cards, SomeEditions());
            ReadCardText(cards, text);
            AddMissingBasicLands(cards);
            CheckRoundTrip(cards);
        }
    } catch (const Error&) {
    }
    return 0;
}

int Editions(const uint8_t* data, size_t size) {
    TTextList list;
    ReadTextListLines(list, Bytes(data, size));
    TCardItem card;
    card.Printings = "AB;9E;";
    for (int i = 0; i < list.Count(); ++i) {
        Require(!list[i].empty() && Trim(list[i]) == list[i], "an untrimmed or empty line kept");
        const TCardFilter filter{std::string(list.Value(i)), i % 2 == 1};
        FilterMatches(filter, list.Name(i), &card);
        FilterMatches(filter, list.Name(i), nullptr);
    }
    return 0;
}

} // namespace tovel::fuzz
