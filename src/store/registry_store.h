#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "files/keep_aside.h"
#include "platform/settings_port.h"

namespace tidewell {

class MessageBoxService;

// The settings registry of the program, kept as one settings file per root folder.
//
// Stored form (a settings text document, UTF-8, CR LF):
//
//   ;Tidewell settings registry
//
//   [Tidewell\App]
//   Run Code = dword:1
//   Scheduling = dword:0
//
//   [User Data Directory]
//   @ = sz:/home/ann/Documents/Verimont User Data/Ostrel
//
// - A section is a subkey path below the root, trimmed of blanks, tabs, line breaks and
//   backslashes at both ends ("[]" holds the values of the root itself).
// - A value line is "name = dword:N" (N the DWORD in decimal, 0 to 4294967295; an int written
//   as -1 is stored as 4294967295 and reads back as -1) or "name = sz:text". Value names are
//   trimmed of white space; the unnamed (default) value is written "@".
// - Names and texts are written as they are (UTF-8 included) except for "%XX" escapes (two
//   hexadecimal digits) of "%", control characters (line breaks, tabs), a blank at the end of
//   any field or at the start of a name, "=" in names, and a leading "@", ";" or "[" of a value
//   name, so that every value stays on one line and reads back exactly.
// - Section and value names compare without regard to ASCII letter case, as in the registry;
//   the first spelling written is kept. Comment lines are allowed and ignored; a repeated
//   section adds to the first one and a repeated value name keeps its first value.
// Anything else (a line that is neither section, value nor comment, a value before any
// section, an unknown type, a bad number or escape) makes the whole file damaged.
inline constexpr std::string_view kRegistryFileName = "registry.ini";
// Held (flock) while a process reads, changes and replaces the settings file, so that two
// processes writing at once do not lose each other's values.
inline constexpr std::string_view kRegistryLockFileName = "registry.lock";
// A damaged settings file is kept as "<file>.damaged", or "<file>.damaged-2" and so on when
// that name is taken by another file.
inline constexpr std::string_view kRegistryDamagedSuffix = kKeptAsideSuffix;
inline constexpr std::string_view kRegistryFileHeader = "Tidewell settings registry";
inline constexpr std::string_view kRegistryDwordPrefix = "dword:";
inline constexpr std::string_view kRegistryStringPrefix = "sz:";
inline constexpr std::string_view kRegistryDefaultValueName = "@";
// A larger file is not read; it counts as damaged.
inline constexpr std::size_t kRegistryFileLimit = 4u << 20;

// Folder names of the settings roots: <base>/Verimont/Tidewell[/<version>].
inline constexpr std::string_view kCompanyFolderName = "Verimont";
inline constexpr std::string_view kProductName = "Tidewell";

// The version part of the settings root: leading characters are dropped until the text starts
// with a digit or a dot, then trailing ones until it ends with one ("Version 2.7" gives "2.7").
std::string SettingsVersionNumber(std::string_view versionText);
// The version number of this product, cut from its English version text.
std::string ProductVersionNumber();

// Sections are trimmed of blanks, tabs, line breaks and backslashes at both ends, value names
// of white space.
std::string_view TrimSectionName(std::string_view section);
std::string_view TrimValueName(std::string_view name);

enum class RegistryValueType { Dword, String };

struct RegistryValue {
    std::string name;
    RegistryValueType type = RegistryValueType::String;
    std::uint32_t dword = 0;
    std::string text;

    bool operator==(const RegistryValue&) const = default;
};

// The keys and values of one root, in the order of the file.
class RegistryData {
public:
    struct Key {
        std::string path;
        std::vector<RegistryValue> values;
        bool operator==(const Key& other) const { return path == other.path && values == other.values; }
    };

    // The value, or nullptr. Section and name are trimmed here.
    const RegistryValue* Find(std::string_view section, std::string_view name) const;
    // Adds or replaces the value (its name is trimmed), adding the key when missing.
    void Set(std::string_view section, RegistryValue value);
    // Adds the value only when the key has no value of that name yet.
    void Add(std::string_view section, RegistryValue value);
    // Adds the key, without values, when it is missing.
    void AddKey(std::string_view section);
    void Clear();

    const std::vector<Key>& Keys() const { return m_keys; }
    bool operator==(const RegistryData& other) const { return m_keys == other.m_keys; }

private:
    struct KeyIndex {
        std::size_t position = 0;
        std::unordered_map<std::string, std::size_t> values;  // folded name -> position
    };
    KeyIndex& KeyFor(std::string_view section);

