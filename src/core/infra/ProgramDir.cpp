#include "core/infra/ProgramDir.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace tovel {

namespace {
std::string programDir;

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}
} // namespace

const std::string& ProgramDir() { return programDir; }

void SetProgramDir(std::string dir) { programDir = WithSlash(std::move(dir)); }

std::string ProgramPath(std::string_view relative) { return programDir + std::string(relative); }

std::string ExecutablePath(const std::string& fallback) {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return fallback;
    return std::string(buffer, static_cast<size_t>(n));
}

std::string ResolveProgramDir(const std::string& executablePath) {
    if (const char* home = std::getenv("TOVEL_HOME"); home && *home)
        return WithSlash(home);
    const size_t slash = executablePath.rfind('/');
    if (slash == std::string::npos)
        return "./";
    return executablePath.substr(0, slash + 1);
}

void CreateProgramFolders(std::initializer_list<std::string_view> folders) {
    for (std::string_view folder : folders) {
        std::error_code ignored;
        std::filesystem::create_directories(ProgramPath(folder), ignored);
    }
}

std::string ReplaceExtension(const std::string& path, std::string_view extension) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? path.substr(0, dot) : path) + std::string(extension);
}

} // namespace tovel
