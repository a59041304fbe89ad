#include "config/language_shell_files.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "config/locations.h"
#include "files/whole_file.h"

namespace tidewell {

std::optional<std::string> SettingsShellFile::Value(std::string_view section, std::string_view key) const {
    std::string value;
    if (!m_document.ReadString(section, key, {}, value)) {
        return std::nullopt;
    }
    return value;
}

std::shared_ptr<const SettingsShellFile> LoadShellFile(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, kShellFileLimit).ok()) {
        return nullptr;
    }
    SettingsText document;
    document.LoadFromString(bytes);
    return std::make_shared<const SettingsShellFile>(std::move(document));
}

std::vector<LanguageShellFolder> LanguageShellFiles::ShellFolders() const {
    namespace fs = std::filesystem;
    std::vector<LanguageShellFolder> shells;
    for (const std::string& languageDir : m_languageDirs) {
        std::vector<std::string> folders;
        std::error_code error;
        for (fs::directory_iterator it(languageDir, error), end; !error && it != end; it.increment(error)) {
            std::error_code ignored;
            if (it->is_directory(ignored)) {
                folders.push_back(it->path().string());
            }
        }
        std::sort(folders.begin(), folders.end());
        for (std::string& folder : folders) {
            const auto file = LoadShellFile(JoinPath(folder, kShellFileName));
            if (file == nullptr) {
                continue;
            }
            LanguageShellFolder shell;
            shell.language = file->Value(kShellInfoSection, kShellLanguageKey).value_or(std::string());
            shell.lcid = file->Value(kShellInfoSection, kShellLcidKey).value_or(std::string());
            shell.folder = std::move(folder);
            shells.push_back(std::move(shell));
        }
    }
    return shells;
}

std::shared_ptr<const LanguageShellFile> LanguageShellFiles::OpenShellFile(const std::string& folder) const {
    return LoadShellFile(JoinPath(folder, kShellFileName));
}

}  // namespace tidewell
