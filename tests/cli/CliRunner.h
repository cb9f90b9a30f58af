#pragma once

// Runs the built tovel-cli with arguments and collects its exit status and output.

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace tovel::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// `shell` is put before the command in the shell's line (such as "ulimit -f 1;"); `program` is
// the tovel-cli to run (a copy elsewhere stands for an installed one).
inline CliResult RunCli(const std::vector<std::string>& args, const std::string& scratchDir,
                        const std::string& shell = "", const std::string& program = TOVEL_CLI_PATH) {
    std::string command = shell + ShellQuote(program);
    for (const std::string& a : args)
        command += " " + ShellQuote(a);
    const std::string errFile = scratchDir + "cli-stderr.txt";
    command += " 2>" + ShellQuote(errFile) + " </dev/null";
    CliResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile, std::ios::binary);
    std::stringstream text;
    text << err.rdbuf();
    result.err = text.str();
    return result;
}

} // namespace tovel::test
