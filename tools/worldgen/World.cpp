#include "World.h"

#include "core/carddb/CardDatabase.h"
#include "core/carddb/CardText.h"
#include "core/carddb/DBCreate.h"
#include "core/infra/FileIO.h"
#include "core/infra/Text.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <set>
#include <string_view>

namespace tovel::worldgen {

namespace {

// A small fixed generator, so the same seed gives the same world on every platform.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T, size_t N> const T& Pick(const std::array<T, N>& items) { return items[Below(N)]; }

private:
    uint64_t state_;
};

using Words = std::array<std::string_view, 24>;

// Invented syllables: the first word of most names is made of two of them.
constexpr Words kHeads = {"Vor",  "Kess", "Myr",  "Drav", "Ulm",  "Thes", "Brak", "Ysol",
                          "Quel", "Orun", "Zeph", "Naal", "Gorv", "Ith",  "Sarn", "Velk",
                          "Har",  "Ebb",  "Cad",  "Fenn", "Lir",  "Pash", "Rusk", "Tolv"};
constexpr Words kTails = {"an", "ish", "ward", "en",  "ok",   "ir", "eth", "ova", "ul",  "ast", "orn", "idge",
                          "el", "ai",  "und",  "ath", "\xE9", "ys", "imm", "ora", "esk", "ent", "o",   "arr"};
constexpr Words kCreatureNouns = {"Stalker",  "Warden",    "Skulker", "Lancer",   "Drifter", "Brute",
                                  "Oracle",   "Seer",      "Hound",   "Wyrmling", "Tender",  "Reaver",
                                  "Strider",  "Shaman",    "Sentry",  "Mauler",   "Courier", "Wisp",
                                  "Colossus", "Scavenger", "Knight",  "Archer",   "Harrier", "Tracker"};
constexpr Words kSpellNouns = {"Rebuke",   "Surge",  "Blessing", "Downpour", "Reckoning", "Gambit",
                               "Insight",  "Ruin",   "Respite",  "Tempest",  "Decree",    "Bargain",
                               "Lament",   "Ambush", "Flare",    "Riposte",  "Undertow",  "Kindling",
                               "Scouring", "Pardon", "Vigil",    "Uprising", "Squall",    "Tithe"};
constexpr Words kPermanentNouns = {"Covenant", "Sigil",   "Hymn",   "Pact",   "Omen",     "Dominion",
                                   "Lantern",  "Engine",  "Idol",   "Orrery", "Cog",      "Reliquary",
                                   "Compass",  "Anvil",   "Banner", "Loom",   "Crucible", "Totem",
                                   "Mandate",  "Charter", "Beacon", "Chime",  "Aegis",    "Keystone"};
constexpr Words kLandNouns = {"Hollow",   "Steppe", "Fen",     "Quarry", "Grotto",  "Mesa",
                              "Causeway", "Sound",  "Barrow",  "Sluice", "Tarn",    "Scarp",
                              "Cairn",    "Weald",  "Shoal",   "Ridge",  "Gulch",   "Moor",
                              "Spires",   "Basin",  "Terrace", "Wharf",  "Thicket", "Crossing"};
constexpr Words kKinds = {"Drake",   "Hound",  "Warrior",   "Wizard",    "Spirit", "Beast",
                          "Golem",   "Kith",   "Duskling",  "Marshfolk", "Scout",  "Soldier",
                          "Rogue",   "Cleric", "Wurm",      "Elemental", "Horror", "Bird",
                          "Serpent", "Giant",  "Construct", "Shade",     "Knight", "Druid"};
constexpr std::array<std::string_view, 6> kKeywords = {"Skyborne", "Ironhide", "Quickstep",
                                                       "Lifebond", "Ambusher", "Unyielding"};
constexpr std::array<std::string_view, 24> kRules = {
    "When ~ arrives, each opponent loses 1 life.",
    "~ gets +1/+1 as long as you control a Land.",
    "Pay 2: ~ gains Skyborne until end of turn.",
    "Tap: ~ deals 1 damage to target creature or player.",
    "Draw two cards, then discard a card.",
    "Target creature gets -2/-2 until end of turn.",
    "Return target card from your discard pile to your hand.",
    "Create a 1/1 Wisp creature token with Skyborne.",
    "Whenever a creature you control dies, you gain 2 life.",
    "Counter target spell unless its controller pays 3.",
    "Choose one; ~ deals 3 damage to any target; or you gain 3 life.",
    "Search your library for a Land card, reveal it, put it into your hand, then shuffle.",
    "Channel \x97 Discard ~: Draw a card.",
    "At the beginning of your upkeep, put a charge counter on ~.",
    "Remove three charge counters from ~: Destroy target artifact or enchantment.",
    "Enchanted creature gets +2/+0 and has Quickstep.",
    "Creatures you control get +0/+1 until end of turn.",
    "Each player sacrifices a creature.",
    "Whenever ~ attacks, defending player discards a card at random.",
    "Tap target creature. It doesn't untap during its controller's next untap step.",
    "Look at the top three cards of your library; put one into your hand and the rest on the bottom.",
    "~ can't be blocked by creatures with power 2 or less.",
    "Sacrifice ~: Add two mana of any one colour to your mana pool.",
    "Prevent the next 3 damage that would be dealt to target creature this turn.",
};
constexpr std::string_view kFlavourStart = "\x93";
constexpr std::array<std::string_view, 8> kFlavour = {
    "The marsh keeps what the marsh is given.",
    "Every storm remembers the first drop.",
    "Iron bends, but only once.",
    "They counted the stars and found one missing.",
    "The road home is always longer.",
    "Even ash was a forest once.",
    "Never bargain with something that has no face.",
    "The tide does not ask permission.",
};

constexpr std::string_view kColours = "BGRUW";

std::string InventedWord(Random& rng) {
    std::string word(rng.Pick(kHeads));
    word += rng.Pick(kTails);
    return word;
}

std::string Replace(std::string_view text, std::string_view name) {
    std::string out;
    for (char c : text) {
        if (c == '~')
            out += name;
        else
            out += c;
    }
    return out;
}

enum class Kind { Creature, Instant, Sorcery, Enchantment, Artifact, ArtifactCreature, Land, Split, NoCost };

// A coloured cost with `generic` plus `symbols` symbols of one or two colours.
std::string ColouredCost(Random& rng, int generic, int symbols, bool gold) {
    const char first = kColours[static_cast<size_t>(rng.Below(5))];
    char second = kColours[static_cast<size_t>(rng.Below(5))];
    if (second == first)
        second = kColours[(kColours.find(first) + 1) % 5];
    std::string cost = generic > 0 ? std::to_string(generic) : "";
    for (int i = 0; i < symbols; ++i)
        cost += (gold && i % 2 == 1) ? second : first;
    return cost.empty() ? std::string(1, first) : cost;
}

class CardMaker {
public:
    explicit CardMaker(Random& rng, int textLines) : rng_(rng), textLines_(textLines) {}

