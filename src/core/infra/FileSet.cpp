#include "core/infra/FileSet.h"

#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/FileReplacement.h"
#include "core/infra/Process.h"

#include <cerrno>
#include <unistd.h>

namespace tovel {

struct FileSet::Member {
    std::string path;
    std::unique_ptr<FileReplacement> file;
    std::string backup; // a second name of the old target while the set is put in place
    bool hadTarget = false;
};

namespace {

[[noreturn]] void Throw(const std::string& path, const std::string& step, int error) {
    throw Error("Unable to write to " + path + (step.empty() ? "" : ": " + step) + " (" +
                LastErrorText(error) + ")");
}

} // namespace

FileSet::FileSet() = default;

FileSet::~FileSet() {
    for (Member& member : members_)
        if (!member.backup.empty()) {
            ::unlink(member.backup.c_str());
            ForgetTemporaryFile(member.backup);
        }
}

void FileSet::Add(const std::string& path, std::string_view contents) {
    for (const Member& member : members_)
        if (SameFile(member.path, path))
            throw Error("Unable to write to " + path + ": it is written already as " + member.path);
    Member member{path, std::make_unique<FileReplacement>(path), {}, false};
    if (const int error = member.file->Open(); error != 0)
        Throw(path, member.file->FailedStep(), error);
    if (const int error = member.file->Write(contents); error != 0)
        Throw(path, member.file->FailedStep(), error);
    members_.push_back(std::move(member));
}

void FileSet::Commit() {
    for (Member& member : members_)
        if (const int error = member.file->Flush(); error != 0)
            Throw(member.path, member.file->FailedStep(), error);

    const TerminationHold hold;
    // The old files keep a second name until every new one is in place, so that a failure
    // half-way can put them back.
    for (Member& member : members_) {
        const std::string& target = member.file->Target();
        member.hadTarget = FileExists(target);
        if (!member.hadTarget)
            continue;
        std::string backup;
        for (int attempt = 0; backup.empty(); ++attempt) {
            backup = TemporaryFileName(target);
            if (::link(target.c_str(), backup.c_str()) == 0)
                break;
            const int error = errno;
            backup.clear();
            if (error != EEXIST || attempt == 100)
                Throw(member.path, "keeping the old file failed", error);
        }
        member.backup = backup;
        RegisterTemporaryFile(member.backup);
    }
    for (size_t i = 0; i < members_.size(); ++i)
        if (const int error = members_[i].file->Rename(); error != 0) {
            Undo(i);
            Throw(members_[i].path, members_[i].file->FailedStep(), error);
        }
    for (Member& member : members_) {
        if (!member.backup.empty()) {
            ::unlink(member.backup.c_str());
            ForgetTemporaryFile(member.backup);
            member.backup.clear();
        }
    }
    for (size_t i = 0; i < members_.size(); ++i)
        if (const int error = members_[i].file->SyncFolder(); error != 0)
            Throw(members_[i].path, members_[i].file->FailedStep(), error);
}

void FileSet::Undo(size_t replaced) {
    for (size_t i = 0; i < replaced; ++i) {
        Member& member = members_[i];
        const std::string& target = member.file->Target();
        if (member.backup.empty()) {
            ::unlink(target.c_str());
        } else if (::rename(member.backup.c_str(), target.c_str()) == 0) {
            ForgetTemporaryFile(member.backup);
            member.backup.clear();
        }
    }
}

} // namespace tovel
