#include "store/registry_store.h"

#include <sys/stat.h>

#include <cerrno>
#include <utility>

#include "base/text_util.h"
#include "files/durable_file.h"
#include "files/file_lock.h"
#include "files/folder_tree.h"
#include "files/keep_aside.h"
#include "files/paths.h"
#include "files/whole_file.h"
#include "format/settings_text.h"
#include "text/message_table.h"
#include "text/messages.h"
#include "ui_ports/message_box.h"

namespace tidewell {

namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr std::size_t kMaxDwordDigits = 10;

bool IsSectionTrimmed(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\\';
}

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

template <typename Trimmed>
std::string_view TrimBy(std::string_view text, Trimmed trimmed) {
    while (!text.empty() && trimmed(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && trimmed(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

enum class Field { Section, ValueName, Data };

bool NeedsEscape(std::string_view text, std::size_t i, Field field) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '%' || c < 0x20 || c == 0x7F) {
        return true;
    }
    // Lines are trimmed when read; a blank at the end of any field or at the start of a name
    // would be lost.
    if (c == ' ' && (i + 1 == text.size() || (i == 0 && field != Field::Data))) {
        return true;
    }
    if (field == Field::Data) {
        return false;
    }
    if (c == '=') {
        return true;  // a name ends at the first " = "; a section cannot hold "="
    }
    return field == Field::ValueName && i == 0 && (c == '@' || c == ';' || c == '[');
}

std::string Escape(std::string_view text, Field field) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (NeedsEscape(text, i, field)) {
            const auto c = static_cast<unsigned char>(text[i]);
            out += '%';
            out += kHexDigits[c >> 4];
            out += kHexDigits[c & 0x0F];
        } else {
            out += text[i];
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool Unescape(std::string_view text, std::string& out) {
    out.clear();
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return false;
        }
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0) {
            return false;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

std::string EscapeValueName(std::string_view name) {
    return name.empty() ? std::string(kRegistryDefaultValueName) : Escape(name, Field::ValueName);
}

bool ParseDword(std::string_view text, std::uint32_t& value) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > kMaxDwordDigits) {
        return false;
    }
    std::uint64_t number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (number > 0xFFFFFFFFull) {
        return false;
    }
    value = static_cast<std::uint32_t>(number);
    return true;
}

bool ParseValueLine(std::string_view line, RegistryValue& value) {
    const std::size_t separator = line.find(kSettingsKeySeparator);
    const std::string_view head = line.substr(0, separator);
    std::string name;
    // "@" as written is the unnamed value; a name "@" is written "%40".
    if (head != kRegistryDefaultValueName && !Unescape(head, name)) {
        return false;
    }
    value.name = std::string(TrimValueName(name));
    const std::string_view data = line.substr(separator + kSettingsKeySeparator.size());
    if (data.starts_with(kRegistryDwordPrefix)) {
        value.type = RegistryValueType::Dword;
        return ParseDword(data.substr(kRegistryDwordPrefix.size()), value.dword);
    }
    if (data.starts_with(kRegistryStringPrefix)) {
        value.type = RegistryValueType::String;
        return Unescape(data.substr(kRegistryStringPrefix.size()), value.text);
    }
    return false;
}

// What tells one unreadable file from another without reading it.
std::string Identity(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return "errno " + std::to_string(errno);
    }
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" +
           std::to_string(info.st_size) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec) + ":" + std::to_string(info.st_mode);
}

// What tells one state of the file (or of what a link there points at) from the next without
// reading it: every replacement is a new inode, an edit in place changes size or times.
std::string Stamp(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return {};
    }
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" +
           std::to_string(info.st_size) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec) + ":" + std::to_string(info.st_ctim.tv_sec) + "." +
           std::to_string(info.st_ctim.tv_nsec);
}

}  // namespace

std::string SettingsVersionNumber(std::string_view versionText) {
    const auto versionCharacter = [](char c) { return (c >= '0' && c <= '9') || c == '.'; };
    while (!versionText.empty() && !versionCharacter(versionText.front())) {
        versionText.remove_prefix(1);
    }
    while (!versionText.empty() && !versionCharacter(versionText.back())) {
        versionText.remove_suffix(1);
    }
    return std::string(versionText);
}

