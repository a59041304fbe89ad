#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "app/task_sheet/options_page.h"
#include "app/task_sheet/options_sheet.h"
#include "app/task_sheet/sheet_context.h"
#include "model/task_defaults.h"
#include "platform/memory_settings.h"
#include "runtime/sound_notice_player.h"
#include "support/recording_audio.h"
#include "support/recording_message_box.h"
#include "support/recording_tray.h"
#include "support/scripted_file_dialogs.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "support/test_clock.h"
#include "text/language.h"
#include "text/messages.h"

// Failures name texts, not bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tidewell::testing {

// A task sheet's surroundings: settings in memory, a recording message box, a standing clock,
// scripted file dialogs and a player on a recording audio port.
class SheetFixture : public ::testing::Test {
protected:
    SheetFixture()
        : m_clock(DateTime::FromParts(2026, 12, 7, 12, 0, 0)),
          m_player(m_audio, m_tray, m_settings),
          m_context{m_settings, m_messageBox, m_clock, m_random, m_dialogs, m_player, {}, {}, false, false} {
        SetLanguage(kLcidEnglish);
    }
    ~SheetFixture() override { SetLanguage(kLcidEnglish); }

    template <typename Widget>
    static Widget* Find(const QWidget* parent, const char* name) {
        Widget* widget = parent->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // The texts of the message boxes shown so far.
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const MessageBoxCall& call : m_messageBox.Calls()) texts.push_back(call.text);
        return texts;
    }

    TempDir m_folder;
    TestClock m_clock;
    MemorySettings m_settings;
    RecordingMessageBox m_messageBox;
    FixedRandom m_random{1};
    ScriptedFileDialogs m_dialogs;
    RecordingAudio m_audio;
    RecordingTray m_tray;
    SoundNoticePlayer m_player;
    SheetContext m_context;
};

}  // namespace tidewell::testing
