#pragma once

#include "cli/Cli.h"

namespace tovel::cli {

inline constexpr const char* kDbUsage =
    "  db check [FILE]      read a card database (default Data/base.txt) and list every bad record\n"
    "  db build [--cards FILE] [--text FILE] [--out FILE]\n"
    "                       build the card database from the card list (default Data/cards.txt,\n"
    "                       .xml for the XML form) and the card text (default Data/gatherer.txt)\n"
    "                       into FILE (default Data/base.txt)\n";

int RunDb(Context& context);

} // namespace tovel::cli
