#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tidewell {

inline constexpr int32_t kLcidNotChosen = 0;
inline constexpr int32_t kLcidEnglish = 1033;
inline constexpr int32_t kLcidSimplifiedChinese = 2052;

#ifdef TIDEWELL_CHINESE_EDITION
inline constexpr bool kChineseEdition = true;
#else
inline constexpr bool kChineseEdition = false;
#endif

// Settings value that keeps the user's language ("Shell" / "LCID", a DWORD).
inline constexpr const char* kShellSettingSection = "Shell";
inline constexpr const char* kShellSettingLcid = "LCID";

// Language shell files: <program folder>/Language/<subfolder>/sch.ini, section "Info".
inline constexpr const char* kLanguageFolderName = "Language";
inline constexpr const char* kShellFileName = "sch.ini";
inline constexpr const char* kShellInfoSection = "Info";
inline constexpr const char* kShellLanguageKey = "Shell_Language";
inline constexpr const char* kShellLcidKey = "Shell_LCID";
// Folder of the Simplified Chinese edition below the Language folder.
inline constexpr const char* kChineseLanguageSubfolder = "0804";

// One opened language shell file. Lookups use the row's category as section and its name as key.
class LanguageShellFile {
public:
    virtual ~LanguageShellFile() = default;
    // The value, or nothing when the file has no such key.
    virtual std::optional<std::string> Value(std::string_view section, std::string_view key) const = 0;
};

// A subfolder of the Language folder holding a sch.ini, with that file's "Info" values.
struct LanguageShellFolder {
    std::string folder;    // full path of the subfolder
    std::string language;  // Info / Shell_Language
    std::string lcid;      // Info / Shell_LCID as written (hexadecimal, "0x" optional)
};

// Where the language choice finds the shell files; the store layer implements it over
// SettingsText, tests with fakes.
class LanguageShellSource {
public:
    virtual ~LanguageShellSource() = default;
    // Every subfolder of the Language folder that holds a sch.ini, in a stable order.
    virtual std::vector<LanguageShellFolder> ShellFolders() const = 0;
    // The sch.ini of a folder that ShellFolders listed; nullptr when it cannot be read.
    virtual std::shared_ptr<const LanguageShellFile> OpenShellFile(const std::string& folder) const = 0;
};

// One entry of the language list.
struct LanguageEntry {
    std::string name;     // unique within the list
    std::string lcidHex;  // four hexadecimal digits, e.g. "0409"
    std::string folder;   // shell folder; empty for the built-in languages
};

struct LanguageChoiceInput {
    std::string programDir;
    std::optional<int32_t> settingLcid;  // "Shell" / "LCID" when stored
    int32_t systemLcid = kLcidEnglish;   // the system locale's language (SystemLanguageId)
    const LanguageShellSource* shells = nullptr;
    bool chineseEdition = kChineseEdition;
};

// What the choice decided; SetLanguage makes it current.
struct LanguageChoice {
    int32_t lcid = kLcidEnglish;
    std::string languageFolder;
    int fontCharSet = 0;
    std::vector<LanguageEntry> languages;                // empty in the Chinese edition (no language menu)
    std::size_t chosenIndex = 0;                         // into languages, when not empty
    std::shared_ptr<const LanguageShellFile> shellFile;  // only for a language read from a shell
};

// The built-in languages first, then one entry per shell folder; a repeated name gets "%s(%d)".
std::vector<LanguageEntry> BuildLanguageList(const LanguageShellSource* shells);

// Normalizes a Shell_LCID text to four upper-case hexadecimal digits; "0" and text that
// is not hexadecimal count as "0409".
std::string NormalizeLcidHex(std::string_view text);

// Chooses the user-interface language at start-up.
LanguageChoice ChooseLanguage(const LanguageChoiceInput& input);

// The current language, read by every lookup.
struct LanguageState {
    int32_t lcid = kLcidNotChosen;
    std::string languageFolder;
    int fontCharSet = 0;
    std::shared_ptr<const LanguageShellFile> shellFile;
};

void SetLanguage(const LanguageChoice& choice);
// Sets the language directly (a language other than English and Chinese reads from `shellFile`).
void SetLanguage(int32_t lcid, std::shared_ptr<const LanguageShellFile> shellFile = nullptr);
// Back to "not chosen": every lookup returns English.
void ResetLanguage();
LanguageState CurrentLanguage();
int32_t CurrentLcid();

}  // namespace tidewell
