#pragma once

#include <string>
#include <string_view>

#include "base/result.h"

namespace tidewell {

// Access to the program's settings registry: sections are subkey paths below
// the program's root, values are integers (DWORD) or strings. A missing value
// reads as the default; a write creates the section and the value. A write fails
// (io) when the value could not be stored; the store has then told the user once,
// and the value holds in memory for the run. Callers say what the failure means
// for them (a log line, a status), never the message again.
class SettingsPort {
public:
    virtual ~SettingsPort() = default;
    virtual int ReadSettingInt(std::string_view section, std::string_view name, int defaultValue) = 0;
    virtual Result WriteSettingInt(std::string_view section, std::string_view name, int value) = 0;
    virtual std::string ReadSettingString(std::string_view section, std::string_view name,
                                          std::string_view defaultValue) = 0;
    virtual Result WriteSettingString(std::string_view section, std::string_view name,
                                      std::string_view value) = 0;
    // Between these, writes may change memory only and be stored once at the end (see
    // SettingsBatch). A store that stores every write at once ignores them.
    virtual void BeginBatch() {}
    // Fails when what the batch wrote could not be stored (told as a failed write is).
    virtual Result EndBatch() { return Result::Ok(); }
    // Ends a batch whose outcome nobody waits for (one left without Finish): stored as by
    // EndBatch, and a failure is told by the store as any failed write is.
    virtual void LeaveBatch() {}
};

// Writes that belong together (a dialog's OK, its close), stored once by Finish. A batch that
// goes unfinished (an early return, an exception) still stores what it holds; the store has told
// a failure then, and the values hold in memory.
class SettingsBatch {
public:
    explicit SettingsBatch(SettingsPort& settings) : m_settings(settings) { m_settings.BeginBatch(); }
    ~SettingsBatch() {
        if (!m_finished) m_settings.LeaveBatch();
    }
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

    // Stores the batch now; fails when it could not be stored.
    [[nodiscard]] Result Finish() {
        m_finished = true;
        return m_settings.EndBatch();
    }

private:
    SettingsPort& m_settings;
    bool m_finished = false;
};

}  // namespace tidewell
