#pragma once

#include "cli/Cli.h"

namespace tovel::cli {

inline constexpr const char* kSearchUsage =
    "  search [--inventory FILE] [--count] [--] QUERY...\n"
    "                       list the printings of Data/base.txt that the query holds for, as\n"
    "                       [CODE] - Name in database order (--count: only their number); own\n"
    "                       counts copies in FILE (default Inventory/inventory.inv); words after\n"
    "                       -- are query words even when they start with --\n";

int RunSearch(Context& context);

} // namespace tovel::cli
