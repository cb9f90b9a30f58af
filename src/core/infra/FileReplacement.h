#pragma once

// Replacing a file so that no reader, crash or second writer ever sees it half written.

#include <ctime>
#include <string>
#include <string_view>
#include <utility>

namespace tovel {

// A file being replaced. The new contents go to a temporary file of this writer's own, created
// exclusively under a unique name beside the target; Commit flushes it, renames it over the target
// and syncs the folder, so the target is always either the old or the new version, and the last
// of several writers at once wins. A symbolic link is written through to the file it names, the
// target's permission bits (and, where allowed, its owner) are kept, and a target the user may not
// write is refused. The temporary file is removed on every path that does not reach the rename.
//
// Each step returns 0 or the errno of its failure; FailedStep names the step for messages.
class FileReplacement {
public:
    explicit FileReplacement(std::string path) : path_(std::move(path)) {}
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Checks the target and creates the temporary file.
    int Open();
    int Write(std::string_view bytes);
    // Flush, Rename and SyncFolder in one.
    int Commit();

    // The steps of Commit, for a set of files that are all flushed before any is renamed.
    // Flush writes the temporary file to the disk and closes it; Rename puts it over the target.
    int Flush();
    int Rename();
    int SyncFolder();

    // "write failed", "rename failed", ...; empty when Open failed on the target itself.
    const std::string& FailedStep() const { return step_; }
    // The file replaced, symbolic links followed (known once Open succeeded).
    const std::string& Target() const { return target_; }

private:
    int Fail(const char* step, int error);

    std::string path_;
    std::string target_; // path_ with symbolic links followed
    std::string temp_;
    std::string step_;
    int fd_ = -1;
};

// A name for a temporary file beside `path` that no other writer uses at the same time; it has
// the form IsTemporaryFileName recognises. Create it exclusively: a clash only costs another try.
std::string TemporaryFileName(const std::string& path);
// Whether a file name (without its folder) is one TemporaryFileName makes:
// "<name>.<process>-<counter>-<hex>.tmp~".
bool IsTemporaryFileName(std::string_view name);

// The temporary files this process has open at the moment, so that a terminating signal can remove
// them. Register copies the name (false when the table is full: the file then only loses that
// protection); Forget takes it out again.
bool RegisterTemporaryFile(const std::string& path);
void ForgetTemporaryFile(const std::string& path);
// Removes every registered file. Safe in a signal handler.
void RemoveRegisteredTemporaryFiles() noexcept;

// Removes this user's temporary files (IsTemporaryFileName) last changed more than `maxAge`
// seconds before `now` from a folder and its subfolders, `depth` levels down; symbolic links are
// not followed and nothing else is touched. Returns how many were removed.
int RemoveStaleTemporaryFiles(const std::string& folder, std::time_t now, std::time_t maxAge, int depth = 3);

} // namespace tovel