    // A card of the given kind with a fresh name. `shape` spreads the cost shapes.
    GenCard Make(Kind kind, int shape) {
        GenCard card;
        card.name = FreshName(kind);
        switch (kind) {
        case Kind::Creature:
        case Kind::ArtifactCreature: {
            const int size = 1 + rng_.Below(6);
            if (kind == Kind::ArtifactCreature) {
                card.cost = std::to_string(size);
                card.typeLine = std::string("Artifact Creature - ") + std::string(rng_.Pick(kKinds));
            } else {
                card.cost = Cost(shape, size);
                const bool legend = rng_.Chance(6);
                card.typeLine = std::string(legend ? "Legendary Creature - " : "Creature - ") +
                                std::string(rng_.Pick(kKinds));
                if (rng_.Chance(30))
                    card.typeLine += " " + std::string(rng_.Pick(kKinds));
            }
            const int power = std::max(0, size + rng_.Below(3) - 1);
            const int toughness = std::max(1, size + rng_.Below(3) - 1);
            card.powerToughness = rng_.Chance(4) ? (rng_.Chance(50) ? "*/*" : "1+*/1+*")
                                                 : std::to_string(power) + "/" + std::to_string(toughness);
            if (rng_.Chance(35))
                card.text.emplace_back(rng_.Pick(kKeywords));
            break;
        }
        case Kind::Instant:
        case Kind::Sorcery:
            card.cost = Cost(shape, rng_.Below(5));
            card.typeLine =
                kind == Kind::Instant ? "Instant" : (rng_.Chance(10) ? "Tribal Sorcery" : "Sorcery");
            break;
        case Kind::Enchantment:
            card.cost = Cost(shape, 1 + rng_.Below(4));
            card.typeLine = rng_.Chance(40) ? "Enchantment - Aura" : "Enchantment";
            break;
        case Kind::Artifact:
            card.cost = std::to_string(rng_.Below(3) == 0 ? rng_.Below(2) : 1 + rng_.Below(6));
            card.typeLine = rng_.Chance(30) ? "Artifact - Equipment" : "Artifact";
            break;
        case Kind::Land:
            card.typeLine = rng_.Chance(15) ? "Legendary Land" : "Land";
            break;
        case Kind::Split: {
            card.cost = ColouredCost(rng_, 1 + rng_.Below(2), 1, false) + std::string(kSplitSeparator) +
                        ColouredCost(rng_, 1 + rng_.Below(3), 1 + rng_.Below(2), false);
            card.typeLine = "Instant";
            break;
        }
        case Kind::NoCost:
            card.cost = std::string(kNoCostMarker);
            card.typeLine = "Sorcery";
            card.text.emplace_back("~ can't be cast. Reveal it from your hand: Draw a card.");
            break;
        }
        const int lines = kind == Kind::Land ? 1 : rng_.Below(textLines_ + 1);
        for (int i = 0; i < lines; ++i) {
            const std::string_view rule = rng_.Pick(kRules);
            if (std::find(card.text.begin(), card.text.end(), rule) == card.text.end())
                card.text.emplace_back(rule);
        }
        if (rng_.Chance(20))
            card.text.push_back(std::string(kFlavourStart) + std::string(rng_.Pick(kFlavour)) + "\x94");
        for (std::string& line : card.text)
            line = Replace(line, card.name);
        return card;
    }

private:
    // Every cost shape: plain colours, gold, X, each hybrid symbol, and the generic-only cost.
    std::string Cost(int shape, int size) {
        switch (shape % 8) {
        case 0:
            return std::string(1 + rng_.Below(2), 'X') + ColouredCost(rng_, 0, 1, false);
        case 1: {
            std::string cost = size > 1 ? std::to_string(size - 1) : "";
            const std::string_view hybrid = HybridSymbols[static_cast<size_t>(hybrid_++ % 10)];
            return cost + std::string(hybrid) + (rng_.Chance(50) ? std::string(hybrid) : "");
        }
        case 2:
            return ColouredCost(rng_, std::max(0, size - 2), 2, true);
        default:
            return ColouredCost(rng_, std::max(0, size - 1), 1 + (size > 3 ? rng_.Below(2) : 0), false);
        }
    }

