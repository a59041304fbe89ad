#pragma once

#include <string_view>

namespace tidewell::schedule_keys {

// The header comment, the "Info" section and the keys of a task section of
// the schedule file, in the order they are written.
inline constexpr std::string_view kHeader =
    "Verimont Tidewell 2.5 configuration file\r\nPlease don't edit this file by yourself";
inline constexpr std::string_view kInfoSection = "Info";
inline constexpr std::string_view kInfoKey = "Info";
inline constexpr std::string_view kInfoValue = "Tidewell Job List";
inline constexpr const char* kSectionNameFormat = "%s %d";

inline constexpr std::string_view kTitle = "Title";
inline constexpr std::string_view kComment = "Comment";
inline constexpr std::string_view kStatus = "Status";
inline constexpr std::string_view kEnabled = "Enabled";
inline constexpr std::string_view kTaskType = "TI TaskType";
inline constexpr std::string_view kProgramPath = "TI Program Path";
inline constexpr std::string_view kParameter = "TI Parameter";
inline constexpr std::string_view kMacroPath = "TI Macro Path";
inline constexpr std::string_view kMacroPassword = "TI Macro Password";
inline constexpr std::string_view kNoticeMsg = "TI Notice Msg";
inline constexpr std::string_view kSwoType = "TI SWO Type";
inline constexpr std::string_view kSwoForce = "TI SWO Force";
inline constexpr std::string_view kSwoWaitingTime = "TI SWO Waiting Time";
inline constexpr std::string_view kNoticeSound = "SndI Notice Sound";
inline constexpr std::string_view kSoundType = "SndI Type";
inline constexpr std::string_view kSoundDuration = "SndI Duration";
inline constexpr std::string_view kBeepFrequency = "SndI Beep Frequency";
inline constexpr std::string_view kBeepBeep = "SndI Beep Beep";
inline constexpr std::string_view kBeepDelay = "SndI Beep Delay";
inline constexpr std::string_view kMusicFilePath = "SnI Music File Path";
inline constexpr std::string_view kRandomEnable = "Randomization Enable";
inline constexpr std::string_view kRandomAdjustValid = "Randomization Adjust Valid RP";
inline constexpr std::string_view kRandomPeriod = "Randomization RP Total Seconds";
inline constexpr std::string_view kRandomDecidedTime = "Randomization Decided Time";
inline constexpr std::string_view kRandomFinalSet = "Randomization Final Set";
inline constexpr std::string_view kRandomFinalTime = "Randomization Final Time";
inline constexpr std::string_view kRandomOverTime = "Randomization Over Time";
inline constexpr std::string_view kWaitingQuantity = "Waiting Quantity";
inline constexpr std::string_view kWaitingUnit = "Waiting Unit";
inline constexpr std::string_view kStartingTime = "SchI Starting Time";
inline constexpr std::string_view kHaveEndingTime = "SchI Have Ending Time";
inline constexpr std::string_view kEndingTime = "SchI Ending Time";
inline constexpr std::string_view kHaveNextRunTime = "SchI Have Next Run Time";
inline constexpr std::string_view kNextRunTime = "SchI Next Run Time";
inline constexpr std::string_view kHaveLastRunTime = "SchI Have Last Run Time";
inline constexpr std::string_view kLastRunTime = "SchI Last Run Time";
inline constexpr std::string_view kDaily = "SchI Daily";
inline constexpr std::string_view kWeekly = "SchI Weekly";
inline constexpr std::string_view kMonthly = "SchI Monthly";
inline constexpr std::string_view kYearly = "SchI Yearly";
inline constexpr std::string_view kOnce = "SchI Once or Several Times";
inline constexpr std::string_view kRepeatQuantity = "SchI Repeaint - Quantity";
inline constexpr std::string_view kRepeatUnit = "SchI Repeaint - Unit";
inline constexpr std::string_view kCountDownShowDays = "SchI Count Down - Show Days";
inline constexpr std::string_view kCountDownRunning = "SchI Count Down - Count Down";
inline constexpr std::string_view kCountDownDays = "SchI Count Down - Days";
inline constexpr std::string_view kCountDownSeconds = "SchI Count Down - Seconds";
inline constexpr std::string_view kAtLogonWait = "SchI At Logon - Wait";
inline constexpr std::string_view kAtLogonWaitQuantity = "SchI At Logon - Wait Quantity";
inline constexpr std::string_view kAtLogonWaitUnit = "SchI At Logon - Wait Unit";
// Read when present, never written: its content is not taken over.
inline constexpr std::string_view kDailyRepeat = "SchI Daily Repeat";

}  // namespace tidewell::schedule_keys
