#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/settings_text.h"
#include "text/language.h"

namespace tidewell {

// A larger sch.ini is not read.
inline constexpr std::size_t kShellFileLimit = 16u << 20;

// One sch.ini read as a settings document: the row's category is the section, its name the key.
class SettingsShellFile final : public LanguageShellFile {
public:
    explicit SettingsShellFile(SettingsText document) : m_document(std::move(document)) {}
    std::optional<std::string> Value(std::string_view section, std::string_view key) const override;

private:
    SettingsText m_document;
};

// The sch.ini at `path`; nullptr when it is missing, not a regular file, unreadable or too large.
std::shared_ptr<const SettingsShellFile> LoadShellFile(const std::string& path);

// The language shells below the program's Language folders (Locations::LanguageDirs): every
// subfolder holding a readable sch.ini, folder by folder and by name within each.
class LanguageShellFiles final : public LanguageShellSource {
public:
    explicit LanguageShellFiles(std::vector<std::string> languageDirs)
        : m_languageDirs(std::move(languageDirs)) {}

    std::vector<LanguageShellFolder> ShellFolders() const override;
    std::shared_ptr<const LanguageShellFile> OpenShellFile(const std::string& folder) const override;

private:
    std::vector<std::string> m_languageDirs;
};

}  // namespace tidewell
