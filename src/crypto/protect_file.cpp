#include "crypto/protect_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <optional>
#include <thread>
#include <vector>

#include "crypto/protect_file_format.h"
#include "crypto/protect_file_writer.h"
#include "text/message_box.h"
#include "text/message_table.h"
#include "text/messages.h"
#include "text/text_util.h"

namespace tidewell {

void SystemSleeper::Sleep(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

namespace {

constexpr std::string_view kLineFormatEnd = "\r\n";

std::string AbsolutePath(const std::string& path) {
    std::error_code ec;
    const auto abs = std::filesystem::absolute(path, ec);
    return ec ? path : abs.lexically_normal().string();
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

std::size_t CharacterCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A file path whose folders exist or can be created here: the nearest existing ancestor is a
// folder we may write into.
bool IsValidDestinationPath(const std::string& path) {
    if (path.empty() || path.back() == '/' || path.find('\0') != std::string::npos ||
        path.size() >= PATH_MAX) {
        return false;
    }
    const std::filesystem::path abs(AbsolutePath(path));
    const std::string name = abs.filename().string();
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    for (const auto& part : abs) {
        if (part.string().size() > NAME_MAX) {
            return false;
        }
    }
    std::filesystem::path folder = abs.parent_path();
    struct stat st {};
    while (stat(folder.c_str(), &st) != 0) {
        if (errno != ENOENT || folder == folder.parent_path()) {
            return false;
        }
        folder = folder.parent_path();
    }
    return S_ISDIR(st.st_mode) && access(folder.c_str(), W_OK | X_OK) == 0;
}

// Creates the missing folders above the file and remembers them, so a failure can take them back.
class CreatedFolders {
public:
    bool CreateFor(const std::string& file) {
        std::vector<std::filesystem::path> missing;
        std::filesystem::path folder = std::filesystem::path(file).parent_path();
        struct stat st {};
        while (!folder.empty() && stat(folder.c_str(), &st) != 0 && folder != folder.parent_path()) {
            missing.push_back(folder);
            folder = folder.parent_path();
        }
        for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
            if (mkdir(it->c_str(), 0777) != 0 && errno != EEXIST) {
                return false;
            }
            m_created.push_back(*it);
        }
        return true;
    }
    void Keep() { m_created.clear(); }
    ~CreatedFolders() {
        for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) {
            rmdir(it->c_str());
        }
    }

private:
    std::vector<std::filesystem::path> m_created;
};

// Reads up to size bytes; fewer only at the end of the file. -1 on a read error.
ssize_t ReadFully(int fd, std::uint8_t* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = read(fd, buffer + done, size - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

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
    bool DecideOverwrite();
    bool Encrypt(int sourceFd, const struct stat& st, StagedOutputFile& out);
    bool Decrypt(int sourceFd, const struct stat& st, StagedOutputFile& out);
    bool ReadRecord(int sourceFd, const ContainerHeader& header);
    bool DecryptContent(int sourceFd, const ContainerHeader& header, StagedOutputFile& out);
    bool ReportChunk(std::uint64_t done, std::uint64_t total);
    bool Commit(StagedOutputFile& out);
    Result Finish(bool ok);

    std::string m_source;
    std::string m_destination;
    std::string m_key;
    bool m_encrypt;
    const ProtectFileOptions& m_options;
    std::optional<Rc5> m_cipher;
    std::string m_messages;
};

void ProtectJob::Add(MessageId id, std::string_view p1, std::string_view p2) {
    std::string text = LoadMessage(id);
    text = ReplaceAll(std::move(text), "#1", p1);
    text = ReplaceAll(std::move(text), "#2", p2);
    m_messages += text;
    m_messages += kLineFormatEnd;
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
    const FileDescriptor fd(open(m_source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0 || !S_ISREG(st.st_mode)) {
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
        // A read-only file of our own is replaced like any other (the read-only attribute is
        // cleared); a file we cannot write for other reasons, or no plain file, stays.
        const FileDescriptor fd(open(m_destination.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
        const bool readOnlyOwn = fd.get() < 0 && errno == EACCES && st.st_uid == geteuid();
        if (!S_ISREG(st.st_mode) || (fd.get() < 0 && !readOnlyOwn)) {
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
    if (sameFile || SameTextIgnoringCase(AbsolutePath(m_source), AbsolutePath(m_destination))) {
        Add(IDS_ERROR_FILE_DESTINATION_FILE_CAN_NOT_SAME_AS_SOURCE_CHOOSE_ANOTHER_NAME);
        return false;
    }
    if (destinationValid && !CheckExistingDestination()) {
        ok = false;
    }
    return ok;
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

bool ProtectJob::ReportChunk(std::uint64_t done, std::uint64_t total) {
    if (m_options.progress != nullptr && !m_options.progress->OnChunk(done, total)) {
        Add(IDS_MESSAGE_SECURITY_ENCRYPTION_CANCELED_BY_USER);
        return false;
    }
    return true;
}

bool ProtectJob::Encrypt(int sourceFd, const struct stat& st, StagedOutputFile& out) {
    const auto total = static_cast<std::uint64_t>(st.st_size);
    if (total > kContainerMaxSourceLength) {
        // The length fields cannot describe it.
        Add(IDS_ERROR_MEMORY_INSUFFICIENT_MEMORY_PLEASE_QUIT_APPLICATIONS);
        return false;
    }
    const ContainerHeaderBytes header = BuildContainerHeader(*m_cipher, static_cast<std::uint32_t>(total));
    ContainerRecordBytes record = EncodeFileRecord(DescribeSourceFile(st, AbsolutePath(m_source)));
    m_cipher->EncryptBlocks(record);
    if (!out.Write(header) || !out.Write(record)) {
        Add(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, m_destination);
        return false;
    }
    std::array<std::uint8_t, kContainerChunkSize> chunk{};
    std::uint64_t done = 0;
    while (done < total) {
        const auto want =
            static_cast<std::size_t>(std::min<std::uint64_t>(kContainerChunkSize, total - done));
        if (ReadFully(sourceFd, chunk.data(), want) != static_cast<ssize_t>(want)) {
            Add(IDS_ERROR_FILE_CAN_NOT_ACCESS_FILE_CHECK_FL, m_source);  // read error, or the file shrank
            return false;
        }
        const auto padded = static_cast<std::size_t>(PaddedContentLength(want));
        std::fill(chunk.begin() + static_cast<std::ptrdiff_t>(want),
                  chunk.begin() + static_cast<std::ptrdiff_t>(padded), std::uint8_t{0});
        m_cipher->EncryptBlocks(std::span(chunk.data(), padded));
        if (!out.Write(std::span(chunk.data(), padded))) {
            Add(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, m_destination);
            return false;
        }
        done += want;
        if (!ReportChunk(done, total)) {
            return false;
        }
    }
    return true;
}

bool ProtectJob::Decrypt(int sourceFd, const struct stat& st, StagedOutputFile& out) {
    ContainerHeaderBytes headerBytes{};
    ContainerHeader header;
    const ssize_t got = ReadFully(sourceFd, headerBytes.data(), headerBytes.size());
    if (got < 0) {
        Add(IDS_ERROR_FILE_CAN_NOT_ACCESS_FILE_CHECK_FL, m_source);
        return false;
    }
    const auto fileSize = static_cast<std::uint64_t>(st.st_size);
    const HeaderVerdict verdict = static_cast<std::size_t>(got) == headerBytes.size()
                                      ? ParseContainerHeader(headerBytes, *m_cipher, fileSize, &header)
                                      : HeaderVerdict::BadFormat;
    if (verdict == HeaderVerdict::WrongKey) {
        // Slows down guessing.
        Sleeper* sleeper = m_options.sleeper;
        SystemSleeper systemSleeper;
        (sleeper != nullptr ? sleeper : &systemSleeper)->Sleep(kWrongKeyDelay);
        Add(IDS_ERROR_SECURITY_INVALID_PASSWORD);
        return false;
    }
    if (verdict != HeaderVerdict::Ok || !ReadRecord(sourceFd, header)) {
        Add(IDS_ERROR_FILE_FORMAT_NOT_MATCH);
        return false;
    }
    return DecryptContent(sourceFd, header, out);
}

bool ProtectJob::ReadRecord(int sourceFd, const ContainerHeader& header) {
    ContainerRecordBytes record{};
    if (ReadFully(sourceFd, record.data(), record.size()) != static_cast<ssize_t>(record.size())) {
        return false;
    }
    m_cipher->DecryptBlocks(record);
    ContainerFileRecord described;
    return DecodeFileRecord(record, &described) && described.size == header.sourceLength;
}

bool ProtectJob::DecryptContent(int sourceFd, const ContainerHeader& header, StagedOutputFile& out) {
    std::array<std::uint8_t, kContainerChunkSize> chunk{};
    const std::uint64_t total = header.sourceLength;
    std::uint64_t padded = 0;
    std::uint64_t done = 0;
    while (padded < header.paddedLength) {
        const auto want = static_cast<std::size_t>(
            std::min<std::uint64_t>(kContainerChunkSize, header.paddedLength - padded));
        if (ReadFully(sourceFd, chunk.data(), want) != static_cast<ssize_t>(want)) {
            Add(IDS_ERROR_FILE_FORMAT_NOT_MATCH);  // the file shrank under us
            return false;
        }
        m_cipher->DecryptBlocks(std::span(chunk.data(), want));
        const auto keep = static_cast<std::size_t>(std::min<std::uint64_t>(want, total - done));
        if (!out.Write(std::span(chunk.data(), keep))) {
            Add(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, m_destination);
            return false;
        }
        padded += want;
        done += keep;
        if (!ReportChunk(done, total)) {
            return false;
        }
    }
    // Whatever follows the content is the outer layer's zero padding, less than a block.
    std::array<std::uint8_t, Rc5::kBlockSize> tail{};
    const ssize_t rest = ReadFully(sourceFd, tail.data(), tail.size());
    if (rest < 0 || static_cast<std::size_t>(rest) > kContainerMaxTrailingBytes ||
        std::any_of(tail.begin(), tail.end(), [](std::uint8_t v) { return v != 0; })) {
        Add(IDS_ERROR_FILE_FORMAT_NOT_MATCH);
        return false;
    }
    return true;
}

bool ProtectJob::Commit(StagedOutputFile& out) {
    const StagedOutputFile::CommitResult committed = out.Commit(m_options.keepBackup);
    if (committed.backupFailed) {
        Add(IDS_ERROR_FILE_CAN_NOT_DELETE_FILE_CHECK_DISK_PROTECTION, m_destination);
        return false;
    }
    if (!committed.ok) {
        Add(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, m_destination);
        return false;
    }
    if (!committed.backupPath.empty() && !m_options.quiet && m_options.messageBox != nullptr) {
        const std::string text =
            ReplaceAll(LoadMessage(IDS_MESSAGE_FILE_ORIGINAL_FILE_SAVED_AS), "#1", committed.backupPath);
        m_options.messageBox->ShowMessageBox(text, LoadMessage(IDS_KLN_TIDEWELL), MB_OK | MB_ICONINFORMATION);
    }
    return true;
}

Result ProtectJob::Finish(bool ok) {
    if (ok) {
        return Result::Ok();
    }
    if (!m_options.quiet && m_options.messageBox != nullptr && !m_messages.empty()) {
        m_options.messageBox->ShowMessageBox(m_messages, LoadMessage(IDS_KLN_ERROR),
                                             MB_OK | MB_ICONEXCLAMATION);
    }
    return Result::Fail(ErrorKind::damaged, m_messages);
}

Result ProtectJob::Run() {
    if (!RunChecks()) {
        return Finish(false);
    }
    m_cipher.emplace(std::span(reinterpret_cast<const std::uint8_t*>(m_key.data()), m_key.size()));
    const FileDescriptor source(open(m_source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (source.get() < 0 || fstat(source.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        Add(source.get() < 0 && errno == ENOENT ? IDS_ERROR_FILE_FILE_NOT_FOUND
                                                : IDS_ERROR_FILE_CAN_NOT_ACCESS_FILE_CHECK_FL,
            m_source);
        return Finish(false);
    }
    if (!DecideOverwrite()) {
        return Finish(false);
    }
    CreatedFolders folders;
    StagedOutputFile out;
    if (!folders.CreateFor(AbsolutePath(m_destination)) || !out.Open(AbsolutePath(m_destination))) {
        Add(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, m_destination);
        return Finish(false);
    }
    const bool worked = m_encrypt ? Encrypt(source.get(), st, out) : Decrypt(source.get(), st, out);
    if (!worked || !Commit(out)) {
        return Finish(false);
    }
    folders.Keep();
    return Finish(true);
}

}  // namespace

Result ProtectFile(const std::string& source, const std::string& destination, std::string_view key,
                   bool encrypt, const ProtectFileOptions& options) {
    return ProtectJob(source, destination, key, encrypt, options).Run();
}

}  // namespace tidewell
