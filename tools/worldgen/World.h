#pragma once

// A generated card world: editions, formats, card list, card text and pack configuration,
// all invented, produced deterministically from a seed.

#include <cstdint>
#include <string>
#include <vector>

namespace tovel::worldgen {

struct GenCard {
    std::string name;
    std::string cost; // as stored; empty for none
    std::string typeLine;
    std::string powerToughness;
    std::vector<std::string> text;
};

struct GenPrinting {
    int card = 0; // index into World::cards
    std::string edition;
    char rarity = 'C';
    int value = 5;
    std::string banned;
};

struct World {
    std::vector<std::string> editions; // "code;full name"
    std::vector<std::string> formats;  // "name;code;code;"
    std::vector<GenCard> cards;        // one per name
    std::vector<GenPrinting> printings;
    std::string boostersIni;
    std::vector<std::string> cube; // the lines of the sample cube list, UTF-8
};

// The bundled sample world: four full editions, a small one drafted as part of a composite
// pack, and the core edition "9E" with the five basic lands and reprints; and a cube of 360
// different cards from the four full editions.
World SampleWorld();
// A world of about `printings` printings and 0.3 x as many names, for benchmarks.
World LargeWorld(int printings);

// Writes editions.txt, formats.txt, cards.txt, gatherer.txt, boosters.ini and base.txt into
// `dataDir`, then builds base.txt again from the sources and checks both agree.
// Returns false (with a message on standard error) when they do not.
bool WriteWorld(const World& world, const std::string& dataDir);
// Writes the world's cube list (when it has one) to `path`.
void WriteCube(const World& world, const std::string& path);

} // namespace tovel::worldgen
