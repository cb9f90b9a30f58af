#pragma once

// Replacing a file so that no reader, crash or second writer ever sees it half written.

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
    int Commit();

    // The temporary file's descriptor while it is open, else -1.
    int Descriptor() const { return fd_; }
    // "write failed", "rename failed", ...; empty when Open failed on the target itself.
    const std::string& FailedStep() const { return step_; }

private:
    int Fail(const char* step, int error);

    std::string path_;
    std::string target_; // path_ with symbolic links followed
    std::string temp_;
    std::string step_;
    int fd_ = -1;
};

} // namespace tovel
