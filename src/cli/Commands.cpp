#include "cli/Cli.h"

namespace tovel::cli {

// Each command group lives in a file of its own and is listed here.
std::span<const Command> Commands() { return {}; }

} // namespace tovel::cli
