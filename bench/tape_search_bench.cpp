// Searching a year of daily tapes: 400 files of 2,500 steps each (10^6 steps), written as
// the journal writes them, read from disk and searched as the earlier tapes window does,
// by amount and by text. The files are made once, by the real calculator, in a folder
// under the system's temporary folder.

#include "core/engine/engine.h"
#include "core/journal/journal_format.h"
#include "core/journal/tape_summary.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace sumiplex;

constexpr int kFiles = 400;
constexpr int kStepsPerFile = 2500;

// One day of an office's keying: amounts added and taken off, line results, now and then a
// percentage, an amount keyed with 万, a note, and a fresh start.
std::string dayOfSteps(std::mt19937& random, int day) {
    engine::Tape tape;
    engine::Engine calc(tape, [] { return std::chrono::seconds(9 * 3600); });
    journal::JournalEncoder encoder;
    const auto now = journal::LocalTime{std::chrono::days(20'000 + day)};
    std::string body;
    tape.addListener({.recorded =
                          [&](const engine::TapeEntry& entry, std::u16string_view piece) {
                              body +=
                                  encoder.appendEntry(entry, tape.entries().size() - 1, piece, now);
                          },
                      .noteChanged = {}});
    const auto type = [&](const std::u16string& line) {
        for (std::size_t i = 1; i <= line.size(); ++i) {
            calc.typed(line.substr(0, i), static_cast<int>(i));
            calc.keyReleased(engine::Key::Other);
        }
        calc.keyReleased(engine::Key::Enter);
    };
    std::uniform_int_distribution<int> amount(1, 99'999);
    std::uniform_int_distribution<int> kind(0, 99);
    while (tape.entries().size() < kStepsPerFile) {
        const int k = kind(random);
        const auto n = [&] {
            const std::string s = std::to_string(amount(random));
            return std::u16string(s.begin(), s.end());
        };
        if (k < 70)
            type(n() + u"+");
        else if (k < 85)
            type(n() + u"-");
        else if (k < 95)
            type(n() + u"*3");
        else if (k < 97)
            calc.allClear();
        else if (k < 98)
            type(u"2万+");
        else if (k < 99 && day % 4 == 0)
            type(u"10%-");
        else
            (void)tape.setNote(tape.entries().size() - 1, u"伝票No." + n());
        if (!calc.view().input.text.empty())
            calc.typed({}, 0); // a line result is not carried on
    }
    return body;
}

const std::vector<fs::path>& yearOfTapes() {
    static const std::vector<fs::path> files = [] {
        const fs::path dir = fs::temp_directory_path() / "sumiplex-search-bench";
        fs::create_directories(dir);
        std::vector<fs::path> paths;
        std::mt19937 random(7);
        for (int day = 0; day < kFiles; ++day) {
            const fs::path path = dir / ("day" + std::to_string(day) + ".tape");
            paths.push_back(path);
            if (fs::exists(path))
                continue;
            const std::string body = dayOfSteps(random, day);
            std::ofstream(path, std::ios::binary)
                << journal::headerLine(journal::JournalState::Complete, body.size(), "0.1.0")
                << body;
        }
        return paths;
    }();
    return files;
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

void searchYear(benchmark::State& state, const char16_t* text) {
    const std::vector<fs::path>& files = yearOfTapes();
    const journal::TapeNeedle needle = journal::makeNeedle(text);
    std::size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const fs::path& path : files)
            found += journal::searchTapeFile(readAll(path), needle).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
}

void readYear(benchmark::State& state) {
    const std::vector<fs::path>& files = yearOfTapes();
    for (auto _ : state) {
        std::size_t entries = 0;
        for (const fs::path& path : files)
            entries += journal::readJournal(readAll(path)).entries.size();
        state.counters["entries"] = static_cast<double>(entries);
    }
}

// What listing the year costs: each file indexed and its first and last total read.
void listYear(benchmark::State& state) {
    const std::vector<fs::path>& files = yearOfTapes();
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const fs::path& path : files) {
            const std::string bytes = readAll(path);
            lines += journal::indexJournal(bytes).lineCount();
            benchmark::DoNotOptimize(journal::fileTotals(bytes));
        }
        state.counters["lines"] = static_cast<double>(lines);
    }
}

} // namespace

BENCHMARK(listYear)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchYear, amount_3840, u"3840")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchYear, amount_in_words, u"2万")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchYear, rare_amount, u"123,456,789")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(searchYear, note, u"伝票No.4711")->Unit(benchmark::kMillisecond);
// Every file read whole: what the search costs where no file can be passed over.
BENCHMARK(readYear)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
