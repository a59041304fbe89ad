// Loads arbitrary bytes as a schedule file, plain or protected (the first
// byte chooses whether the rest is wrapped in the outer layer first, so that
// the inner container is reached too), and saves what loaded. With bit 4 of the
// first byte set, the bytes are the journal of claimed runs beside a file of
// one task instead.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "crypto/outer_scramble.h"
#include "platform/memory_settings.h"
#include "schedule_file/claims_journal.h"
#include "schedule_file/schedule_store.h"
#include "support/recording_message_box.h"
#include "timing/standard_random.h"

namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tw-fuzz-schedule-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) abort();
        return pattern;
    }();
    return folder;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) abort();
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tidewell;
    if (size == 0) return 0;
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 1) bytes = WrapOuterScramble(bytes);
    const std::string path = Folder() + "/schedule.rws";
    const std::string journal = ClaimsJournalPath(path);
    const bool asJournal = (data[0] & 4) != 0;
    WriteBytes(path, asJournal ? "" : bytes);
    WriteBytes(journal, asJournal ? bytes : "");
    FixedClock clock(DateTime::FromParts(2006, 3, 13, 12));
    StandardRandomSource random(1);
    MemorySettings settings;
    RecordingMessageBox messages;
    ScheduleStoreContext context{clock, random, settings, messages, (data[0] & 2) ? "s3cret!" : ""};
    LoadOptions options;
    options.keepDamagedAside = false;
    TaskList list;
    if (asJournal) {
        TaskRecord task;
        task.title = "claimed";
        list.Add(task);
        if (!WriteTaskList(path, list, context)) abort();
    }
    LoadReport report = LoadTaskList(path, list, context, options);
    if (report.loaded) {
        if (!SaveTaskList(path, list, context)) abort();
        TaskList again;
        if (!LoadTaskList(path, again, context, options).loaded) abort();
    }
    return 0;
}