std::string ProductVersionNumber() {
    return SettingsVersionNumber(
        LoadMessageIn(MessageLanguage::English, IDS_DIALOG_ABOUT_COMPANY_PRODUCT_VERSION_PEP));
}

std::string_view TrimSectionName(std::string_view section) {
    return TrimBy(section, IsSectionTrimmed);
}

std::string_view TrimValueName(std::string_view name) {
    return TrimBy(name, IsWhiteSpace);
}

// ---- RegistryData -------------------------------------------------------------------------

RegistryData::KeyIndex& RegistryData::KeyFor(std::string_view section) {
    const std::string_view path = TrimSectionName(section);
    std::string folded = AsciiLower(path);
    auto key = m_index.find(folded);
    if (key == m_index.end()) {
        key = m_index.emplace(std::move(folded), KeyIndex{m_keys.size(), {}}).first;
        m_keys.push_back({std::string(path), {}});
    }
    return key->second;
}

void RegistryData::AddKey(std::string_view section) {
    KeyFor(section);
}

const RegistryValue* RegistryData::Find(std::string_view section, std::string_view name) const {
    const auto key = m_index.find(AsciiLower(TrimSectionName(section)));
    if (key == m_index.end()) {
        return nullptr;
    }
    const auto value = key->second.values.find(AsciiLower(TrimValueName(name)));
    if (value == key->second.values.end()) {
        return nullptr;
    }
    return &m_keys[key->second.position].values[value->second];
}

void RegistryData::Set(std::string_view section, RegistryValue value) {
    KeyIndex& key = KeyFor(section);
    std::vector<RegistryValue>& values = m_keys[key.position].values;
    const std::string_view name = TrimValueName(value.name);
    std::string folded = AsciiLower(name);
    const auto found = key.values.find(folded);
    if (found == key.values.end()) {
        key.values.emplace(std::move(folded), values.size());
        value.name = std::string(name);
        values.push_back(std::move(value));
        return;
    }
    // The registry keeps the spelling the value was created with.
    RegistryValue& slot = values[found->second];
    value.name = std::move(slot.name);
    slot = std::move(value);
}

void RegistryData::Add(std::string_view section, RegistryValue value) {
    if (Find(section, value.name) == nullptr) {
        Set(section, std::move(value));
    }
}

void RegistryData::Clear() {
    m_keys.clear();
    m_index.clear();
}

// ---- stored form --------------------------------------------------------------------------

bool ParseRegistryText(std::string_view text, RegistryData& data) {
    data.Clear();
    SettingsText document;
    document.LoadFromString(text);
    bool inSection = false;
    std::string section;
    for (const std::string& line : document.Lines()) {
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (IsSettingsSectionLine(line)) {
            std::string path;
            if (!Unescape(std::string_view(line).substr(1, line.size() - 2), path)) {
                data.Clear();
                return false;
            }
            section = std::string(TrimSectionName(path));
            inSection = true;
            // A key without values is a key all the same.
            data.AddKey(section);
            continue;
        }
        RegistryValue value;
        if (!inSection || line.find(kSettingsKeySeparator) == std::string::npos ||
            !ParseValueLine(line, value)) {
            data.Clear();
            return false;
        }
        data.Add(section, std::move(value));
    }
    return true;
}

std::string RegistryText(const RegistryData& data) {
    SettingsText document;
    document.SetHeader(kRegistryFileHeader);
    for (const RegistryData::Key& key : data.Keys()) {
        const std::string section = Escape(key.path, Field::Section);
        document.FindOrAddSection(section);
        for (const RegistryValue& value : key.values) {
            std::string stored;
            if (value.type == RegistryValueType::Dword) {
                stored = std::string(kRegistryDwordPrefix) + std::to_string(value.dword);
            } else {
                stored = std::string(kRegistryStringPrefix) + Escape(value.text, Field::Data);
            }
            document.WriteString(section, EscapeValueName(value.name), stored);
        }
    }
    return document.SaveToString();
}

// ---- RegistryStore ------------------------------------------------------------------------

RegistryStore::RegistryStore(std::string folder, MessageBoxService* messageBox, RegistryAccess access)
    : m_folder(std::move(folder)),
      m_path(m_folder + "/" + std::string(kRegistryFileName)),
      m_lockPath(m_folder + "/" + std::string(kRegistryLockFileName)),
      m_messageBox(messageBox),
      m_access(access) {}

