#include "core/infra/FileCopy.h"

#include "core/infra/FileIO.h"
#include "core/infra/FileReplacement.h"
#include "core/infra/Translatable.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovel {

int TryCopyFile(const std::string& source, const std::string& dest) {
    FdGuard in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
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
    if (const int error = ReadChunks(in.fd, [&out](std::string_view chunk) { return out.Write(chunk); }); error != 0)
        return error;
    return out.Commit();
}

std::string SystemErrorText(int code) {
    if (code == 0)
        return TOVEL_TRANSLATABLE("SystemErrorText", "Неизвестная ошибка при выполнении функции Win32 API");
    return "System Error.  Code: " + std::to_string(code) + ".\n" + tovel::LastErrorText(code);
}

std::string LastErrorText() {
    return SystemErrorText(errno);
}

} // namespace tovel
