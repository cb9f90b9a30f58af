#include "cli/Cli.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv, argv + argc);
    return tovel::cli::Run(args, std::cout, std::cerr);
}
