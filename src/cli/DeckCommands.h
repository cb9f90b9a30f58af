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
    "                       the deck's curve, colour symbols, types and suggested basic lands\n"
    "  deck build POOL.dec --out DECK.dec [--colours C]\n"
    "                       build a 40-card deck from every card of POOL.dec: the best one or two\n"
    "                       colours (or C: one or two of W, U, B, R, G), 23 spells by pick value\n"
    "                       along a curve and 17 basic lands; the rest goes to the sideboard\n"
    "  deck odds DECK.dec [--draw]\n"
    "                       the exact odds of the main deck: lands in the opening seven, land drops\n"
    "                       turns 1-6 and each spell cast on curve, on the play (or the draw)\n";

int RunDeck(Context& context);

} // namespace tovel::cli
