#pragma once

// The files one command writes, replaced as one set: none is put in place before all of them are
// complete, and a failure leaves every target as it was.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

class FileReplacement;

class FileSet {
public:
    FileSet();
    ~FileSet();
    FileSet(const FileSet&) = delete;
    FileSet& operator=(const FileSet&) = delete;

    // Writes one member to its temporary file beside `path` (see FileReplacement). Error as
    // WriteFileAtomically gives, or when `path` is a file the set already writes.
    void Add(const std::string& path, std::string_view contents);

    // Flushes every member, then renames each over its target. When a step fails, the targets
    // already replaced get their old files back (or are removed when there was none) and the
    // Error names the file. A terminating signal waits until the renames are done or undone.
    // Without Commit no target is touched.
    void Commit();

private:
    struct Member;
    void Undo(size_t replaced);

    std::vector<Member> members_;
};

} // namespace tovel
