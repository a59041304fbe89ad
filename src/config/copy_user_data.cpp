#include "config/copy_user_data.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

#include "base/text_util.h"
#include "files/durable_file.h"
#include "files/folder_tree.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {

namespace {

namespace fs = std::filesystem;

Result IoFailure(MessageId id, const fs::path& path) {
    return Result::Fail(ErrorKind::io, FileMessage(id, path.string()));
}

Result Canceled() {
    return Result::Fail(ErrorKind::cancelled, LoadMessage(IDS_MESSAGE_PROMPT_OPERATION_CANCELED_BY_USER));
}

Result SameAsSource() {
    return Result::Fail(
        ErrorKind::invalid,
        LoadMessage(IDS_ERROR_FILE_DESTINATION_FILE_CAN_NOT_SAME_AS_SOURCE_CHOOSE_ANOTHER_NAME));
}

bool IsWithin(const fs::path& path, const fs::path& folder) {
    const auto mismatch = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return mismatch.first == folder.end();
}

// One copy or move: every file is staged beside its target first, and only when all are staged
// are they put in place; a move removes the sources only after that.
class CopyJob {
public:
    CopyJob(fs::path from, fs::path to, CopyMode mode, const CopyProgressCallback& progress,
            std::string_view leaveOut)
        : m_from(std::move(from)),
          m_to(std::move(to)),
          m_mode(mode),
          m_progress(progress),
          m_leaveOut(leaveOut) {}

    Result Run();

private:
    Result Check();
    Result Scan();
    Result Stage(const TreeEntry& entry);
    Result StageFile(const TreeEntry& entry, StagedFile& staged);
    Result Commit();
    Result RemoveSource();
    bool Tell(const std::string& file);

    const fs::path m_from;
    const fs::path m_to;
    const CopyMode m_mode;
    const CopyProgressCallback& m_progress;
    const fs::path m_leaveOut;
    std::vector<TreeEntry> m_entries;
    CreatedFolders m_folders;  // before the staged files, which must go first
    std::vector<StagedFile> m_staged;
    CopyProgress m_state;
};

Result CopyJob::Run() {
    if (Result checked = Check(); !checked.ok()) {
        return checked;
    }
    if (Result scanned = Scan(); !scanned.ok()) {
        return scanned;
    }
    Result staged = m_folders.Create(m_to.string());
    for (std::size_t i = 0; staged.ok() && i < m_entries.size(); ++i) {
        staged = Stage(m_entries[i]);
    }
    if (!staged.ok()) {
        return staged;  // the staged files go, then the folders made for them
    }
    m_folders.Keep();
    if (Result committed = Commit(); !committed.ok()) {
        return committed;
    }
    return m_mode == CopyMode::Move ? RemoveSource() : Result::Ok();
}

Result CopyJob::Check() {
    std::error_code error;
    if (!fs::is_directory(m_from, error)) {
        return Result::Fail(ErrorKind::notFound,
                            FileMessage(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY, m_from.string()));
    }
    const fs::path from = fs::weakly_canonical(m_from, error);
    const fs::path to = error ? fs::path() : fs::weakly_canonical(m_to, error);
    // Copying a folder into itself never ends; the target cannot lie inside the source.
    return error || IsWithin(to, from) ? SameAsSource() : Result::Ok();
}

Result CopyJob::Scan() {
    if (Result listed = ListTree(m_from, m_entries); !listed.ok()) {
        return listed;
    }
    if (!m_leaveOut.empty()) {
        std::erase_if(m_entries, [this](const TreeEntry& entry) { return entry.relative == m_leaveOut; });
    }
    for (const TreeEntry& entry : m_entries) {
        m_state.bytesTotal += entry.size;
        m_state.filesTotal += entry.type == fs::file_type::directory ? 0 : 1;
    }
    // The source inside the target: a target must not land on a source entry.
    std::error_code error;
    const fs::path from = fs::weakly_canonical(m_from, error);
    const fs::path to = fs::weakly_canonical(m_to, error);
    if (!error && IsWithin(from, to)) {
        const fs::path inside = from.lexically_relative(to);
        for (const TreeEntry& entry : m_entries) {
            if (IsWithin(entry.relative, inside)) {
                return SameAsSource();
            }
        }
    }
    return Result::Ok();
}

bool CopyJob::Tell(const std::string& file) {
    m_state.file = file;
    return !m_progress || m_progress(m_state);
}

Result CopyJob::Stage(const TreeEntry& entry) {
    const fs::path target = m_to / entry.relative;
    if (entry.type == fs::file_type::directory) {
        return m_folders.Create(target.string());
    }
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        // A folder where the file goes cannot be replaced by it.
        return IoFailure(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, target);
    }
    StagedFile staged;
    if (entry.type == fs::file_type::regular) {
        if (Result copied = StageFile(entry, staged); !copied.ok()) {
            return copied;
        }
    } else {
        std::error_code error;
        const fs::path link = fs::read_symlink(m_from / entry.relative, error);
        if (error) {
            return IoFailure(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, m_from / entry.relative);
        }
        if (!staged.OpenLink(target.string(), link.string()).ok()) {
            return IoFailure(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, target);
        }
    }
    m_staged.push_back(std::move(staged));
    ++m_state.filesDone;
    return Tell(entry.relative.string()) ? Result::Ok() : Canceled();
}

