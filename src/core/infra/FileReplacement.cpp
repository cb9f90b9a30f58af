#include "core/infra/FileReplacement.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A name no other writer uses at the same time: this process, a counter and the clock. The
// exclusive creation makes a clash harmless; it only costs another try.
std::string UniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    char text[64];
    std::snprintf(text, sizeof text, ".%ld-%u-%lx.tmp~", static_cast<long>(::getpid()), counter++,
                  static_cast<unsigned long>(now.tv_nsec) & 0xfffffUL);
    return text;
}

} // namespace

FileReplacement::~FileReplacement() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!temp_.empty())
        ::unlink(temp_.c_str());
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
    // Long names are cut so that the temporary name stays within the file system's limit.
    const std::string folder = FolderOf(target_);
    const std::string name = target_.substr(folder.size(), 200);
    // Created no wider than the target (the umask only takes bits away), then given its exact bits.
    const mode_t mode = exists ? (st.st_mode & 0777) : 0666;
    for (int attempt = 0; fd_ < 0; ++attempt) {
        const std::string temp = folder + name + UniqueSuffix();
        fd_ = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd_ >= 0)
            temp_ = temp;
        else if (errno != EEXIST || attempt == 100)
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
    if (::fsync(fd_) != 0)
        return Fail("flush failed", errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return Fail("close failed", errno);
    if (::rename(temp_.c_str(), target_.c_str()) != 0)
        return Fail("rename failed", errno);
    temp_.clear();
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
