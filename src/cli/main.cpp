#include "cli/Cli.h"
#include "core/infra/Process.h"

#include <iostream>

int main(int argc, char** argv) {
    tovel::IgnoreFileSizeLimitSignal();
    tovel::RemoveTemporaryFilesOnTermination();
    const std::vector<std::string> args(argv, argv + argc);
    return tovel::cli::Run(args, std::cout, std::cerr);
}
