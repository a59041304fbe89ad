#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/task_sheet/sheet_context.h"

namespace tidewell {

// Settings values of the folders in which the browse dialogs open; each holds the folder of
// the file chosen last.
namespace browse_keys {
inline constexpr std::string_view kFileSection = "Tidewell\\File";
inline constexpr std::string_view kLastProgramDirectory = "Last Program Directory";
inline constexpr std::string_view kLastFileDirectory = "Last File Directory";
inline constexpr std::string_view kLastMusicDirectory = "Last Music Directory";
inline constexpr std::string_view kMacroFileSection = "Macro\\File";
inline constexpr std::string_view kLastMacroDirectory = "Last Macro Directory";
inline constexpr std::string_view kNoticeFileSection = "File";
inline constexpr std::string_view kLastNoticeOpenFolder = "Last NTE Open File Folder";
inline constexpr std::string_view kLastNoticeSaveFolder = "Last NTE Save File Folder";
// Below the media folder: where the music browse dialog opens the first time.
inline constexpr std::string_view kDefaultMusicFolder = "mid";
}  // namespace browse_keys

// The message table's filter rows ("Programs (*.exe;*.com)|*.exe;*.com|All Files (*.*)|*.*||")
// as Qt name filters ("Programs (*.exe *.com)", "All Files (*)"). "*.*" matches every name here.
QStringList QtFileFilters(std::string_view tableFilter);

// One browse button: the filter row, the settings value that remembers the folder, the
// folder used while none is remembered, the filter shown first and the dialog's caption.
struct BrowseRequest {
    int32_t filterId = 0;
    std::string_view section;
    std::string_view value;
    std::string defaultFolder;
    int selectedFilter = 0;
    QString caption;
};

// Shows the open dialog in the remembered folder; a chosen file's folder is remembered.
std::optional<std::string> BrowseForFile(SheetContext& context, QWidget* parent,
                                         const BrowseRequest& request);

// The same for a save dialog.
std::optional<std::string> BrowseForSaveFile(SheetContext& context, QWidget* parent,
                                             const BrowseRequest& request);

// Qt's own file dialogs, modal over the parent.
class QtFileDialogs final : public FileDialogs {
public:
    std::optional<std::string> OpenFile(QWidget* parent, const QString& caption, const std::string& folder,
                                        const QStringList& filters, int selected) override;
    std::optional<std::string> SaveFile(QWidget* parent, const QString& caption, const std::string& folder,
                                        const QStringList& filters) override;
};

}  // namespace tidewell
