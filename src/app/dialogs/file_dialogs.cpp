#include "app/dialogs/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <filesystem>

#include "app/widgets/qt_text.h"
#include "text/messages.h"

namespace tidewell {
namespace {

// "*.exe;*.com" as "*.exe *.com"; the all-files pattern "*.*" as "*".
QString QtPatterns(const QString& patterns) {
    QStringList parts = patterns.split(';', Qt::SkipEmptyParts);
    for (QString& part : parts) {
        part = part.trimmed();
        if (part == QLatin1String("*.*")) part = QStringLiteral("*");
    }
    return parts.join(' ');
}

std::optional<std::string> Remembered(SheetContext& context, const BrowseRequest& request,
                                      std::optional<std::string> chosen) {
    if (chosen && !chosen->empty()) {
        const std::string folder = ToStdString(QFileInfo(ToQString(*chosen)).absolutePath());
        // A failure is shown by the settings store, which keeps the folder for this run.
        context.settings.WriteSettingString(request.section, request.value, folder);
    }
    return chosen && !chosen->empty() ? chosen : std::nullopt;
}

// The nearest folder that exists, from `folder` upwards: the dialogs take a missing folder's
// last name for a file name.
std::string ExistingFolder(const std::string& folder) {
    std::error_code error;
    for (std::filesystem::path path(folder); !path.empty(); path = path.parent_path()) {
        if (std::filesystem::is_directory(path, error)) return path.string();
        if (path == path.parent_path()) break;
    }
    return {};
}

std::string StartFolder(SheetContext& context, const BrowseRequest& request) {
    const std::string folder = context.settings.ReadSettingString(request.section, request.value, {});
    return ExistingFolder(folder.empty() ? request.defaultFolder : folder);
}

std::optional<std::string> Chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return ToStdString(path);
}

}  // namespace

QStringList QtFileFilters(std::string_view tableFilter) {
    const QStringList parts = ToQString(tableFilter).split('|', Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const qsizetype open = name.lastIndexOf('(');
        if (open > 0) name = name.left(open).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(name, QtPatterns(parts[i + 1]));
    }
    return filters;
}

std::optional<std::string> BrowseForFile(SheetContext& context, QWidget* parent,
                                         const BrowseRequest& request) {
    const QStringList filters = QtFileFilters(LoadMessage(request.filterId));
    return Remembered(context, request,
                      context.fileDialogs.OpenFile(parent, request.caption, StartFolder(context, request),
                                                   filters, request.selectedFilter));
}

std::optional<std::string> BrowseForSaveFile(SheetContext& context, QWidget* parent,
                                             const BrowseRequest& request) {
    const QStringList filters = QtFileFilters(LoadMessage(request.filterId));
    return Remembered(
        context, request,
        context.fileDialogs.SaveFile(parent, request.caption, StartFolder(context, request), filters));
}

std::optional<std::string> QtFileDialogs::OpenFile(QWidget* parent, const QString& caption,
                                                   const std::string& folder, const QStringList& filters,
                                                   int selected) {
    QString selectedFilter = selected >= 0 && selected < filters.size() ? filters[selected] : QString();
    return Chosen(QFileDialog::getOpenFileName(parent, caption, ToQString(folder), filters.join(";;"),
                                               &selectedFilter));
}

std::optional<std::string> QtFileDialogs::SaveFile(QWidget* parent, const QString& caption,
                                                   const std::string& folder, const QStringList& filters) {
    return Chosen(QFileDialog::getSaveFileName(parent, caption, ToQString(folder), filters.join(";;")));
}

}  // namespace tidewell
