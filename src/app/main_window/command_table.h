#pragma once

#include <cstdint>
#include <span>

namespace tidewell {

// Command ids of the main window; they name the commands in the table below.
enum CommandId : int {
    kCmdToggleScheduling = 32812,
    kCmdSave = 32808,
    kCmdRunInBackground = 32822,
    kCmdExitCompletely = 32823,
    kCmdRunNow = 32803,
    kCmdAddTask = 32775,
    kCmdCopyTask = 32827,
    kCmdDeleteTask = 32776,
    kCmdEditTask = 32777,
    kCmdFind = 32828,
    kCmdFindNext = 32829,
    kCmdToggleEnabled = 32814,
    kCmdPauseCountDown = 32838,
    kCmdClearCountDown = 32872,
    kCmdToolbar = 59392,
    kCmdStatusBar = 59393,
    kCmdViewLog = 32816,
    kCmdQuickView = 32840,
    kCmdClockSynchronization = 32833,
    kCmdStatistics = 32805,
    kCmdOptions = 32801,
    kCmdMute = 32826,
    kCmdStopSound = 32825,
    kCmdHelp = 32806,
    kCmdAutoUpdate = 32835,
    kCmdHomepage = 32836,
    kCmdCheckUpdate = 32837,
    kCmdAbout = 57664,
    kCmdShowHide = 32810,
};

// One command: its widget name, menu text, status prompt and tool tip, and shortcut.
// Commands whose text or prompt follows a state carry the row of one state; the frame
// switches it (see CommandStateTexts).
struct CommandInfo {
    CommandId id;
    const char* objectName;
    int32_t textId;
    int32_t promptId;      // a COMMAND_TIP row; 0 when the command has none
    const char* shortcut;  // portable key text, empty when none
};

std::span<const CommandInfo> CommandTable();
const CommandInfo* FindCommand(CommandId id);

// Texts of commands whose caption and prompt follow a state (on = scheduling on, task
// enabled, count-down running, window visible).
struct CommandStateTexts {
    int32_t textOn;
    int32_t textOff;
    int32_t promptOn;
    int32_t promptOff;
};
// Zeros for a command that has no state texts.
CommandStateTexts StateTextsOf(CommandId id);

}  // namespace tidewell