    std::vector<Key> m_keys;
    std::unordered_map<std::string, KeyIndex> m_index;  // folded path -> key
};

// Reads the stored form; false (and `data` empty) when the text is damaged.
bool ParseRegistryText(std::string_view text, RegistryData& data);
// The stored form of `data`.
std::string RegistryText(const RegistryData& data);

// A settings root kept in <folder>/registry.ini.
//
// The values are held in memory: a read looks at the file's status only and reads the file
// again when it changed (a new inode, size or time), so a value another process wrote is seen at
// once; since each write replaces the whole file by a rename, a reader sees either the old or the
// new file. A write takes the lock file, takes in what changed meanwhile, changes the value and
// replaces the file durably; a write that changes nothing leaves the file alone. A missing file
// reads as empty; the folder is created by the first write.
//
// A damaged or unreadable file reads as empty. It is reported once through the message box (and
// kept in Problem()), and before anything else is done it is kept aside by a hard link (or a
// copy) under "<file>.damaged", which the report names; the first write then replaces it. When it
// cannot be kept aside, writes fail and leave it in place.
//
// A write that fails (false) is reported once through the message box, until a write succeeds
// again; its value holds in memory for the rest of the run and goes along with the next write.
// Inside a batch (SettingsBatch) writes change memory only, and the file is replaced once when
// the batch ends.
//
// Safe to share between threads; the report is shown outside the store's lock.
//
// A private root (the user's) keeps its file to its owner (0600); a shared root (the
// machine-wide one) is read by every user: its file is 0644 and the folders it makes 0755.
enum class RegistryAccess { Private, Shared };
inline constexpr mode_t kSharedRegistryFileMode = 0644;
inline constexpr mode_t kSharedRegistryFolderMode = 0755;

class RegistryStore final : public SettingsPort {
public:
    explicit RegistryStore(std::string folder, MessageBoxService* messageBox = nullptr,
                           RegistryAccess access = RegistryAccess::Private);

    int ReadSettingInt(std::string_view section, std::string_view name, int defaultValue) override;
    bool WriteSettingInt(std::string_view section, std::string_view name, int value) override;
    std::string ReadSettingString(std::string_view section, std::string_view name,
                                  std::string_view defaultValue) override;
    bool WriteSettingString(std::string_view section, std::string_view name, std::string_view value) override;
    void BeginBatch() override;
    bool EndBatch() override;

    const std::string& FilePath() const { return m_path; }
    // The last problem: the damage report, or the message of a write that failed; empty while
    // the file reads and writes fine.
    std::string Problem() const;
    // Where the damaged file was kept; empty when none was.
    std::string DamagedCopyPath() const;

private:
    enum class FileState { Unknown, Missing, Good, Damaged, Unreadable };

    void Refresh(std::string& report);
    void TakeMissing();
    // `what` is the first line of the report.
    void TakeDamage(FileState state, std::string bytes, std::string identity, std::string what,
                    std::string& report);
    bool Write(std::string_view section, RegistryValue value);
    // Writes the values of m_unsaved over the file's, under the file lock; false (reported once)
    // when it cannot. Called with m_mutex held.
    bool StoreUnsaved(std::string& report);
    // The value written this run when it could not be stored, else the file's.
    const RegistryValue* Find(std::string_view section, std::string_view name) const;
    // Whether the file has the mode of its root; a shared file an earlier version kept
    // private is written again.
    bool ModeFits() const;
    void Show(const std::string& report) const;

    const std::string m_folder;
    const std::string m_path;
    const std::string m_lockPath;
    MessageBoxService* const m_messageBox;
    const RegistryAccess m_access;

    mutable std::mutex m_mutex;
    RegistryData m_data;
    FileState m_state = FileState::Unknown;
    std::string m_bytes;          // the bytes m_data was read from (Good, Damaged)
    std::string m_identity;       // device, inode, size and time of an unreadable file
    std::string m_stamp;          // what stat said of the file m_data was read from or written to
    RegistryData m_unsaved;       // values written this run that are not in the file
    bool m_failureShown = false;  // a failed write was reported; the next success resets it
    int m_batchDepth = 0;
    std::string m_problem;
    std::string m_keptAside;
    bool m_writable = true;  // false while a damaged file could not be kept aside
};

}  // namespace tidewell
