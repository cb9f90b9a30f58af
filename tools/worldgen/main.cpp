// tovel-worldgen: writes the bundled sample world or a large world for benchmarks.

#include "World.h"

#include "core/infra/Error.h"
#include "core/infra/Text.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    const std::string usage =
        "Usage: tovel-worldgen --sample DIR\n"
        "       tovel-worldgen --large N DIR\n"
        "Writes DIR/Data and DIR/Cubes (sample) or DIR/Data with about N printings (large).\n";
    try {
        const std::string mode = argc > 1 ? argv[1] : "";
        if (mode == "--sample" && argc == 3) {
            const tovel::worldgen::World world = tovel::worldgen::SampleWorld();
            tovel::worldgen::WriteCube(world, std::string(argv[2]) + "/Cubes/Sample Cube.txt");
            return tovel::worldgen::WriteWorld(world, std::string(argv[2]) + "/Data") ? 0 : 1;
        }
        if (mode == "--large" && argc == 4) {
            const auto count = tovel::ParseInt(argv[2]);
            if (!count || *count < 1 || *count > 5000000) {
                std::cerr << "tovel-worldgen: N must be a number from 1 to 5000000\n";
                return 2;
            }
            return tovel::worldgen::WriteWorld(tovel::worldgen::LargeWorld(*count),
                                               std::string(argv[3]) + "/Data")
                       ? 0
                       : 1;
        }
        std::cerr << usage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tovel-worldgen: " << e.what() << "\n";
        return 1;
    }
}
