// The settings store as the program uses it: a user root of about a hundred values (options,
// columns, Find history, remembered folders). Figures: one read of a value from the store, and
// beside it the whole-file read every read paid when the store kept nothing in memory; the
// durable file replacements (counter "replacements") of one Options OK and one Find close, and
// of the same writes made one by one, as they were before writes came in batches.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

#include "config/find_settings.h"
#include "config/program_options.h"
#include "config/settings_keys.h"
#include "files/file_faults.h"
#include "files/whole_file.h"
#include "store/registry_store.h"
#include "support/temp_dir.h"

namespace {

using namespace tidewell;

// Counts the renames of staged files over their targets: one per durable replacement.
class ReplacementCount {
public:
    ReplacementCount() {
        SetFileFaultHook([this](FileStep step, const std::string&) {
            if (step == FileStep::rename) ++m_count;
            return 0;
        });
    }
    ~ReplacementCount() { SetFileFaultHook({}); }
    int Count() const { return m_count; }

private:
    int m_count = 0;
};

void FillUserRoot(SettingsPort& settings) {
    for (int i = 0; i < 80; ++i) {
        if (!settings.WriteSettingInt("Tidewell\\Columns", "Width " + std::to_string(i), 100 + i)) return;
    }
    for (int i = 0; i < 20; ++i) {
        if (!settings.WriteSettingString("Tidewell\\Folders", "Folder " + std::to_string(i),
                                         "/home/ann/Documents/folder number " + std::to_string(i))) {
            return;
        }
    }
}

void BM_SettingsRead(benchmark::State& state) {
    testing::TempDir temp;
    RegistryStore store(temp.Path());
    FillUserRoot(store);
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.ReadSettingInt("Tidewell\\Columns", "Width 40", 0));
    }
}
BENCHMARK(BM_SettingsRead);

void BM_SettingsReadWholeFile(benchmark::State& state) {
    testing::TempDir temp;
    RegistryStore store(temp.Path());
    FillUserRoot(store);
    std::string bytes;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadWholeFile(store.FilePath(), bytes, kRegistryFileLimit).ok());
    }
}
BENCHMARK(BM_SettingsReadWholeFile);

// Each option written on its own: a replacement per changed value.
Result WriteOptionsOneByOne(SettingsPort& settings, const ProgramOptions& options) {
    using namespace app_keys;
    return FirstFailure(
        {settings.WriteSettingInt(kConfigSection, kAutoSave, options.autoSave ? 1 : 0),
         settings.WriteSettingInt(kConfigSection, kFileReminder, options.remindFileErrors ? 1 : 0),
         settings.WriteSettingInt(kConfigSection, kMusicReminder, options.remindMusicErrors ? 1 : 0),
         settings.WriteSettingInt(kUpdateSection, kAutoUpdate, options.autoUpdate ? 1 : 0),
         settings.WriteSettingInt(kScheduleSection, kYearlySummaryUseRange,
                                  options.yearlySummaryUseRange ? 1 : 0),
         settings.WriteSettingInt(kScheduleSection, kYearlySummaryMonthFormat,
                                  options.yearlySummaryMonthFormat)});
}

template <bool kBatched>
void BM_OptionsOk(benchmark::State& state) {
    testing::TempDir temp;
    RegistryStore store(temp.Path());
    FillUserRoot(store);
    ProgramOptions options = ReadProgramOptions(store);
    int replacements = 0;
    int closes = 0;
    for (auto _ : state) {
        // Every option changed: the most an OK can write.
        options.autoSave = !options.autoSave;
        options.remindFileErrors = !options.remindFileErrors;
        options.remindMusicErrors = !options.remindMusicErrors;
        options.autoUpdate = !options.autoUpdate;
        options.yearlySummaryUseRange = !options.yearlySummaryUseRange;
        options.yearlySummaryMonthFormat = 1 - options.yearlySummaryMonthFormat;
        ReplacementCount count;
        const Result written =
            kBatched ? WriteProgramOptions(store, options) : WriteOptionsOneByOne(store, options);
        if (!written) {
            state.SkipWithError(written.message().c_str());
            return;
        }
        replacements += count.Count();
        ++closes;
    }
    state.counters["replacements"] = static_cast<double>(replacements) / closes;
}
BENCHMARK(BM_OptionsOk<true>)->Name("BM_OptionsOk");
BENCHMARK(BM_OptionsOk<false>)->Name("BM_OptionsOkOneByOne");

template <bool kBatched>
void BM_FindClose(benchmark::State& state) {
    testing::TempDir temp;
    RegistryStore store(temp.Path());
    FillUserRoot(store);
    FindDialogSettings options;
    std::vector<std::string> history;
    int replacements = 0;
    int closes = 0;
    for (auto _ : state) {
        // A new search text moves every entry of a full history down by one.
        history.insert(history.begin(), "search " + std::to_string(closes));
        if (history.size() > kFindHistoryStored) history.pop_back();
        options.matchCase = !options.matchCase;
        ReplacementCount count;
        std::optional<SettingsBatch> batch;  // as the dialog's close does
        if (kBatched) batch.emplace(store);
        const Result written =
            FirstFailure({WriteFindSettings(store, options), WriteFindHistory(store, history),
                          batch ? batch->Finish() : Result::Ok()});
        if (!written) {
            state.SkipWithError(written.message().c_str());
            return;
        }
        replacements += count.Count();
        ++closes;
    }
    state.counters["replacements"] = static_cast<double>(replacements) / closes;
}
BENCHMARK(BM_FindClose<true>)->Name("BM_FindClose");
BENCHMARK(BM_FindClose<false>)->Name("BM_FindCloseOneByOne");

}  // namespace
