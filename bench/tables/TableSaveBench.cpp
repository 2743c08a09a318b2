// Saving a table of 10^6 rows by 8 columns through the table library, beside a
// plain buffered writer (stdio, one fwrite per line) writing the very same bytes.
// Rows 1 ms apart (waveform exports) and 1 s apart (statistic exports, every row a
// new calendar second). Files go to a temporary folder that is removed at the end;
// the benchmark refuses to run without 2 GB of free disk.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "lib/tables/Tabulist.h"
#include "platform/base/Encoding.h"

namespace {

constexpr int kRows = 1'000'000;
constexpr int kColumns = 8;
constexpr std::uintmax_t kNeededDisk = 2ull << 30;

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tabulist-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!m_path.empty()) {
            std::filesystem::remove_all(m_path, ignored);
        }
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

bool EnoughDisk(benchmark::State& state, const std::filesystem::path& folder) {
    std::error_code error;
    const auto space = std::filesystem::space(folder.empty() ? std::filesystem::temp_directory_path() : folder, error);
    if (folder.empty() || error || space.available < kNeededDisk) {
        state.SkipWithError("not enough free disk (2 GB) in the temporary folder");
        return false;
    }
    return true;
}

ITable* MakeTable(std::int64_t stepNanoseconds) {
    std::vector<std::wstring> columns;
    for (int c = 0; c < kColumns; ++c) {
        columns.push_back(L"L" + std::to_wstring(c + 1) + L"_AVG");
    }
    ITable* table = Tabulist_CreateTable(L"电压有效值( 单位:V)", columns);
    const std::int64_t start = 1'709'618'829'120'000'000;  // 2024-03-05
    std::vector<float> values(kColumns);
    for (int row = 0; row < kRows; ++row) {
        for (int c = 0; c < kColumns; ++c) {
            values[c] = 220.0f + static_cast<float>((row * 7 + c * 13) % 1000) * 0.037f;
        }
        table->AddRow(start + row * stepNanoseconds, values);
    }
    return table;
}

// Saves once through the library and returns the file's bytes (for the reference).
std::string SaveOnce(ITabulist* writer, const std::filesystem::path& folder, int format) {
    if (!writer->Save(platform::FromPath(folder / "bench"), format)) {
        return {};
    }
    const std::filesystem::path file = platform::ToPath(std::wstring_view(writer->GetSavedPath()));
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::filesystem::remove(file);
    return bytes.str();
}

void ReportRates(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kRows,
                                                  benchmark::Counter::kIsRate);
}

// Arguments: row step in milliseconds, format (0 csv, 1 txt).
void BM_TabulistSave(benchmark::State& state) {
    ScratchFolder folder;
    if (!EnoughDisk(state, folder.Path())) {
        return;
    }
    ITabulist* writer = Tabulist_CreateTabulist();
    ITable* table = MakeTable(state.range(0) * 1'000'000);
    writer->AddTable(table);
    table->Release();
    const int format = static_cast<int>(state.range(1));
    std::size_t bytes = 0;
    for (auto _ : state) {
        if (!writer->Save(platform::FromPath(folder.Path() / "bench"), format)) {
            state.SkipWithError("save failed");
            break;
        }
        state.PauseTiming();
        const std::filesystem::path file = platform::ToPath(std::wstring_view(writer->GetSavedPath()));
        bytes = std::filesystem::file_size(file);
        std::filesystem::remove(file);
        state.ResumeTiming();
    }
    writer->Release();
    ReportRates(state, bytes);
}

void BM_PlainBufferedWriter(benchmark::State& state) {
    ScratchFolder folder;
    if (!EnoughDisk(state, folder.Path())) {
        return;
    }
    std::string content;
    {
        ITabulist* writer = Tabulist_CreateTabulist();
        ITable* table = MakeTable(state.range(0) * 1'000'000);
        writer->AddTable(table);
        table->Release();
        content = SaveOnce(writer, folder.Path(), static_cast<int>(state.range(1)));
        writer->Release();
    }
    std::vector<std::size_t> lineEnds;
    for (std::size_t at = content.find('\n'); at != std::string::npos; at = content.find('\n', at + 1)) {
        lineEnds.push_back(at + 1);
    }
    const std::string file = (folder.Path() / "plain.csv").string();
    for (auto _ : state) {
        std::FILE* out = std::fopen(file.c_str(), "wb");
        std::size_t start = 0;
        for (const std::size_t end : lineEnds) {
            std::fwrite(content.data() + start, 1, end - start, out);
            start = end;
        }
        std::fclose(out);
        state.PauseTiming();
        std::filesystem::remove(file);
        state.ResumeTiming();
    }
    ReportRates(state, content.size());
}

void Arguments(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"step_ms", "txt"})->Args({1, 0})->Args({1000, 0})->Args({1000, 1});
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
}

BENCHMARK(BM_TabulistSave)->Apply(Arguments);
BENCHMARK(BM_PlainBufferedWriter)->Apply(Arguments);

}  // namespace

BENCHMARK_MAIN();
