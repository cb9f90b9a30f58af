#include "core/infra/FileIO.h"

#include "core/infra/Error.h"
#include "core/infra/FileReplacement.h"

#include <algorithm>
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

void RefuseUtf16(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        throw Error(kUtf16NotSupported);
}

std::string ReadTextFile(const std::string& path) {
    std::string text = ReadWholeFile(path);
    RefuseUtf16(text);
    return text;
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

namespace {

// What identifies a file: its device and inode, or for a name not there its folder's with the name.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    std::string name; // empty when the file exists

    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return {st.st_dev, st.st_ino, {}};
    std::string target = path;
    // A dangling symbolic link is written through: the file it names is the one that counts.
    char link[4096];
    for (int hops = 0; hops < 40; ++hops) {
        const ssize_t n = ::readlink(target.c_str(), link, sizeof link);
        if (n <= 0 || static_cast<size_t>(n) == sizeof link)
            break;
        const std::string next(link, static_cast<size_t>(n));
        const size_t slash = target.rfind('/');
        target = next[0] == '/' || slash == std::string::npos ? next : target.substr(0, slash + 1) + next;
    }
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (::stat(folder.c_str(), &st) == 0)
        return {st.st_dev, st.st_ino, name.empty() ? "." : name};
    return {0, 0, target}; // no folder either: only the spelling is left to compare
}

} // namespace

bool SameFile(const std::string& a, const std::string& b) {
    return IdentityOf(a) == IdentityOf(b);
}

std::string SameFileProblem(const std::vector<std::pair<std::string, std::string>>& paths) {
    std::vector<FileIdentity> identities;
    identities.reserve(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        identities.push_back(IdentityOf(paths[i].second));
        for (size_t j = 0; j < i; ++j)
            if (identities[j] == identities[i])
                return paths[j].first + " and " + paths[i].first + " name the same file \"" +
                       paths[i].second + "\"";
    }
    return {};
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

TextFileReader::TextFileReader(const std::string& path) : path_(path) {
    OpenForReading(in_, path_);
    Fill();
    RefuseUtf16(buffer_);
}

TextFileReader::~TextFileReader() = default;

// Appends the next piece of the file; false at its end.
bool TextFileReader::Fill() {
    if (end_)
        return false;
    constexpr size_t kPiece = 1 << 16;
    if (pos_ > 0) {
        buffer_.erase(0, pos_);
        pos_ = 0;
    }
    const size_t had = buffer_.size();
    buffer_.resize(had + kPiece);
    ssize_t n;
    do
        n = ::read(in_.fd, buffer_.data() + had, kPiece);
    while (n < 0 && errno == EINTR);
    if (n < 0)
        throw Error("Cannot read file \"" + path_ + "\". " + LastErrorText(errno));
    buffer_.resize(had + static_cast<size_t>(n));
    end_ = n == 0;
    return n > 0;
}

bool TextFileReader::Next(std::string_view& line) {
    // The rest of a line handed on cut.
    while (skipping_) {
        const size_t end = FindLineEnd(buffer_, pos_);
        if (end == std::string::npos) {
            pos_ = buffer_.size();
            if (!Fill())
                skipping_ = false;
            continue;
        }
        if (buffer_[end] == '\r' && end + 1 == buffer_.size() && Fill())
            continue; // a CR at the end of the piece: an LF may follow
        pos_ = end + (buffer_[end] == '\r' && end + 1 < buffer_.size() && buffer_[end + 1] == '\n' ? 2 : 1);
        skipping_ = false;
    }
    cut_ = false;
    for (;;) {
        const size_t end = FindLineEnd(buffer_, pos_);
        const bool crAtEnd = end != std::string::npos && buffer_[end] == '\r' && end + 1 == buffer_.size();
        if (end != std::string::npos && !(crAtEnd && !end_)) {
            // A line just over the limit may end within the piece that crossed it.
            cut_ = end - pos_ > kMaxLineBytes;
            line = std::string_view(buffer_).substr(pos_, std::min(end - pos_, kMaxLineBytes));
            pos_ =
                end + (buffer_[end] == '\r' && end + 1 < buffer_.size() && buffer_[end + 1] == '\n' ? 2 : 1);
            break;
        }
        if (end == std::string::npos && buffer_.size() - pos_ > kMaxLineBytes) {
            line = std::string_view(buffer_).substr(pos_, kMaxLineBytes);
            pos_ += kMaxLineBytes;
            cut_ = skipping_ = true;
            break;
        }
        if (!Fill()) {
            if (end_ && crAtEnd)
                continue; // the file ends with that CR
            if (pos_ >= buffer_.size())
                return false;
            line = std::string_view(buffer_).substr(pos_);
            pos_ = buffer_.size();
            break;
        }
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
