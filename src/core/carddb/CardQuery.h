#pragma once

// Card search: a one-line query over the card list, such as `t:creature c:g cmc<=3 v>=7`.
//
// A query is compiled once into a small tree and then matched against the cards without
// allocating. Terms are joined by blanks (all must hold), `or` (either is enough; `and` binds
// tighter), parentheses group and a leading `-` negates. Texts compare with the ANSI case
// folding of the rest of the program. The grammar and every term are listed in the README.
//
// A query has at most 1,000 terms and 10,000 characters, and whatever its terms, matching costs
// a bounded time per card: the terms of a group that a set decides (codes, formats, banned
// letters, many texts) are tested together against sets made when the query is compiled, the
// colour and number terms of a group through a table of what they give for each value, and the
// tree is visited once for a block of cards.

#include "core/carddb/CardsDB.h"
#include "core/carddb/Editions.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// What a query may consult beyond the card itself.
struct TQueryContext {
    // The lines of Data/formats.txt, for `f:`; without them every format name is unknown.
    const TTextList* Formats = nullptr;
};

class TCardQuery {
public:
    // The empty query: every card holds.
    TCardQuery();
    ~TCardQuery();
    TCardQuery(TCardQuery&&) noexcept;
    TCardQuery& operator=(TCardQuery&&) noexcept;

    // `query` is Windows-1252 text, as the card data. Error "Bad search at column N: <reason>"
    // (N counts characters from 1) when it is not well formed.
    static TCardQuery Compile(std::string_view query, const TQueryContext& context = {});

    // True for a query without terms.
    bool MatchesEverything() const;
    // Whether the query has an `own` term, so the caller knows to supply owned counts.
    bool UsesOwned() const;
    // Copies owned per card position of the list the query is matched against (OwnedCounts
    // computes them from an inventory); empty, or short of a position: none owned. The counts
    // must outlive the query or the next call.
    void SetOwned(std::span<const int32_t> owned);

    // Whether the card at `position` of `cards` holds; allocates nothing.
    bool Matches(const TCardsList& cards, int position) const;
    // The same for a card of `cards` whose position is known only when `own` needs it (-1: none
    // owned).
    bool Matches(const TCardsList& cards, const TCardItem& card, int position) const;
    // Asks the memory for what matching a card of `cards` will read (a loop over a big list calls
    // this some cards ahead of the one it matches).
    void Prefetch(const TCardsList& cards, const TCardItem& card) const;

    // The compiled form; only CardQuery.cpp knows it.
    struct Program;

private:
    friend class TCardSearch;
    std::unique_ptr<Program> program_;
};

// A search over a card list done some cards at a time, so that a window can answer its user
// between the steps. The list and the query must outlive the search and stay unchanged while
// it runs.
class TCardSearch {
public:
    TCardSearch(const TCardsList& cards, const TCardQuery& query);
    ~TCardSearch();
    TCardSearch(const TCardSearch&) = delete;
    TCardSearch& operator=(const TCardSearch&) = delete;

    // Matches the next cards, at least one and about `count`; true when every card is matched.
    bool Step(int count);
    bool Done() const { return next_ >= count_; }

    const TCardsList& Cards() const { return *cards_; }
    // Whether the card at `position` holds (false for one not matched yet).
    bool Holds(int position) const;
    // The positions of the cards that hold so far, in list order.
    std::vector<int> Positions() const;

private:
    struct Scratch;
    const TCardsList* cards_;
    const TCardQuery* query_;
    int count_;
    int next_ = 0;
    std::vector<uint64_t> holds_; // a bit per position
    std::unique_ptr<Scratch> scratch_;
};

// The positions of the cards that hold, in list order.
std::vector<int> SearchCards(const TCardsList& cards, const TCardQuery& query);

// The message prefix of a bad query, for callers that show it beside the field.
inline constexpr std::string_view kBadSearch = "Bad search at column ";

} // namespace tovel
