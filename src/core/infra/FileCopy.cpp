#include "core/infra/FileCopy.h"

#include "core/infra/FileIO.h"

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

int CopyContents(int in, int out) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0;
        ssize_t done = 0;
        while (done < n) {
            const ssize_t w = ::write(out, buffer + done, static_cast<size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            done += w;
        }
    }
}

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
    const std::string temp = dest + ".tmp~";
    Fd out;
    out.fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out.fd < 0)
        return errno;
    int error = CopyContents(in.fd, out.fd);
    if (error == 0 && ::fsync(out.fd) != 0)
        error = errno;
    const int fd = out.fd;
    out.fd = -1;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.c_str(), dest.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temp.c_str());
    return error;
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
