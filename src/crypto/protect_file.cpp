#include "crypto/protect_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "base/text_util.h"
#include "crypto/password_encoding.h"
#include "files/durable_file.h"
#include "files/folder_tree.h"
#include "files/keep_aside.h"
#include "files/paths.h"
#include "files/whole_file.h"
#include "platform/system_sleeper.h"
#include "text/message_table.h"
#include "text/messages.h"
#include "ui_ports/message_box.h"

namespace tidewell {

namespace {

constexpr std::string_view kBackupSuffix = ".bak";

std::string AbsolutePath(const std::string& path) {
    std::error_code ec;
    const auto abs = std::filesystem::absolute(path, ec);
    return ec ? path : abs.lexically_normal().string();
}

std::size_t CharacterCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// "<path>.bak", "<path>.bak.bak", ...
std::string BackupName(const std::string& path, int number) {
    std::string name = path;
    for (int i = 0; i < number; ++i) {
        name += kBackupSuffix;
    }
    return name;
}

// A path that names a file whose folders exist or can be created here.
bool IsValidDestinationPath(const std::string& path) {
    if (path.empty() || path.back() == '/') {
        return false;
    }
    const std::string name = std::filesystem::path(AbsolutePath(path)).filename().string();
    return !name.empty() && name != "." && name != ".." && CanBeCreated(path, true);
}

// One ProtectFile operation: its checks, the work in one direction and the collected messages.
class ProtectJob {
public:
    ProtectJob(const std::string& source, const std::string& destination, std::string_view key, bool encrypt,
               const ProtectFileOptions& options)
        : m_source(source), m_destination(destination), m_key(key), m_encrypt(encrypt), m_options(options) {}

    Result Run();

private:
    void Add(MessageId id, std::string_view p1 = {}, std::string_view p2 = {});
    bool CheckSource();
    bool CheckExistingDestination();
    bool RunChecks();
    bool ReadSource(std::string& bytes);
    bool DecideOverwrite();
    Result Work(const std::string& input, std::string& output);
    bool Place(const std::string& output);
    Result Finish(ErrorKind kind);

