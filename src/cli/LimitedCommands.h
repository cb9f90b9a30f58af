#pragma once

#include "cli/Cli.h"

namespace tovel::cli {

inline constexpr const char* kDraftUsage =
    "  draft [--config TEXT] [--seed N] --out FILE.dec [--log FILE]\n"
    "                       run a whole draft on the program folder's data, every seat picking as\n"
    "                       on a timed-out pick; TEXT as Draft/Config holds it (default: tovel.ini);\n"
    "                       writes FILE.dec and FILE_bot2.dec ... FILE_bot8.dec, and the pick log\n";
inline constexpr const char* kSealedUsage =
    "  sealed [--config TEXT] [--seed N] --out FILE.dec\n"
    "                       open a sealed pool as Sealed/Config TEXT describes (default: tovel.ini)\n"
    "                       and write it as a deck\n";

int RunDraft(Context& context);
int RunSealed(Context& context);

} // namespace tovel::cli
