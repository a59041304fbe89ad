// A schedule-sized settings document: 10,000 task sections of 40 keys, every fifth task with a
// multi-line comment block. Figures: load from text, read back every key, both, and writing it.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "format/settings_text.h"

namespace {

using tidewell::SettingsText;

constexpr int kTasks = 10000;
constexpr int kKeysPerTask = 40;

const std::vector<std::string>& SectionNames() {
    static const std::vector<std::string> names = [] {
        const char* types[] = {"Daily", "Weekly", "Monthly", "Yearly", "Once", "Repeating"};
        std::vector<std::string> all;
        for (int i = 0; i < kTasks; ++i) {
            all.push_back(std::string(types[i % 6]) + " " + std::to_string(i / 6 + 1));
        }
        return all;
    }();
    return names;
}

const std::vector<std::string>& KeyNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (int k = 0; k < kKeysPerTask; ++k) {
            all.push_back((k < 20 ? "TI Field " : "SchI Field ") + std::to_string(k));
        }
        return all;
    }();
    return names;
}

void Fill(SettingsText& doc) {
    doc.SetHeader("Verimont Tidewell 2.5 configuration file\r\nPlease don't edit this file");
    doc.WriteString("Info", "Info", "Tidewell Job List");
    for (int i = 0; i < kTasks; ++i) {
        const std::string& section = SectionNames()[static_cast<std::size_t>(i)];
        for (int k = 0; k < kKeysPerTask; ++k) {
            const std::string& key = KeyNames()[static_cast<std::size_t>(k)];
            if (k == 0 && i % 5 == 0) {
                doc.WriteString(section, key, "first line <of>\r\nsecond line\r\n<B End> third");
            } else if (k % 3 == 0) {
                doc.WriteInt(section, key, i * k);
            } else if (k % 3 == 1) {
                doc.WriteBool(section, key, (i + k) % 2 == 0);
            } else {
                doc.WriteString(section, key, "2006-05-29 08:00:00 value " + std::to_string(i));
            }
        }
    }
}

const std::string& DocumentText() {
    static const std::string text = [] {
        SettingsText doc;
        Fill(doc);
        return doc.SaveToString();
    }();
    return text;
}

std::size_t ReadEveryKey(const SettingsText& doc) {
    std::size_t found = 0;
    std::string value;
    for (const std::string& section : SectionNames()) {
        for (const std::string& key : KeyNames()) {
            found += doc.ReadString(section, key, "", value) ? 1 : 0;
        }
    }
    return found;
}

void BM_LoadFromString(benchmark::State& state) {
    const std::string& text = DocumentText();
    for (auto _ : state) {
        SettingsText doc;
        doc.LoadFromString(text);
        benchmark::DoNotOptimize(doc.Lines().size());
    }
    SettingsText doc;
    doc.LoadFromString(text);
    state.counters["lines"] = static_cast<double>(doc.Lines().size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_ReadEveryKey(benchmark::State& state) {
    SettingsText doc;
    doc.LoadFromString(DocumentText());
    std::size_t found = 0;
    for (auto _ : state) {
        found = ReadEveryKey(doc);
        benchmark::DoNotOptimize(found);
    }
    state.counters["keys"] = static_cast<double>(found);
    if (found != static_cast<std::size_t>(kTasks) * kKeysPerTask) {
        state.SkipWithError("not every key was found");
    }
}

void BM_LoadAndReadEveryKey(benchmark::State& state) {
    const std::string& text = DocumentText();
    for (auto _ : state) {
        SettingsText doc;
        doc.LoadFromString(text);
        benchmark::DoNotOptimize(ReadEveryKey(doc));
    }
}

void BM_WriteEveryKeyAndSave(benchmark::State& state) {
    for (auto _ : state) {
        SettingsText doc;
        Fill(doc);
        benchmark::DoNotOptimize(doc.SaveToString().size());
    }
}

}  // namespace

BENCHMARK(BM_LoadFromString)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_ReadEveryKey)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_LoadAndReadEveryKey)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_WriteEveryKeyAndSave)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