    std::string m_source;
    std::string m_destination;
    std::string m_key;
    bool m_encrypt;
    const ProtectFileOptions& m_options;
    std::string m_messages;
};

void ProtectJob::Add(MessageId id, std::string_view p1, std::string_view p2) {
    std::string text = LoadMessage(id);
    text = ReplaceAll(std::move(text), "#1", p1);
    text = ReplaceAll(std::move(text), "#2", p2);
    m_messages += text;
    m_messages += kMessageLineEnd;
}

bool ProtectJob::CheckSource() {
    struct stat st {};
    if (stat(m_source.c_str(), &st) != 0) {
        Add(errno == ENOENT || errno == ENOTDIR ? IDS_ERROR_FILE_SOURCE_FILE_NOT_EXIST
                                                : IDS_ERROR_FILE_CAN_NOT_ACCESS_FILE_CHECK_FL,
            m_source);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        Add(IDS_ERROR_FILE_PATH_IS_A_DIRECTORY_NOT_A_FILE, m_source);
        return false;
    }
    // Only regular files: a pipe or device would never end or block the program.
    if (!S_ISREG(st.st_mode) || access(m_source.c_str(), R_OK) != 0) {
        Add(IDS_ERROR_FILE_CAN_NOT_ACCESS_FILE_CHECK_FL, m_source);
        return false;
    }
    return true;
}

bool ProtectJob::CheckExistingDestination() {
    struct stat st {};
    if (lstat(m_destination.c_str(), &st) != 0) {
        return true;
    }
    if (stat(m_destination.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            Add(IDS_ERROR_FILE_PATH_IS_DIRECTORY_CHOOSE_ANOTHER_FILE_NAME, m_destination);
            return false;
        }
        // A read-only file of our own is replaced like any other; a file we cannot write for
        // other reasons, or no plain file, stays.
        const bool writable = access(m_destination.c_str(), W_OK) == 0;
        if (!S_ISREG(st.st_mode) || (!writable && st.st_uid != geteuid())) {
            Add(IDS_ERROR_FILE_DESTINATION_FILE_LOCKED_CAN_NOT_OVERWRITE, m_destination);
            return false;
        }
    }
    if (!m_options.allowOverwrite) {
        Add(IDS_ERROR_FILE_TARGET_FILE_EXIST_CHOOSE_ANOTHER_NAME, m_destination);
        return false;
    }
    return true;
}

bool ProtectJob::RunChecks() {
    bool ok = CheckSource();
    const bool destinationValid = IsValidDestinationPath(m_destination);
    if (!destinationValid) {
        Add(IDS_ERROR_FILE_DESTINATION_NOT_A_VALID_PATH, m_destination);
        ok = false;
    }
    const std::size_t keyLength = CharacterCount(m_key);
    if (keyLength < kContainerMinKeyLength || keyLength > kContainerMaxKeyLength) {
        Add(IDS_ERROR_SECURITY_PASSWORD_SHOULD_BE_A_TO_B_CHARACTERS_LONG,
            std::to_string(kContainerMinKeyLength), std::to_string(kContainerMaxKeyLength));
        ok = false;
    }
    // Names that differ only in case count as the same; so do two names of one file.
    struct stat a {};
    struct stat b {};
    const bool sameFile = stat(m_source.c_str(), &a) == 0 && stat(m_destination.c_str(), &b) == 0 &&
                          a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    if (sameFile || AsciiLower(AbsolutePath(m_source)) == AsciiLower(AbsolutePath(m_destination))) {
        Add(IDS_ERROR_FILE_DESTINATION_FILE_CAN_NOT_SAME_AS_SOURCE_CHOOSE_ANOTHER_NAME);
        return false;
    }
    if (destinationValid && !CheckExistingDestination()) {
        ok = false;
    }
    return ok;
}

bool ProtectJob::ReadSource(std::string& bytes) {
    // A container never holds more than the length fields describe, nor a source more.
    const std::size_t limit =
        kContainerContentOffset + kContainerMaxSourceLength + kContainerMaxTrailingBytes;
    const Result read = ReadWholeFile(m_source, bytes, limit);
    if (read.kind() == ErrorKind::notFound) Add(IDS_ERROR_FILE_FILE_NOT_FOUND, m_source);
    if (read.kind() == ErrorKind::invalid) Add(IDS_ERROR_MEMORY_INSUFFICIENT_MEMORY_PLEASE_QUIT_APPLICATIONS);
    if (read.kind() == ErrorKind::io) Add(IDS_ERROR_FILE_CAN_NOT_ACCESS_FILE_CHECK_FL, m_source);
    return read.ok();
}

bool ProtectJob::DecideOverwrite() {
    struct stat st {};
    if (lstat(m_destination.c_str(), &st) != 0) {
        return true;
    }
    switch (m_options.overwriteMode) {
        case OverwriteMode::Overwrite: return true;
        case OverwriteMode::Ask:
            if (m_options.messageBox != nullptr) {
                const std::string text = ReplaceAll(
                    LoadMessage(IDS_MESSAGE_FILE_TARGET_FILE_EXISTS_PROMPT_OVERWRITE), "#1", m_destination);
                // No ends the operation without a further message.
                return m_options.messageBox->ShowMessageBox(text, LoadMessage(IDS_KLN_TIDEWELL),
                                                            MB_YESNO | MB_ICONQUESTION) == IDYES;
            }
            break;
        case OverwriteMode::Report: break;
    }
    Add(IDS_MESSAGE_FILE_TARGET_FILE_EXISTS, m_destination);
    return false;
}

Result ProtectJob::Work(const std::string& input, std::string& output) {
    if (!m_encrypt) {
        Result opened = OpenContainer(input, m_key, output, m_options.progress);
        if (opened.kind() == ErrorKind::wrongPassword) {
            // The key came from the caller's user: the guess costs its wait here.
            SystemSleeper systemSleeper;
            (m_options.sleeper != nullptr ? *m_options.sleeper : systemSleeper).Sleep(kWrongKeyDelay);
        }
        return opened;
    }
    struct stat st {};
    if (stat(m_source.c_str(), &st) != 0) {
        st = {};
    }
    return SealContainer(input, m_key, DescribeSourceFile(st, AbsolutePath(m_source)), output,
                         m_options.progress);
}

// Creates the missing folders, keeps an existing destination as a backup and replaces it.
bool ProtectJob::Place(const std::string& output) {
    const std::string destination = AbsolutePath(m_destination);
    CreatedFolders folders;
    if (!folders.Create(FolderOf(destination)).ok()) {
        Add(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, m_destination);
        return false;
    }
    std::string backup;
    struct stat st {};
    if (m_options.keepBackup && lstat(destination.c_str(), &st) == 0 &&
        !KeepAside(destination, backup, BackupName).ok()) {
        Add(IDS_ERROR_FILE_CAN_NOT_DELETE_FILE_CHECK_DISK_PROTECTION, m_destination);
        return false;
    }
    if (!WriteFileDurably(destination, output).ok()) {
        Add(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, m_destination);
        return false;
    }
    folders.Keep();
    if (!backup.empty() && !m_options.quiet && m_options.messageBox != nullptr) {
        const std::string text =
            ReplaceAll(LoadMessage(IDS_MESSAGE_FILE_ORIGINAL_FILE_SAVED_AS), "#1", backup);
        m_options.messageBox->ShowMessageBox(text, LoadMessage(IDS_KLN_TIDEWELL), MB_OK | MB_ICONINFORMATION);
    }
    return true;
}

Result ProtectJob::Finish(ErrorKind kind) {
    if (kind == ErrorKind::none) {
        return Result::Ok();
    }
    if (!m_options.quiet && m_options.messageBox != nullptr && !m_messages.empty()) {
        m_options.messageBox->ShowMessageBox(m_messages, LoadMessage(IDS_KLN_ERROR),
                                             MB_OK | MB_ICONEXCLAMATION);
    }
    return Result::Fail(kind, m_messages);
}

Result ProtectJob::Run() {
    if (!RunChecks()) {
        return Finish(ErrorKind::invalid);
    }
    std::string input;
    if (!ReadSource(input)) {
        return Finish(ErrorKind::io);
    }
    if (!DecideOverwrite()) {
        return Finish(ErrorKind::cancelled);
    }
    std::string output;
    if (Result worked = Work(input, output); !worked.ok()) {
        m_messages += worked.message();
        m_messages += kMessageLineEnd;
        return Finish(worked.kind());
    }
    return Finish(Place(output) ? ErrorKind::none : ErrorKind::io);
}

}  // namespace

Result ProtectFile(const std::string& source, const std::string& destination, std::string_view key,
                   bool encrypt, const ProtectFileOptions& options) {
    return ProtectJob(source, destination, key, encrypt, options).Run();
}

}  // namespace tidewell
