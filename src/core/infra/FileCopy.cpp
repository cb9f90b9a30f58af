#include "core/infra/FileCopy.h"

#include "core/infra/FileIO.h"
#include "core/infra/FileReplacement.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovel {

namespace {

struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

int TryCopyFile(const std::string& source, const std::string& dest) {
    Fd in;
    in.fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in.fd < 0)
        return errno;
    struct stat st {};
    if (::fstat(in.fd, &st) != 0)
        return errno;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    FileReplacement out(dest);
    if (const int error = out.Open(); error != 0)
        return error;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in.fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return out.Commit();
        if (const int error = out.Write({buffer, static_cast<size_t>(n)}); error != 0)
            return error;
    }
}

std::string SystemErrorText(int code) {
    if (code == 0)
        return "Неизвестная ошибка при выполнении функции Win32 API";
    return "System Error.  Code: " + std::to_string(code) + ".\n" + tovel::LastErrorText(code);
}

std::string LastErrorText() {
    return SystemErrorText(errno);
}

} // namespace tovel
