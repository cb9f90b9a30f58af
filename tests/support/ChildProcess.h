#pragma once

// Parts of a test that run in a forked child process: what would end or change the whole test
// process (a signal, a resource limit, another user's rights) or must run beside another process.

#include <functional>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tovel::test {

// Starts `body` in a child process, which exits with the value it returns (99 when it throws).
inline pid_t StartChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        int code = 99;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    return pid;
}

// The child's exit code, or 128 + the number of the signal that ended it; -1 when there is none.
inline int WaitChild(pid_t pid) {
    int status = 0;
    if (pid <= 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

inline int RunInChild(const std::function<int()>& body) {
    return WaitChild(StartChild(body));
}

// In a child: files may grow to `bytes` at most; writes past it fail (or raise SIGXFSZ).
inline void LimitFileSize(rlim_t bytes) {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

// Whether a child can run without root's rights: the tests are not root, or the user "nobody" exists.
inline bool CanRunUnprivileged() {
    return ::geteuid() != 0 || ::getpwnam("nobody") != nullptr;
}

// In a child: gives up root's rights for those of the user "nobody"; true when the process has no
// root rights afterwards.
inline bool DropRootRights() {
    if (::geteuid() != 0)
        return true;
    const passwd* user = ::getpwnam("nobody");
    return user && ::setgroups(0, nullptr) == 0 && ::setgid(user->pw_gid) == 0 &&
           ::setuid(user->pw_uid) == 0 && ::geteuid() != 0;
}

} // namespace tovel::test