Result CopyJob::StageFile(const TreeEntry& entry, StagedFile& staged) {
    const fs::path source = m_from / entry.relative;
    const fs::path target = m_to / entry.relative;
    if (!staged.Open(target.string()).ok()) {
        return IoFailure(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, target);
    }
    const std::string name = entry.relative.string();
    switch (CopyFileInto(source.string(), staged, [&](std::size_t bytes) {
        m_state.bytesDone += bytes;
        return Tell(name);
    })) {
        case FileCopy::Done: return Result::Ok();
        case FileCopy::ReadFailed: return IoFailure(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, source);
        case FileCopy::WriteFailed:
            return IoFailure(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, target);
        case FileCopy::Stopped: break;
    }
    return Canceled();
}

// Puts every staged file in place; what is in place stays when one fails, the rest is dropped
// and the source is kept.
Result CopyJob::Commit() {
    for (StagedFile& staged : m_staged) {
        if (!staged.Commit().ok()) {
            return IoFailure(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, staged.Target());
        }
    }
    m_staged.clear();
    return Result::Ok();
}

// Every copy is in place and synced; only now do the originals go.
Result CopyJob::RemoveSource() {
    Result result = Result::Ok();
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        const fs::path source = m_from / it->relative;
        if (::remove(source.c_str()) != 0 && result.ok()) {
            result = IoFailure(IDS_ERROR_FILE_CAN_NOT_DELETE_FILE_CHECK_DISK_PROTECTION, source);
        }
    }
    if (result.ok() && !SyncFolder(m_from.string())) {
        result = IoFailure(IDS_ERROR_FILE_CAN_NOT_DELETE_FILE_CHECK_DISK_PROTECTION, m_from);
    }
    return result;
}

}  // namespace

Result CopyUserData(const std::string& from, const std::string& to, CopyMode mode,
                    const CopyProgressCallback& progress, std::string_view leaveOut) {
    return CopyJob(fs::path(from).lexically_normal(), fs::path(to).lexically_normal(), mode, progress,
                   leaveOut)
        .Run();
}

std::string KeptListName(const std::string& path, int number) {
    std::string name = path + std::string(kKeptListSuffix);
    return number > 1 ? name + "-" + std::to_string(number) : name;
}

std::string FreeKeptListName(const std::string& path) {
    for (int number = 1;; ++number) {
        std::string name = KeptListName(path, number);
        struct stat existing {};
        if (::lstat(name.c_str(), &existing) != 0) return name;
    }
}

}  // namespace tidewell