    std::string FreshName(Kind kind) {
        for (;;) {
            std::string name;
            const Words& nouns = kind == Kind::Creature || kind == Kind::ArtifactCreature ? kCreatureNouns
                                 : kind == Kind::Land                                     ? kLandNouns
                                 : kind == Kind::Enchantment || kind == Kind::Artifact    ? kPermanentNouns
                                                                                          : kSpellNouns;
            switch (rng_.Below(6)) {
            case 0:
                name = std::string(rng_.Pick(nouns)) + " of " + InventedWord(rng_);
                break;
            case 1:
                name = InventedWord(rng_) + "'s " + std::string(rng_.Pick(nouns));
                break;
            case 2:
                name = InventedWord(rng_) + " " + InventedWord(rng_) + " " + std::string(rng_.Pick(nouns));
                break;
            default:
                name = InventedWord(rng_) + " " + std::string(rng_.Pick(nouns));
            }
            if (used_.insert(AnsiLowerCase(name)).second)
                return name;
        }
    }

    Random& rng_;
    int textLines_;
    int hybrid_ = 0;
    std::set<std::string> used_;
};

Kind KindFor(Random& rng, int slot) {
    static constexpr std::array<Kind, 20> kMix = {
        Kind::Creature,         Kind::Creature, Kind::Creature,    Kind::Creature,    Kind::Creature,
        Kind::Creature,         Kind::Creature, Kind::Creature,    Kind::Instant,     Kind::Instant,
        Kind::Sorcery,          Kind::Sorcery,  Kind::Enchantment, Kind::Enchantment, Kind::Artifact,
        Kind::ArtifactCreature, Kind::Land,     Kind::Instant,     Kind::Creature,    Kind::Sorcery};
    if (slot % 37 == 11)
        return Kind::Split;
    if (slot % 53 == 29)
        return Kind::NoCost;
    return kMix[static_cast<size_t>(rng.Below(static_cast<int>(kMix.size())))];
}

// Pick values spread over 0..10, most cards near the middle, rares a little higher.
int PickValue(Random& rng, char rarity) {
    int value = rng.Below(5) + rng.Below(5) + (rarity == 'R' ? 2 : rarity == 'U' ? 1 : 0);
    if (rng.Chance(3))
        value = rng.Chance(50) ? 0 : 10;
    return std::min(10, value);
}

struct EditionPlan {
    std::string code;
    std::string name;
    int commons, uncommons, rares;
    int reprintPercent;
};

void AddEdition(World& world, CardMaker& maker, Random& rng, const EditionPlan& plan, int& slot) {
    world.editions.push_back(plan.code + ";" + plan.name);
    std::set<int> inEdition;
    const int firstNew = static_cast<int>(world.cards.size());
    auto add = [&](char rarity) {
        int card = -1;
        if (firstNew > 0 && rng.Chance(plan.reprintPercent)) {
            for (int tries = 0; tries < 8 && card < 0; ++tries) {
                const int candidate = rng.Below(firstNew);
                if (!inEdition.count(candidate))
                    card = candidate;
            }
        }
        if (card < 0) {
            world.cards.push_back(maker.Make(KindFor(rng, slot), slot));
            card = static_cast<int>(world.cards.size()) - 1;
        }
        ++slot;
        inEdition.insert(card);
        GenPrinting printing{card, plan.code, rarity, PickValue(rng, rarity), {}};
        if (rng.Chance(2))
            printing.banned = rng.Chance(70) ? "D" : "DT";
        world.printings.push_back(std::move(printing));
    };
    for (int i = 0; i < plan.rares; ++i)
        add('R');
    for (int i = 0; i < plan.uncommons; ++i)
        add('U');
    for (int i = 0; i < plan.commons; ++i)
        add('C');
}

void AddBasicLands(World& world) {
    for (std::string_view land : BasicLandNames) {
        GenCard card;
        card.name = land;
        card.typeLine = "Basic Land - " + std::string(land);
        world.cards.push_back(card);
        world.printings.push_back({static_cast<int>(world.cards.size()) - 1, "9E", 'L', 5, {}});
    }
}

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

// 90 cards of each full edition (15 rares, 25 uncommons, 50 commons), none banned in draft and no
// name twice, chosen by their own generator so the rest of the world does not depend on them.
std::vector<std::string> SampleCube(const World& world) {
    Random rng(360360);
    std::vector<std::string> lines = {"// Sample cube: 360 different cards of the four full editions,",
                                      "// one each, enough for a draft of 8 x 3 x 15."};
    std::set<int> names;
    for (const std::string& line : world.editions) {
        const std::string code = line.substr(0, line.find(';'));
        if (code == "TX" || code == "9E")
            continue;
        std::vector<size_t> chosen;
        for (const auto& [rarity, count] : {std::pair{'R', 15}, std::pair{'U', 25}, std::pair{'C', 50}}) {
            std::vector<size_t> candidates;
            for (size_t i = 0; i < world.printings.size(); ++i) {
                const GenPrinting& p = world.printings[i];
                if (p.edition == code && p.rarity == rarity && p.banned.find('D') == std::string::npos)
                    candidates.push_back(i);
            }
            for (size_t i = candidates.size(); i > 1; --i)
                std::swap(candidates[i - 1], candidates[static_cast<size_t>(rng.Below(static_cast<int>(i)))]);
            int taken = 0;
            for (size_t i = 0; i < candidates.size() && taken < count; ++i)
                if (names.insert(world.printings[candidates[i]].card).second) {
                    chosen.push_back(candidates[i]);
                    ++taken;
                }
        }
        std::sort(chosen.begin(), chosen.end());
        lines.push_back("");
        lines.push_back("// " + Cp1252ToUtf8(line.substr(line.find(';') + 1)));
        for (size_t i : chosen)
            lines.push_back("1 [" + code + "] " +
                            Cp1252ToUtf8(world.cards[static_cast<size_t>(world.printings[i].card)].name));
    }
    return lines;
}

} // namespace

