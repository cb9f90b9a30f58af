#include "core/infra/ProgramDir.h"

#include "core/infra/Error.h"
#include "core/infra/FileCopy.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramFiles.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

// The installed sample world relative to the installed programs' folder; the build sets it from
// its install folders.
#ifndef TOVEL_INSTALLED_WORLD
#define TOVEL_INSTALLED_WORLD "../share/tovel"
#endif

namespace tovel {

namespace fs = std::filesystem;

namespace {
// Global: set once per process before any file is read, read-only after; every path derives from it.
std::string programDir;

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string PerUserDir() {
    const std::string dataHome = Env("XDG_DATA_HOME");
    if (!dataHome.empty() && dataHome[0] == '/')
        return WithSlash(dataHome) + "tovel/";
    std::string home = Env("HOME");
    if (home.empty()) {
        if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
            home = user->pw_dir;
    }
    if (home.empty())
        throw Error("No folder for Tovel's files: neither HOME nor TOVEL_HOME is set");
    return WithSlash(home) + ".local/share/tovel/";
}

void Copy(const std::string& source, const std::string& dest) {
    if (const int error = TryCopyFile(source, dest); error != 0)
        throw Error("Cannot copy \"" + source + "\" to \"" + dest + "\". " + LastErrorText(error));
}

// A new file with the bytes of `source`, not flushed: the tree it belongs to is flushed once.
void CopyUnsynced(const std::string& source, const std::string& dest) {
    const std::string bytes = ReadWholeFile(source);
    const int fd = ::open(dest.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    int error = fd < 0 ? errno : 0;
    for (size_t done = 0; error == 0 && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR)
            error = errno;
        else if (n == 0)
            error = EIO;
        done += n > 0 ? static_cast<size_t>(n) : 0;
    }
    if (fd >= 0 && ::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        throw Error("Cannot copy \"" + source + "\" to \"" + dest + "\". " + LastErrorText(error));
}

// Copies each regular file of the folder `source` (when there is one) that `dest` lacks.
void CopyMissingFiles(const std::string& source, const std::string& dest) {
    if (!DirectoryExists(source))
        return;
    EnsureDirectory(dest);
    std::error_code ec;
    for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string to = dest + it->path().filename().string();
        if (it->is_regular_file() && !PathExists(to))
            CopyUnsynced(it->path().string(), to);
    }
    if (ec)
        throw Error("Cannot read the folder \"" + source + "\". " + ec.message());
}

// Copies the folder tree `source` into the empty folder `dest`: folders and regular files (links
// followed), each new and this user's, with the user's default modes, not the source's; then
// flushes them all at once (a flush per file costs seconds for a thousand pictures).
void CopyTree(const std::string& source, const std::string& dest) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string to = dest + it->path().lexically_relative(source).string();
        if (it->is_directory())
            EnsureDirectory(to);
        else if (it->is_regular_file())
            CopyUnsynced(it->path().string(), to);
    }
    if (ec)
        throw Error("Cannot read the folder \"" + source + "\". " + ec.message());
    const int fd = ::open(dest.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#if defined(__linux__)
    const bool flushed = fd >= 0 && ::syncfs(fd) == 0;
#else
    ::sync();
    const bool flushed = fd >= 0;
#endif
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (!flushed)
        throw Error("Cannot write the folder \"" + dest + "\". " + LastErrorText(error));
}

// Makes a rename in the folder last through a power loss, where the file system can sync folders.
void SyncFolder(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}
} // namespace

const std::string& ProgramDir() {
    return programDir;
}

void SetProgramDir(std::string dir) {
    programDir = WithSlash(std::move(dir));
}

std::string ProgramPath(std::string_view relative) {
    return programDir + std::string(relative);
}

std::string ExecutablePath(const std::string& fallback) {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return fallback;
    return std::string(buffer, static_cast<size_t>(n));
}

ProgramDirChoice ChooseProgramDir(const std::string& executablePath) {
    if (const std::string home = Env("TOVEL_HOME"); !home.empty())
        return {WithSlash(home), "set by TOVEL_HOME"};
    const std::string own = FolderOf(executablePath);
    if (!DirectoryExists(own + "Data"))
        return {PerUserDir(), "the per-user folder: " + own + " holds no Data/", true};
    if (::faccessat(AT_FDCWD, own.c_str(), W_OK, AT_EACCESS) != 0)
        return {PerUserDir(), "the per-user folder: " + own + " is not writable", true};
    return {own, "the program's own folder, which holds Data/"};
}

std::string InstalledWorldDir(const std::string& executablePath) {
    return WithSlash(fs::path(FolderOf(executablePath) + TOVEL_INSTALLED_WORLD).lexically_normal().string());
}

void SeedProgramDir(const std::string& dir, const std::string& worldDir) {
    EnsureDirectory(dir);
    if (PathExists(dir + "Data") || !DirectoryExists(worldDir + "Data"))
        return;
    if (FileExists(worldDir + "editions.rcc") && !PathExists(dir + "editions.rcc"))
        Copy(worldDir + "editions.rcc", dir + "editions.rcc");
    // The sample decks, collection and cube go beside the user's own files, never over them;
    // Data/ is made last, so a start that fails before it tries these again.
    for (const char* folder : {kDeckFolder, kInventoryFolder, kCubeFolder})
        CopyMissingFiles(worldDir + folder, dir + folder);
    // Data/ is laid out under a name of its own and renamed into place when complete, so a failed
    // or interrupted copy is tried again on the next start; a second program seeding at the same
    // moment loses the rename and drops its copy.
    std::string staging = dir + ".Data-XXXXXX";
    if (!::mkdtemp(staging.data()))
        throw Error("Cannot create folder \"" + staging + "\". " + LastErrorText(errno));
    std::error_code ec;
    try {
        CopyTree(worldDir + "Data", staging + "/");
        if (::rename(staging.c_str(), (dir + "Data").c_str()) != 0) {
            const int error = errno;
            if (!PathExists(dir + "Data"))
                throw Error("Cannot create folder \"" + dir + "Data\". " + LastErrorText(error));
        }
        SyncFolder(dir);
    } catch (...) {
        fs::remove_all(staging, ec);
        throw;
    }
    fs::remove_all(staging, ec);
}

ProgramDirChoice OpenProgramDir(const std::string& executablePath) {
    ProgramDirChoice choice = ChooseProgramDir(executablePath);
    if (!choice.perUser)
        return choice;
    try {
        SeedProgramDir(choice.dir, InstalledWorldDir(executablePath));
    } catch (const Error& e) {
        // The user did not pick this folder, so say how to put the files somewhere else.
        throw Error(std::string(e.what()) +
                    "\nSet TOVEL_HOME to a folder you may write to keep Tovel's files there.");
    }
    return choice;
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
