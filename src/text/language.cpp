#include "text/language.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "text/font_charset.h"

namespace tidewell {

namespace {

// The two languages every build carries, listed before any shell folder.
constexpr const char* kBuiltInEnglishName = "English";
constexpr const char* kBuiltInEnglishLcid = "0409";
constexpr const char* kBuiltInChineseName =
    "Simplified Chinese (\xE7\xAE\x80\xE4\xBD\x93\xE4\xB8\xAD\xE6\x96\x87)";
constexpr const char* kBuiltInChineseLcid = "0804";
constexpr const char* kDuplicateNameFormat = "%s(%d)";

std::mutex g_languageMutex;
LanguageState g_language;

std::string HexOf(int32_t lcid) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04X", static_cast<unsigned>(lcid));
    return buffer;
}

int32_t LcidOfHex(const std::string& hex) {
    return static_cast<int32_t>(std::stoul(hex, nullptr, 16));
}

bool NameTaken(const std::vector<LanguageEntry>& list, const std::string& name) {
    return std::any_of(list.begin(), list.end(),
                       [&](const LanguageEntry& entry) { return entry.name == name; });
}

std::string UniqueName(const std::vector<LanguageEntry>& list, const std::string& name) {
    if (!NameTaken(list, name)) {
        return name;
    }
    for (int counter = 2;; ++counter) {
        std::string candidate(name.size() + 16, '\0');
        const int length =
            std::snprintf(candidate.data(), candidate.size(), kDuplicateNameFormat, name.c_str(), counter);
        candidate.resize(static_cast<std::size_t>(length));
        if (!NameTaken(list, candidate)) {
            return candidate;
        }
    }
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

std::string BuiltInFolder(const std::string& programDir, const std::string& lcidHex) {
    return JoinPath(JoinPath(programDir, kLanguageFolderName), lcidHex);
}

LanguageChoice ChineseEditionChoice(const LanguageChoiceInput& input) {
    LanguageChoice choice;
    choice.lcid = kLcidSimplifiedChinese;
    choice.languageFolder = BuiltInFolder(input.programDir, kChineseLanguageSubfolder);
    choice.fontCharSet = FontCharSetFor(kLcidSimplifiedChinese);
    return choice;
}

std::size_t FindEntry(const std::vector<LanguageEntry>& list, const std::string& hex) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].lcidHex == hex) {
            return i;
        }
    }
    return 0;  // no match: the first entry, English
}

}  // namespace

std::string NormalizeLcidHex(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    }
    uint32_t value = 0;
    if (text.empty() || text.size() > 8) {
        return kBuiltInEnglishLcid;
    }
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            return kBuiltInEnglishLcid;
        }
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    if (value == 0 || value > 0xFFFF) {
        return kBuiltInEnglishLcid;
    }
    return HexOf(static_cast<int32_t>(value));
}

std::vector<LanguageEntry> BuildLanguageList(const LanguageShellSource* shells) {
    std::vector<LanguageEntry> list;
    list.push_back({kBuiltInEnglishName, kBuiltInEnglishLcid, {}});
    list.push_back({kBuiltInChineseName, kBuiltInChineseLcid, {}});
    if (shells == nullptr) {
        return list;
    }
    for (const LanguageShellFolder& shell : shells->ShellFolders()) {
        if (shell.language.empty()) {
            continue;  // a shell without a name cannot be offered
        }
        std::string name = UniqueName(list, shell.language);
        list.push_back({std::move(name), NormalizeLcidHex(shell.lcid), shell.folder});
    }
    return list;
}

LanguageChoice ChooseLanguage(const LanguageChoiceInput& input) {
    if (input.chineseEdition) {
        return ChineseEditionChoice(input);
    }
    LanguageChoice choice;
    choice.languages = BuildLanguageList(input.shells);
    int32_t wanted = input.settingLcid.value_or(input.systemLcid);
    if (wanted == 0) {
        wanted = kLcidEnglish;
    }
    const bool inRange = wanted > 0 && wanted <= 0xFFFF;
    choice.chosenIndex = inRange ? FindEntry(choice.languages, HexOf(wanted)) : 0;
    choice.lcid = LcidOfHex(choice.languages[choice.chosenIndex].lcidHex);
    if (choice.lcid != kLcidEnglish && choice.lcid != kLcidSimplifiedChinese) {
        const LanguageEntry& entry = choice.languages[choice.chosenIndex];
        if (input.shells != nullptr && !entry.folder.empty()) {
            choice.shellFile = input.shells->OpenShellFile(entry.folder);
        }
        if (choice.shellFile == nullptr) {
            choice.chosenIndex = 0;
            choice.lcid = kLcidEnglish;
        }
    }
    const LanguageEntry& chosen = choice.languages[choice.chosenIndex];
    choice.languageFolder =
        chosen.folder.empty() ? BuiltInFolder(input.programDir, chosen.lcidHex) : chosen.folder;
    choice.fontCharSet = FontCharSetFor(choice.lcid);
    return choice;
}

void SetLanguage(const LanguageChoice& choice) {
    std::lock_guard<std::mutex> lock(g_languageMutex);
    g_language.lcid = choice.lcid;
    g_language.languageFolder = choice.languageFolder;
    g_language.fontCharSet = choice.fontCharSet;
    g_language.shellFile = choice.shellFile;
}

void SetLanguage(int32_t lcid, std::shared_ptr<const LanguageShellFile> shellFile) {
    std::lock_guard<std::mutex> lock(g_languageMutex);
    g_language = LanguageState{};
    g_language.lcid = lcid;
    g_language.fontCharSet = FontCharSetFor(lcid);
    g_language.shellFile = std::move(shellFile);
}

void ResetLanguage() {
    std::lock_guard<std::mutex> lock(g_languageMutex);
    g_language = LanguageState{};
}

LanguageState CurrentLanguage() {
    std::lock_guard<std::mutex> lock(g_languageMutex);
    return g_language;
}

int32_t CurrentLcid() {
    std::lock_guard<std::mutex> lock(g_languageMutex);
    return g_language.lcid;
}

}  // namespace tidewell