void RegistryStore::TakeMissing() {
    if (m_state != FileState::Missing) {
        m_data.Clear();
        m_bytes.clear();
        m_identity.clear();
        m_state = FileState::Missing;
        m_problem.clear();
        m_writable = true;
    }
}

void RegistryStore::Refresh(std::string& report) {
    // The file is read again only when it changed since it was last read or written.
    std::string stamp = Stamp(m_path);
    if ((m_state == FileState::Good || m_state == FileState::Damaged) && !stamp.empty() && stamp == m_stamp) {
        return;
    }
    m_stamp = std::move(stamp);
    std::string bytes;
    const Result read = ReadWholeFile(m_path, bytes, kRegistryFileLimit);
    if (read.kind() == ErrorKind::notFound) {
        TakeMissing();
        return;
    }
    if (read.ok()) {
        if ((m_state == FileState::Good || m_state == FileState::Damaged) && bytes == m_bytes) {
            return;
        }
        RegistryData parsed;
        if (ParseRegistryText(bytes, parsed)) {
            m_data = std::move(parsed);
            m_bytes = std::move(bytes);
            m_identity.clear();
            m_state = FileState::Good;
            m_problem.clear();
            m_writable = true;
            return;
        }
        TakeDamage(FileState::Damaged, std::move(bytes), {}, LoadMessage(IDS_ERROR_FILE_FORMAT_NOT_MATCH),
                   report);
        return;
    }
    // Below a file in place of a folder, say: there is no settings file.
    struct stat info {};
    if (::lstat(m_path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
        TakeMissing();
        return;
    }
    // Too large or not readable: told apart from the last one by what stat says.
    std::string identity = Identity(m_path);
    if (m_state == FileState::Unreadable && identity == m_identity) {
        return;
    }
    // A file too large was never read, but it is a file of ours gone wrong, not a locked one.
    std::string what = read.kind() == ErrorKind::invalid
                           ? LoadMessage(IDS_ERROR_FILE_FORMAT_NOT_MATCH)
                           : FileMessage(IDS_ERROR_FILE_CAN_NOT_ACCESS_FILE_CHECK_FL, m_path);
    TakeDamage(FileState::Unreadable, {}, std::move(identity), std::move(what), report);
}

void RegistryStore::TakeDamage(FileState state, std::string bytes, std::string identity, std::string what,
                               std::string& report) {
    m_data.Clear();
    m_state = state;
    m_bytes = std::move(bytes);
    m_identity = std::move(identity);
    m_writable = KeepAside(m_path, m_keptAside).ok();
    // The report says that the file cannot be written: failed writes need not say it again.
    m_failureShown = m_failureShown || !m_writable;
    std::string message = std::move(what);
    message += kSettingsLineBreak;
    message += kSettingsLineBreak;
    message += m_writable ? FileMessage(IDS_MESSAGE_FILE_ORIGINAL_FILE_SAVED_AS, m_keptAside)
                          : CannotWriteFileMessage(m_path);
    m_problem = message;
    report = std::move(message);
}

void RegistryStore::Show(const std::string& report) const {
    if (!report.empty() && m_messageBox != nullptr) {
        m_messageBox->ShowMessageBox(report, LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONEXCLAMATION);
    }
}

int RegistryStore::ReadSettingInt(std::string_view section, std::string_view name, int defaultValue) {
    std::string report;
    int result = defaultValue;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        Refresh(report);
        const RegistryValue* value = Find(section, name);
        if (value != nullptr && value->type == RegistryValueType::Dword) {
            result = static_cast<int>(value->dword);
        }
    }
    Show(report);
    return result;
}

std::string RegistryStore::ReadSettingString(std::string_view section, std::string_view name,
                                             std::string_view defaultValue) {
    std::string report;
    std::string result(defaultValue);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        Refresh(report);
        const RegistryValue* value = Find(section, name);
        if (value != nullptr && value->type == RegistryValueType::String) {
            result = value->text;
        }
    }
    Show(report);
    return result;
}

Result RegistryStore::WriteSettingInt(std::string_view section, std::string_view name, int value) {
    RegistryValue stored;
    stored.name = std::string(name);
    stored.type = RegistryValueType::Dword;
    stored.dword = static_cast<std::uint32_t>(value);
    return Write(section, std::move(stored));
}

