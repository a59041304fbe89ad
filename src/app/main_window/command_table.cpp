#include "app/main_window/command_table.h"

#include <algorithm>
#include <array>

#include "text/messages.h"

namespace tidewell {
namespace {

constexpr std::array kCommands{
    CommandInfo{kCmdToggleScheduling, "actionToggleScheduling", IDS_TIDEWELL_MENU_FILE_STOP_SCHEDULING_T,
                IDS_TIDEWELL_COMMAND_TIP_FILE_STOP_SCHEDULING, "Ctrl+S"},
    CommandInfo{kCmdSave, "actionSave", IDS_DIALOG_SAVE_S, IDS_TIDEWELL_COMMAND_TIP_FILE_SAVE, ""},
    CommandInfo{kCmdRunInBackground, "actionRunInBackground", IDS_MENU_FILE_RUN_IN_BACKGROUND_B,
                IDS_TIDEWELL_COMMAND_TIP_FILE_RUN_IN_BACKGROUND, "Ctrl+G"},
    CommandInfo{kCmdExitCompletely, "actionExitCompletely", IDS_MENU_FILE_EXIT_COMPLETELY_X,
                IDS_TIDEWELL_COMMAND_TIP_FILE_EXIT_COMPLETELY, ""},
    CommandInfo{kCmdRunNow, "actionRunNow", IDS_TIDEWELL_MENU_SCHEDULE_RUN_TASK_R,
                IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_RUN, "F5"},
    CommandInfo{kCmdAddTask, "actionAddTask", IDS_DIALOG_ADD_A, IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_ADD,
                "Ctrl+A"},
    CommandInfo{kCmdCopyTask, "actionCopyTask", IDS_DIALOG_COPY_C, IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_COPY,
                "Ctrl+C"},
    CommandInfo{kCmdDeleteTask, "actionDeleteTask", IDS_DIALOG_DELETE_D,
                IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_DELETE, "Ctrl+D"},
    CommandInfo{kCmdEditTask, "actionEditTask", IDS_DIALOG_EDIT_E, IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_EDIT,
                "Ctrl+E"},
    CommandInfo{kCmdFind, "actionFind", IDS_MENU_EDIT_FIND_F, IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_FIND,
                "Ctrl+F"},
    CommandInfo{kCmdFindNext, "actionFindNext", IDS_MENU_EDIT_FIND_NEXT_N,
                IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_FIND_NEXT, "F3"},
    CommandInfo{kCmdToggleEnabled, "actionToggleEnabled", IDS_TIDEWELL_MENU_SCHEDULE_DISABLE_B,
                IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_DISABLE, "Ctrl+B"},
    CommandInfo{kCmdPauseCountDown, "actionPauseCountDown", IDS_TIDEWELL_MENU_SCHEDULE_PAUSE_T, 0, "Ctrl+P"},
    CommandInfo{kCmdClearCountDown, "actionClearCountDown", IDS_TIDEWELL_MENU_SCHEDULE_CLEAR_AND_STOP_L, 0,
                "Ctrl+L"},
    CommandInfo{kCmdToolbar, "actionToolbar", IDS_TIDEWELL_MENU_VIEW_TOOLBAR_T,
                IDS_TIDEWELL_COMMAND_TIP_VIEW_TOOLBAR, ""},
    CommandInfo{kCmdStatusBar, "actionStatusBar", IDS_TIDEWELL_MENU_VIEW_STATUS_BAR_S,
                IDS_TIDEWELL_COMMAND_TIP_VIEW_STATUS_BAR, ""},
    CommandInfo{kCmdViewLog, "actionViewLog", IDS_TIDEWELL_MENU_VIEW_LOG_L, IDS_TIDEWELL_COMMAND_TIP_VIEW_LOG,
                ""},
    CommandInfo{kCmdQuickView, "actionQuickView", IDS_TIDEWELL_MENU_VIEW_QUICK_VIEW_Q,
                IDS_TIDEWELL_COMMAND_TIP_VIEW_QUICK_VIEW, ""},
    CommandInfo{kCmdClockSynchronization, "actionClockSynchronization",
                IDS_TIDEWELL_MENU_TIME_CLOCK_SYNCHRONIZATION_C,
                IDS_TIDEWELL_COMMAND_TIP_TIME_CLOCK_SYNCHRONIZE, ""},
    CommandInfo{kCmdStatistics, "actionStatistics", IDS_TIDEWELL_MENU_TOOLS_STATISTICS_S,
                IDS_TIDEWELL_COMMAND_TIP_TOOLS_STATISTICS, "Ctrl+I"},
    CommandInfo{kCmdOptions, "actionOptions", IDS_TIDEWELL_MENU_TOOLS_OPTIONS_O,
                IDS_TIDEWELL_COMMAND_TIP_TOOLS_OPTIONS, "Ctrl+O"},
    CommandInfo{kCmdMute, "actionMute", IDS_TIDEWELL_MENU_SOUND_MUTE_M, IDS_TIDEWELL_COMMAND_TIP_SOUND_MUTE,
                "Ctrl+M"},
    CommandInfo{kCmdStopSound, "actionStopSound", IDS_TIDEWELL_MENU_SOUND_STOP_SOUND_S,
                IDS_TIDEWELL_COMMAND_TIP_SOUND_STOP_SOUND, "Ctrl+T"},
    CommandInfo{kCmdHelp, "actionHelp", IDS_DIALOG_HELP_H, IDS_TIDEWELL_COMMAND_TIP_HELP_HELP, "F1"},
    CommandInfo{kCmdAutoUpdate, "actionAutoUpdate", IDS_DIALOG_LVUD_CAPTION, 0, ""},
    CommandInfo{kCmdHomepage, "actionHomepage", IDS_MENU_HELP_PRODUCT_UPDATE_VISIT_PRODUCT_HOMEPAGE_H, 0, ""},
    CommandInfo{kCmdCheckUpdate, "actionCheckUpdate", IDS_MENU_HELP_PRODUCT_UPDATE_CHECK_UPDATE_NOW_N, 0, ""},
    CommandInfo{kCmdAbout, "actionAbout", IDS_MENU_MAIN_ABOUT_A, IDS_TIDEWELL_COMMAND_TIP_APP_ABOUT, ""},
    CommandInfo{kCmdShowHide, "actionShowHide", IDS_TIDEWELL_MENU_VIEW_HIDE_TIDEWELL_H,
                IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_HIDE_TIDEWELL, ""},
};

}  // namespace

std::span<const CommandInfo> CommandTable() {
    return kCommands;
}

const CommandInfo* FindCommand(CommandId id) {
    auto found =
        std::find_if(kCommands.begin(), kCommands.end(), [id](const CommandInfo& c) { return c.id == id; });
    return found == kCommands.end() ? nullptr : &*found;
}

CommandStateTexts StateTextsOf(CommandId id) {
    switch (id) {
        case kCmdToggleScheduling:
            return {IDS_TIDEWELL_MENU_FILE_STOP_SCHEDULING_T, IDS_TIDEWELL_MENU_FILE_START_SCHEDULING_T,
                    IDS_TIDEWELL_COMMAND_TIP_FILE_STOP_SCHEDULING,
                    IDS_TIDEWELL_COMMAND_TIP_FILE_START_SCHEDULING};
        case kCmdToggleEnabled:
            return {IDS_TIDEWELL_MENU_SCHEDULE_DISABLE_B, IDS_TIDEWELL_MENU_SCHEDULE_ENABLE_B,
                    IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_DISABLE, IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_ENABLE};
        case kCmdPauseCountDown:
            return {IDS_TIDEWELL_MENU_SCHEDULE_PAUSE_T, IDS_TIDEWELL_MENU_SCHEDULE_CONTINUE_T, 0, 0};
        case kCmdShowHide:
            return {IDS_TIDEWELL_MENU_VIEW_HIDE_TIDEWELL_H, IDS_TIDEWELL_MENU_VIEW_SHOW_TIDEWELL_H,
                    IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_HIDE_TIDEWELL,
                    IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_SHOW_TIDEWELL};
        default: return {0, 0, 0, 0};
    }
}

}  // namespace tidewell
