// Reads arbitrary bytes as a qv.ini file. Every line that reads as a Quick View must write back
// to a line that reads as the same record and writes the same again, must select a range whose
// start is not after its end, and the file written from the accepted lines must load them back.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/quick_view_store.h"
#include "overview/quick_view.h"
#include "overview/quick_view_range.h"

namespace {

using namespace tidewell;

void Check(bool condition) {
    if (!condition) abort();
}

const std::string& Folder() {
    static const std::string folder = [] {
        const char* tmp = getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tw-fuzz-qv-XXXXXX";
        Check(mkdtemp(pattern.data()) != nullptr);
        static std::string made = pattern;
        atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(made, ignored);
        });
        return pattern;
    }();
    return folder;
}

const DateTime kToday = DateTime::FromParts(2006, 3, 15, 10);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Copies kept aside by earlier inputs go, so that every input starts alike.
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(Folder(), ignored))
        std::filesystem::remove(entry.path(), ignored);
    const std::string path = QuickViewFilePath(Folder());
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::vector<std::string> lines;
    if (!LoadQuickViewLines(path, lines).ok()) return 0;
    std::vector<QuickViewRecord> records = ParseQuickViewLines(lines, kToday);
    for (const QuickViewRecord& record : records) {
        std::string line = QuickViewLine(record);
        std::optional<QuickViewRecord> again = ParseQuickViewLine(line, kToday);
        Check(again.has_value() && *again == record);
        Check(QuickViewLine(*again) == line);
        std::optional<QuickViewRange> range = QuickViewRangeOf(record, kToday);
        Check(range.has_value() && range->start <= range->end);
        (void)QuickViewText(record);
    }
    std::vector<std::string> written = QuickViewLines(records);
    auto readable = [](std::string_view text) { return ParseQuickViewLine(text, kToday).has_value(); };
    Check(SaveQuickViewLines(path, written, readable).ok());
    std::vector<std::string> reread;
    Check(LoadQuickViewLines(path, reread).ok() && reread == written);
    return 0;
}
