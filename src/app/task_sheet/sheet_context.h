#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "overview/description.h"
#include "platform/settings_port.h"
#include "time/clock.h"
#include "timing/random_source.h"
#include "ui_ports/message_box.h"

class QWidget;

namespace tidewell {

class SoundNoticePlayer;

// The open and save dialogs for files. The program shows Qt's; tests answer from a script.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file, or nothing when the user cancelled. `filters` are Qt name filters,
    // `selected` the index of the one shown first.
    virtual std::optional<std::string> OpenFile(QWidget* parent, const QString& caption,
                                                const std::string& folder, const QStringList& filters,
                                                int selected) = 0;
    virtual std::optional<std::string> SaveFile(QWidget* parent, const QString& caption,
                                                const std::string& folder, const QStringList& filters) = 0;
};

// What the pages of the task sheets and the notice text editor take from the program. The
// pages edit one task record that the sheet's caller owns; this is everything else.
struct SheetContext {
    SettingsPort& settings;
    MessageBoxService& messageBox;
    const Clock& clock;
    RandomSource& random;
    FileDialogs& fileDialogs;
    SoundNoticePlayer& player;              // the sound page's Try
    std::vector<std::string> mediaFolders;  // where the default sounds are found
    DescriptionOptions descriptions;        // how the summary writes month lists
    bool peEdition = false;                 // macro tasks are not offered
    bool macroChecking = false;             // the macro engine is present: macro paths are checked
};

}  // namespace tidewell
