#pragma once

// The readers under fuzzing: each takes any bytes, must neither crash nor hang, and aborts
// when what it read would not save and read back the same.

#include <cstddef>
#include <cstdint>

namespace tovel::fuzz {

int Base(const uint8_t* data, size_t size);
int CardListText(const uint8_t* data, size_t size);
int CardListXml(const uint8_t* data, size_t size);
int CardText(const uint8_t* data, size_t size);
int Editions(const uint8_t* data, size_t size);
int Deck(const uint8_t* data, size_t size);
int DeckList(const uint8_t* data, size_t size);
int Cube(const uint8_t* data, size_t size);
int InventoryFile(const uint8_t* data, size_t size);
int InsertSideboard(const uint8_t* data, size_t size);
int Ini(const uint8_t* data, size_t size);
int Boosters(const uint8_t* data, size_t size);
int DraftConfig(const uint8_t* data, size_t size);
int DraftRecord(const uint8_t* data, size_t size);
int SealedConfig(const uint8_t* data, size_t size);
int Query(const uint8_t* data, size_t size);

} // namespace tovel::fuzz
