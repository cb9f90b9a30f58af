#include "core/infra/FileReplacement.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tovel {

namespace {

// The folder part of a path with its final "/", or "" for a bare name.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The path with every symbolic link at its end followed, the way open() would; the file it names
// need not exist. Fills `st` and sets `exists` when it does.
int FollowLinks(const std::string& path, std::string& target, struct stat& st, bool& exists) {
    target = path;
    for (int hops = 0;; ++hops) {
        if (::lstat(target.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return errno;
            exists = false;
            return 0;
        }
        if (!S_ISLNK(st.st_mode)) {
            exists = true;
            return 0;
        }
        if (hops == 40)
            return ELOOP;
        char link[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), link, sizeof link);
        if (n < 0)
            return errno;
        if (static_cast<size_t>(n) == sizeof link)
            return ENAMETOOLONG;
        const std::string next(link, static_cast<size_t>(n));
        target = next[0] == '/' ? next : FolderOf(target) + next;
    }
}

// The temporary files open now. A slot is free (0), being filled or emptied (1), or holds a name
// (2); the signal handler only reads slots that hold one.
struct RegisteredFile {
    std::atomic<int> state{0};
    char path[PATH_MAX];
};
std::array<RegisteredFile, 128> registered;

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

// Skips a non-empty run of characters that pass `accept`; false when there is none.
template <typename Accept> bool SkipRun(std::string_view& text, Accept accept) {
    size_t n = 0;
    while (n < text.size() && accept(text[n]))
        ++n;
    text.remove_prefix(n);
    return n > 0;
}

} // namespace

std::string TemporaryFileName(const std::string& path) {
    // This process, a counter and the clock.
    // Global: temporary names must differ across every writer of the process.
    static std::atomic<unsigned> counter{0};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    char text[64];
    std::snprintf(text, sizeof text, ".%ld-%u-%lx.tmp~", static_cast<long>(::getpid()), counter++,
                  static_cast<unsigned long>(now.tv_nsec) & 0xfffffUL);
    // Long names are cut so that the temporary name stays within the file system's limit.
    const std::string folder = FolderOf(path);
    return folder + path.substr(folder.size(), 200) + text;
}

bool IsTemporaryFileName(std::string_view name) {
    constexpr std::string_view kEnd = ".tmp~";
    if (!name.ends_with(kEnd))
        return false;
    name.remove_suffix(kEnd.size());
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return false;
    std::string_view stamp = name.substr(dot + 1);
    const auto digit = [](char c) {
        return c >= '0' && c <= '9';
    };
    const auto dash = [&stamp] {
        if (stamp.empty() || stamp[0] != '-')
            return false;
        stamp.remove_prefix(1);
        return true;
    };
    return SkipRun(stamp, digit) && dash() && SkipRun(stamp, digit) && dash() && SkipRun(stamp, IsHex) &&
           stamp.empty();
}

bool RegisterTemporaryFile(const std::string& path) {
    if (path.size() >= PATH_MAX)
        return false;
    for (RegisteredFile& slot : registered) {
        int expected = 0;
        if (!slot.state.compare_exchange_strong(expected, 1))
            continue;
        std::memcpy(slot.path, path.c_str(), path.size() + 1);
        slot.state.store(2);
        return true;
    }
    return false;
}

void ForgetTemporaryFile(const std::string& path) {
    for (RegisteredFile& slot : registered) {
        int expected = 2;
        if (slot.state.load() != 2 || std::strcmp(slot.path, path.c_str()) != 0 ||
            !slot.state.compare_exchange_strong(expected, 1))
            continue;
        slot.state.store(0);
        return;
    }
}

void RemoveRegisteredTemporaryFiles() noexcept {
    for (RegisteredFile& slot : registered)
        if (slot.state.load() == 2)
            ::unlink(slot.path);
}

int RemoveStaleTemporaryFiles(const std::string& folder, std::time_t now, std::time_t maxAge, int depth) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return 0;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    int removed = 0;
    std::vector<std::string> subfolders;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        // Only names of temporary files and folders need a closer look: a folder of pictures
        // costs no more than reading its names.
        const bool temporary = IsTemporaryFileName(name);
        if (!temporary && entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN)
            continue;
        struct stat st {};
        const std::string path = prefix + std::string(name);
        if (::lstat(path.c_str(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            if (depth > 0)
                subfolders.push_back(path);
        } else if (temporary && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
                   st.st_mtime < now - maxAge && ::unlink(path.c_str()) == 0) {
            ++removed;
        }
    }
    ::closedir(dir);
    for (const std::string& sub : subfolders)
        removed += RemoveStaleTemporaryFiles(sub, now, maxAge, depth - 1);
    return removed;
}

FileReplacement::~FileReplacement() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!temp_.empty()) {
        // Removed before it is forgotten: a signal in between only removes it twice.
        ::unlink(temp_.c_str());
        ForgetTemporaryFile(temp_);
    }
}

int FileReplacement::Fail(const char* step, int error) {
    step_ = step;
    return error;
}

int FileReplacement::Open() {
    struct stat st {};
    bool exists = false;
    if (const int error = FollowLinks(path_, target_, st, exists); error != 0)
        return error;
    if (exists) {
        if (S_ISDIR(st.st_mode))
            return EISDIR;
        // Renaming over a device or a pipe would put a plain file in its place.
        if (!S_ISREG(st.st_mode))
            return Fail("not a regular file", EINVAL);
        // The folder may allow the rename, but the file itself is not this user's to change.
        if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0)
            return errno;
    }
    // Created no wider than the target (the umask only takes bits away), then given its exact bits.
    const mode_t mode = exists ? (st.st_mode & 0777) : 0666;
    for (int attempt = 0; fd_ < 0; ++attempt) {
        const std::string temp = TemporaryFileName(target_);
        fd_ = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd_ >= 0) {
            temp_ = temp;
            RegisterTemporaryFile(temp_);
        } else if (errno != EEXIST || attempt == 100)
            return errno;
    }
    if (exists) {
        // Owner first: a change of owner clears the set-user-ID bits that fchmod then restores.
        // An ordinary user may not give a file away: it is then this user's, with the target's bits.
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
            ::fchown(fd_, st.st_uid, st.st_gid) != 0)
            (void)::fchown(fd_, static_cast<uid_t>(-1), st.st_gid);
        (void)::fchmod(fd_, st.st_mode & 07777);
    }
    return 0;
}

int FileReplacement::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Fail("write failed", errno);
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

int FileReplacement::Commit() {
    if (const int error = Flush(); error != 0)
        return error;
    if (const int error = Rename(); error != 0)
        return error;
    return SyncFolder();
}

int FileReplacement::Flush() {
    if (::fsync(fd_) != 0)
        return Fail("flush failed", errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return Fail("close failed", errno);
    return 0;
}

int FileReplacement::Rename() {
    if (::rename(temp_.c_str(), target_.c_str()) != 0)
        return Fail("rename failed", errno);
    ForgetTemporaryFile(temp_);
    temp_.clear();
    return 0;
}

int FileReplacement::SyncFolder() {
    // The rename lives in the folder: without this a power loss could lose the new file and the
    // old one. A folder this user may not read cannot be synced; file systems without folder
    // sync say EINVAL.
    const std::string folder = FolderOf(target_);
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return 0;
    const int synced = ::fsync(dir) == 0 || errno == EINVAL ? 0 : errno;
    ::close(dir);
    return synced == 0 ? 0 : Fail("folder sync failed", synced);
}

} // namespace tovel
