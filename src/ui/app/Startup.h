#pragma once

#include <string>

namespace tovel {

// The program's start-up steps, run in order when constructed, and their clean-up, run in
// reverse order when destroyed: the settings store, the program folder, the card list and its
// companions, the "Lm Style" action-bar style and the empty wait-window stack. No data file is
// read here; every feature window loads what it needs.
class ProgramSession {
public:
    explicit ProgramSession(const std::string& executablePath);
    ~ProgramSession();
    ProgramSession(const ProgramSession&) = delete;
    ProgramSession& operator=(const ProgramSession&) = delete;
};

// The settings file of a program folder and executable: "<dir>/<name>.ini".
std::string SettingsPathFor(const std::string& programDir, const std::string& executablePath);

} // namespace tovel
