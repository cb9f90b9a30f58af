#pragma once

#include "cli/Cli.h"

namespace tovel::cli {

inline constexpr const char* kDraftUsage =
    "  draft [--config TEXT | --cube LIST [--pack-size N]] [--pick-time N|untimed] [--seed N]\n"
    "        [--drafters value|colours] --out FILE.dec [--log FILE] [--record FILE.draft]\n"
    "                       run a whole draft on the program folder's data, the user's seat picking\n"
    "                       as on a timed-out pick; TEXT as Draft/Config holds it (default:\n"
    "                       tovel.ini), or packs of N cards (5-20, default 15) dealt from the cube\n"
    "                       list LIST; the pick time (default 40) goes into the record; the\n"
    "                       computer drafters pick by value, or by value and colours; writes\n"
    "                       FILE.dec and FILE_bot2.dec ... FILE_bot8.dec, the pick log and the\n"
    "                       draft record\n";
inline constexpr const char* kReviewUsage =
    "  review FILE.draft [--seat N] [--grade]\n"
    "                       print a draft record pick by pick for seat N (1 the user, 2-8 the\n"
    "                       computer drafters; default 1): the card taken and how, then the booster;\n"
    "                       with --grade, the seat's picks against the computer drafters' choice,\n"
    "                       its built deck's score and the standings of the eight seats\n";
inline constexpr const char* kSealedUsage =
    "  sealed [--config TEXT | --cube LIST [--packs N]] [--seed N] --out FILE.dec\n"
    "                       open a sealed pool as Sealed/Config TEXT describes (default: tovel.ini),\n"
    "                       or N packs of 15 (1-12, default 6) dealt from the cube list LIST, and\n"
    "                       write it as a deck\n";

int RunDraft(Context& context);
int RunSealed(Context& context);
int RunReview(Context& context);

} // namespace tovel::cli
