#pragma once

#include "cli/Cli.h"

namespace tovel::cli {

inline constexpr const char* kDeckUsage =
    "  deck convert FILE... rewrite text decks whose sideboard follows a marker line (\"//SB:\" or\n"
    "                       \"Sideboard\") into deck files: each FILE becomes FILE.dec\n"
    "  deck import LIST --out DECK.dec [--skip-unknown]\n"
    "                       read a plain-text deck list (\"4 Name\", \"Sideboard\", ...) into a deck\n"
    "                       file; lines not understood or not found are printed and stop it\n"
    "                       unless --skip-unknown\n"
    "  deck export DECK.dec [--out LIST]\n"
    "                       write a deck file as a plain-text list (standard output by default)\n"
    "  deck stats DECK.dec [--sideboard]\n"
    "                       the deck's curve, colour symbols, types and suggested basic lands\n";

int RunDeck(Context& context);

} // namespace tovel::cli
