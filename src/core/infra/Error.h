#pragma once

#include <stdexcept>
#include <string>

namespace tovel {

// The program's own failure: a message for the user, UTF-8 encoded.
// Loaders and generators throw it; the windows' error box (or the CLI) shows it.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace tovel