Result RegistryStore::WriteSettingString(std::string_view section, std::string_view name,
                                         std::string_view value) {
    RegistryValue stored;
    stored.name = std::string(name);
    stored.type = RegistryValueType::String;
    stored.text = std::string(value);
    return Write(section, std::move(stored));
}

const RegistryValue* RegistryStore::Find(std::string_view section, std::string_view name) const {
    const RegistryValue* unsaved = m_unsaved.Find(section, name);
    return unsaved != nullptr ? unsaved : m_data.Find(section, name);
}

Result RegistryStore::Write(std::string_view section, RegistryValue value) {
    std::string report;
    Result written = Result::Ok();
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_unsaved.Set(section, std::move(value));
        // In a batch the file is written once, when the batch ends.
        if (m_batchDepth == 0) {
            StoreUnsaved(report);
            written = Stored();
        }
    }
    Show(report);
    return written;
}

void RegistryStore::BeginBatch() {
    std::lock_guard<std::mutex> guard(m_mutex);
    ++m_batchDepth;
}

Result RegistryStore::EndBatch() {
    std::string report;
    Result stored = Result::Ok();
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (m_batchDepth > 0 && --m_batchDepth == 0) {
            if (!m_unsaved.Keys().empty()) StoreUnsaved(report);
            stored = Stored();
        }
    }
    Show(report);
    return stored;
}

void RegistryStore::LeaveBatch() {
    std::string report;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (m_batchDepth > 0 && --m_batchDepth == 0 && !m_unsaved.Keys().empty()) StoreUnsaved(report);
    }
    Show(report);  // a failure is told here as any failed write is
}

Result RegistryStore::Stored() const {
    // A value that could not be stored stays in m_unsaved until a write succeeds.
    return m_unsaved.Keys().empty() ? Result::Ok() : Result::Fail(ErrorKind::io, m_problem);
}

void RegistryStore::StoreUnsaved(std::string& report) {
    const bool shared = m_access == RegistryAccess::Shared;
    const bool folderMade =
        CreateFolders(m_folder, shared ? std::optional<mode_t>(kSharedRegistryFolderMode) : std::nullopt)
            .ok();
    const FileLock lock(m_lockPath);
    Refresh(report);
    // The values go over what the file holds now, so what another process wrote meanwhile stays.
    RegistryData next = m_data;
    bool changes = !ModeFits() || m_state != FileState::Good;
    for (const RegistryData::Key& key : m_unsaved.Keys()) {
        for (const RegistryValue& value : key.values) {
            const RegistryValue* stored = m_data.Find(key.path, value.name);
            changes =
                changes || stored == nullptr ||
                !(stored->type == value.type && stored->dword == value.dword && stored->text == value.text);
            next.Set(key.path, value);
        }
    }
    std::string failure;
    if (!m_writable || !folderMade) {
        // A damaged file that could not be kept aside is not replaced.
        failure = CannotWriteFileMessage(m_path);
    } else if (!changes) {
        m_unsaved.Clear();  // nothing changes: the file stays as it is
        return;
    } else {
        std::string text = RegistryText(next);
        const Result result =
            WriteFileDurably(m_path, text, shared ? kSharedRegistryFileMode : kPrivateFileMode);
        if (result.ok()) {
            m_data = std::move(next);
            m_bytes = std::move(text);
            m_stamp = Stamp(m_path);
            m_identity.clear();
            m_state = FileState::Good;
            m_problem.clear();
            m_unsaved.Clear();
            m_failureShown = false;
            return;
        }
        failure = result.message();
    }
    // The values hold for this run all the same; the user hears of the failure once.
    m_problem = failure;
    if (!m_failureShown && report.empty()) report = failure;
    m_failureShown = true;
}

bool RegistryStore::ModeFits() const {
    struct stat info {};
    return m_access == RegistryAccess::Private ||
           (::stat(m_path.c_str(), &info) == 0 && (info.st_mode & 07777) == kSharedRegistryFileMode);
}

std::string RegistryStore::Problem() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_problem;
}

std::string RegistryStore::DamagedCopyPath() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_keptAside;
}

}  // namespace tidewell
