#pragma once

// Reading and writing whole files. Every writer of the program goes through WriteFileAtomically
// (or FileReplacement, which it uses): a failed write never damages the file it was meant to replace.

#include "core/infra/LargeMemory.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tovel {

// Replaces the file with the contents as FileReplacement does (a temporary file of its own, renamed
// over the target once flushed; links followed, permission bits kept). On failure the old file is
// untouched and Error "Unable to write to <path>..." is thrown, with the reason.
void WriteFileAtomically(const std::string& path, std::string_view contents);

// Closes a file descriptor on every path out.
struct FdGuard {
    int fd = -1;
    FdGuard() = default;
    explicit FdGuard(int descriptor) : fd(descriptor) {}
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    ~FdGuard();
};

// Reads an open file to its end, handing each chunk to `sink`. Returns 0 at the end, the errno
// of a read that failed, or the first non-zero value `sink` returned.
int ReadChunks(int fd, const std::function<int(std::string_view chunk)>& sink);

class FileReplacement;

// The same replacement for contents written in pieces, so that a large file never has to sit
// whole in memory. The constructor creates the temporary file, Commit puts it in place; each
// step throws the Error WriteFileAtomically would. Without Commit the target stays untouched.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void Write(std::string_view bytes);
    void Commit();

private:
    void Check(int error) const;

    std::string path_;
    std::unique_ptr<FileReplacement> file_;
};

// The whole file as bytes; Error when it cannot be opened or read, or is not a regular file
// ("<path> is not a regular file").
std::string ReadWholeFile(const std::string& path);

// What every text reader says of a file that starts with a UTF-16 byte-order mark.
inline constexpr const char* kUtf16NotSupported = "UTF-16 is not supported; save the file as UTF-8";
// Error kUtf16NotSupported when the bytes start with a UTF-16 byte-order mark (FF FE or FE FF).
void RefuseUtf16(std::string_view bytes);
// ReadWholeFile for the program's text files: RefuseUtf16 on the bytes.
std::string ReadTextFile(const std::string& path);

bool FileExists(const std::string& path);
// Whether anything is there under that name: a file, a folder, a FIFO, ...
bool PathExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Whether two paths name the same file: the same device and inode when it exists (links, "..",
// hard links and other spellings included); for a file not there yet, the same name in the same
// folder.
bool SameFile(const std::string& a, const std::string& b);
// The message of the first two paths of a command line that name the same file, each given as
// its option and path ({"--out", "x.dec"}), or "" when all differ:
// `--out and --record name the same file "x.dec"`.
std::string SameFileProblem(const std::vector<std::pair<std::string, std::string>>& paths);
// Creates the folder and its parents; Error on failure.
void EnsureDirectory(const std::string& path);

// The lines of a text, each ended by CR LF, LF or a lone CR. A last line without an end is a line; a text
// that ends with a line end has no extra empty line after it.
TBigVector<std::string_view> SplitLines(std::string_view text);

// Position of the first CR or LF at or after `pos`, or npos.
size_t FindLineEnd(std::string_view text, size_t pos);

// Sequential line reader over a byte range: CR LF, LF and a lone CR each end a line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    // The next line without its end; false at the end of the text.
    bool Next(std::string_view& line);
    // 1-based number of the line Next returned last.
    int LineNumber() const { return lineNumber_; }

private:
    std::string_view text_;
    size_t pos_ = 0;
    int lineNumber_ = 0;
};

// The longest line TextFileReader hands on whole.
inline constexpr size_t kMaxLineBytes = size_t{1} << 20;

// Reads a text file line by line in pieces, so that memory stays bounded (about kMaxLineBytes)
// whatever the file's size and line lengths. Lines end as LineReader ends them. A longer line is
// handed on cut after kMaxLineBytes, and LineCut says so. The file is refused as ReadTextFile
// refuses it (not a regular file, a UTF-16 byte-order mark).
class TextFileReader {
public:
    explicit TextFileReader(const std::string& path);
    ~TextFileReader();
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    // The next line without its end, valid until the next call; false at the end.
    bool Next(std::string_view& line);
    int LineNumber() const { return lineNumber_; }
    bool LineCut() const { return cut_; }

private:
    bool Fill();

    std::string path_;
    FdGuard in_;
    std::string buffer_;
    size_t pos_ = 0;
    bool end_ = false;      // the whole file is in buffer_
    bool skipping_ = false; // the rest of a cut line is still to be passed over
    bool cut_ = false;
    int lineNumber_ = 0;
};

// A read-only view of a whole file, memory-mapped. The bytes stay valid while the object lives,
// even if the file is replaced by rename meanwhile.
class MappedFile {
public:
    // Error when the file cannot be opened or is not a regular file, as ReadWholeFile.
    static std::shared_ptr<const MappedFile> Open(const std::string& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::string_view Bytes() const { return {data_, size_}; }

private:
    MappedFile() = default;
    const char* data_ = nullptr;
    size_t size_ = 0;
    bool mapped_ = false;
};

// The text of errno for messages: the platform's own wording.
std::string LastErrorText(int errorNumber);

} // namespace tovel