World SampleWorld() {
    World world;
    Random rng(20261207);
    CardMaker maker(rng, 3);
    int slot = 0;
    const EditionPlan plans[] = {
        {"VR", "Verdant Reaches", 101, 60, 53, 0},     {"HK", "Hollow Crown", 100, 61, 50, 8},
        {"EM", "Emberdeep", 102, 60, 51, 8},           {"BF", "Brinefall Accord", 100, 60, 52, 10},
        {"TX", "Tidebreak Expedition", 24, 14, 10, 0}, {"9E", "Ninth Hearth", 40, 20, 15, 100},
    };
    for (const EditionPlan& plan : plans) {
        if (plan.code == "9E")
            AddBasicLands(world);
        AddEdition(world, maker, rng, plan, slot);
    }
    world.formats = {"Open;VR;HK;EM;BF;TX;9E;", "Hearth Block;9E;VR;HK;", "Deep Tides;EM;BF;TX;"};
    world.boostersIni = "; Pack compositions for the draft and sealed deck.\r\n"
                        "[Complex]\r\n"
                        "Tidebreak Expedition=TX+9E\r\n"
                        "\r\n"
                        "[SpecialBoosters]\r\n"
                        "TX=1R3U5C\r\n"
                        "9E=1U5C\r\n"
                        "\r\n"
                        "[SpecialStarters]\r\n"
                        "TX=2R6U16C\r\n"
                        "9E=1R3U12C\r\n";
    world.cube = SampleCube(world);
    return world;
}

