#include "core/infra/FileIO.h"

#include "core/infra/Error.h"
#include "core/infra/FileReplacement.h"

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovel {

namespace {

// Opens a file for reading. Only a regular file is read: a FIFO or a device could block the
// reader for ever or never end, so it is refused before anything is read from it (the open
// itself does not wait for a FIFO's writer).
void OpenForReading(FdGuard& in, const std::string& path) {
    in.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in.fd < 0)
        throw Error("Cannot open file \"" + path + "\". " + LastErrorText(errno));
    struct stat st {};
    if (::fstat(in.fd, &st) != 0)
        throw Error("Cannot read file \"" + path + "\". " + LastErrorText(errno));
    if (!S_ISREG(st.st_mode))
        throw Error(path + " is not a regular file");
    const int flags = ::fcntl(in.fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(in.fd, F_SETFL, flags & ~O_NONBLOCK);
}

} // namespace

std::string LastErrorText(int errorNumber) {
    return std::strerror(errorNumber);
}

AtomicFileWriter::AtomicFileWriter(std::string path)
    : path_(std::move(path)), file_(std::make_unique<FileReplacement>(path_)) {
    Check(file_->Open());
}

AtomicFileWriter::~AtomicFileWriter() = default;

void AtomicFileWriter::Write(std::string_view bytes) {
    Check(file_->Write(bytes));
}

void AtomicFileWriter::Commit() {
    Check(file_->Commit());
}

void AtomicFileWriter::Check(int error) const {
    if (error == 0)
        return;
    const std::string& step = file_->FailedStep();
    throw Error("Unable to write to " + path_ + (step.empty() ? "" : ": " + step) + " (" +
                LastErrorText(error) + ")");
}

FdGuard::~FdGuard() {
    if (fd >= 0)
        ::close(fd);
}

int ReadChunks(int fd, const std::function<int(std::string_view chunk)>& sink) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0;
        if (const int stop = sink({buffer, static_cast<size_t>(n)}); stop != 0)
            return stop;
    }
}

void WriteFileAtomically(const std::string& path, std::string_view contents) {
    AtomicFileWriter file(path);
    file.Write(contents);
    file.Commit();
}

std::string ReadWholeFile(const std::string& path) {
    FdGuard in;
    OpenForReading(in, path);
    std::string data;
    struct stat st {};
    if (::fstat(in.fd, &st) == 0 && st.st_size > 0)
        data.reserve(static_cast<size_t>(st.st_size));
    const int error = ReadChunks(in.fd, [&data](std::string_view chunk) {
        data.append(chunk);
        return 0;
    });
    if (error != 0)
        throw Error("Cannot read file \"" + path + "\". " + LastErrorText(error));
    return data;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void EnsureDirectory(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec && !DirectoryExists(path))
        throw Error("Cannot create folder \"" + path + "\". " + ec.message());
}

size_t FindLineEnd(std::string_view text, size_t pos) {
    // Eight bytes at a time: a byte of the word equal to CR or LF gives a zero byte after the
    // XOR, which the classic test finds. Its lowest marked byte is exact; higher ones may be
    // false, so only the first is used.
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHighs = 0x8080808080808080ull;
    const auto zeroBytes = [](uint64_t v) {
        return (v - kOnes) & ~v & kHighs;
    };
    const char* data = text.data();
    const size_t size = text.size();
    if constexpr (std::endian::native == std::endian::little) {
        for (; pos + 8 <= size; pos += 8) {
            uint64_t word;
            std::memcpy(&word, data + pos, 8);
            const uint64_t found = zeroBytes(word ^ (kOnes * '\r')) | zeroBytes(word ^ (kOnes * '\n'));
            if (found)
                return pos + static_cast<size_t>(std::countr_zero(found) / 8);
        }
    }
    for (; pos < size; ++pos)
        if (data[pos] == '\r' || data[pos] == '\n')
            return pos;
    return std::string_view::npos;
}

bool LineReader::Next(std::string_view& line) {
    if (pos_ >= text_.size())
        return false;
    const size_t end = FindLineEnd(text_, pos_);
    if (end == std::string_view::npos) {
        line = text_.substr(pos_);
        pos_ = text_.size();
    } else {
        line = text_.substr(pos_, end - pos_);
        // CR LF is one line end; a lone CR or LF is one too.
        pos_ = end + (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n' ? 2 : 1);
    }
    ++lineNumber_;
    return true;
}

TBigVector<std::string_view> SplitLines(std::string_view text) {
    TBigVector<std::string_view> lines;
    LineReader reader(text);
    std::string_view line;
    while (reader.Next(line))
        lines.push_back(line);
    return lines;
}

std::shared_ptr<const MappedFile> MappedFile::Open(const std::string& path) {
    FdGuard in;
    OpenForReading(in, path);
    struct stat st {};
    if (::fstat(in.fd, &st) != 0)
        throw Error("Cannot read file \"" + path + "\". " + LastErrorText(errno));
    std::shared_ptr<MappedFile> file(new MappedFile);
    if (st.st_size == 0)
        return file;
    void* p = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, in.fd, 0);
    if (p == MAP_FAILED)
        throw Error("Cannot read file \"" + path + "\". " + LastErrorText(errno));
    file->data_ = static_cast<const char*>(p);
    file->size_ = static_cast<size_t>(st.st_size);
    file->mapped_ = true;
    return file;
}

MappedFile::~MappedFile() {
    if (mapped_)
        ::munmap(const_cast<char*>(data_), size_);
}

} // namespace tovel
