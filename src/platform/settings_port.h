#pragma once

#include <string>
#include <string_view>

namespace tidewell {

// Access to the program's settings registry: sections are subkey paths below
// the program's root, values are integers (DWORD) or strings. A missing value
// reads as the default; a write creates the section and the value. A write is
// false when the value could not be stored; the store has then told the user,
// and the value holds in memory for the run.
class SettingsPort {
public:
    virtual ~SettingsPort() = default;
    virtual int ReadSettingInt(std::string_view section, std::string_view name, int defaultValue) = 0;
    virtual bool WriteSettingInt(std::string_view section, std::string_view name, int value) = 0;
    virtual std::string ReadSettingString(std::string_view section, std::string_view name,
                                          std::string_view defaultValue) = 0;
    virtual bool WriteSettingString(std::string_view section, std::string_view name,
                                    std::string_view value) = 0;
    // Between these, writes may change memory only and be stored once at the end (see
    // SettingsBatch). A store that stores every write at once ignores them.
    virtual void BeginBatch() {}
    // False when what the batch wrote could not be stored (told as a failed write is).
    virtual bool EndBatch() { return true; }
};

// Writes that belong together (a dialog's OK, its close), stored once: by Finish, or when the
// value goes.
class SettingsBatch {
public:
    explicit SettingsBatch(SettingsPort& settings) : m_settings(settings) { m_settings.BeginBatch(); }
    ~SettingsBatch() {
        if (!m_finished) m_settings.EndBatch();
    }
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;

    // Stores the batch now; false when it could not be stored.
    bool Finish() {
        m_finished = true;
        return m_settings.EndBatch();
    }

private:
    SettingsPort& m_settings;
    bool m_finished = false;
};

}  // namespace tidewell