World LargeWorld(int printings) {
    World world;
    Random rng(1000003);
    CardMaker maker(rng, 4);
    int slot = 0;
    const int perEdition = 214;
    const int editions = std::max(1, (printings - 5) / perEdition);
    for (int e = 0; e < editions; ++e) {
        std::string code = "L";
        for (int n = e + 1; n > 0; n /= 26)
            code += static_cast<char>('A' + n % 26);
        if (e == editions / 2)
            AddBasicLands(world);
        // About 30% of the printings are new names.
        AddEdition(world, maker, rng,
                   {code, "Generated Edition " + std::to_string(e + 1), 101, 60, 53, e == 0 ? 0 : 72}, slot);
    }
    if (editions <= 1)
        AddBasicLands(world);
    std::string open = "All";
    for (const std::string& line : world.editions)
        open += ";" + line.substr(0, line.find(';'));
    world.formats = {open + ";"};
    world.boostersIni = "[Complex]\r\n[SpecialBoosters]\r\n[SpecialStarters]\r\n";
    return world;
}

void WriteCube(const World& world, const std::string& path) {
    if (world.cube.empty())
        return;
    EnsureDirectory(std::string(path, 0, path.rfind('/') + 1));
    WriteFileAtomically(path, Join(world.cube));
}

bool WriteWorld(const World& world, const std::string& dataDir) {
    EnsureDirectory(dataDir);
    const std::string dir = dataDir.back() == '/' ? dataDir : dataDir + "/";

    std::vector<std::string> list;
    list.reserve(world.printings.size());
    for (const GenPrinting& p : world.printings) {
        std::string line = p.edition + ";" + world.cards[static_cast<size_t>(p.card)].name + ";" + p.rarity +
                           ";" + std::to_string(p.value);
        if (!p.banned.empty())
            line += ";" + p.banned;
        list.push_back(std::move(line));
    }

    // Every name once, in first-printing order, then an empty line.
    std::string text;
    std::vector<bool> written(world.cards.size());
    for (const GenPrinting& p : world.printings) {
        if (written[static_cast<size_t>(p.card)])
            continue;
        written[static_cast<size_t>(p.card)] = true;
        const GenCard& card = world.cards[static_cast<size_t>(p.card)];
        text += card.name + "\r\n";
        if (!card.cost.empty())
            text += card.cost + "\r\n";
        text += card.typeLine + "\r\n";
        if (!card.powerToughness.empty())
            text += card.powerToughness + "\r\n";
        for (const std::string& line : card.text)
            text += line + "\r\n";
        text += "\r\n";
    }

    // The database as the generator means it, built straight from the model.
    TTextList editions;
    editions.Lines = world.editions;
    TCardsList cards;
    for (const GenPrinting& p : world.printings) {
        const GenCard& source = world.cards[static_cast<size_t>(p.card)];
        TCardItem& card = cards.Add(p.edition);
        card.Name = cards.Store(source.name);
        card.Rarity = p.rarity == 'L'   ? TRarity::L
                      : p.rarity == 'U' ? TRarity::U
                      : p.rarity == 'R' ? TRarity::R
                                        : TRarity::C;
        card.Value = p.value;
        card.BannedFormats = cards.Store(p.banned);
        ParseCost(card, cards.Store(source.cost));
        card.TypeLine = cards.Store(source.typeLine);
        card.PowerToughness = cards.Store(source.powerToughness);
        for (const std::string& line : source.text)
            cards.AppendTextLine(card, cards.Store(line));
    }
    ComputePrintings(cards, editions);
    AddMissingBasicLands(cards);
    const std::string expected = CardDatabaseText(cards);

    WriteFileAtomically(dir + "editions.txt", Join(world.editions));
    WriteFileAtomically(dir + "formats.txt", Join(world.formats));
    WriteFileAtomically(dir + "cards.txt", Join(list));
    WriteFileAtomically(dir + "gatherer.txt", text);
    WriteFileAtomically(dir + "boosters.ini", world.boostersIni);

    // The sources must build exactly this database.
    TCardsList built;
    TTextList builtEditions;
    BuildCardDatabase(built, builtEditions,
                      {dir + "editions.txt", dir + "cards.txt", dir + "gatherer.txt", dir + "base.txt"});
    if (ReadWholeFile(dir + "base.txt") != expected) {
        std::cerr << "tovel-worldgen: the sources do not build the intended database\n";
        return false;
    }
    return true;
}

} // namespace tovel::worldgen
