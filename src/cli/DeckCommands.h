#pragma once

#include "cli/Cli.h"

namespace tovel::cli {

inline constexpr const char* kDeckUsage =
    "  deck convert FILE... rewrite text decks whose sideboard follows a marker line (\"//SB:\" or\n"
    "                       \"Sideboard\") into deck files: each FILE becomes FILE.dec\n";

int RunDeck(Context& context);

} // namespace tovel::cli
