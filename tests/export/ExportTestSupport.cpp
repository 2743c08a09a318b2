#include "ExportTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "tests/support/ProgramFolderFixture.h"

namespace exporttest {

namespace {

// Every test of the process shares one program folder with the shipped resources
// (itemInfo.ini, language files) and runs in a zone without daylight saving.
class ExportEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        testsupport::PrepareProgramFolder();
        ::setenv("TZ", "Asia/Shanghai", 1);
        ::tzset();
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ExportEnvironment);

}  // namespace

bool Samples::GetValue(std::int64_t index, double* value)
{
    if (value == nullptr || index < 0 || static_cast<std::size_t>(index) >= m_values.size()) {
        return false;
    }
    *value = m_values[static_cast<std::size_t>(index)];
    return true;
}

SourceBuilder& SourceBuilder::Add(ExportKey key, std::vector<double> values)
{
    return Add(key, std::make_unique<Samples>(std::move(values)));
}

SourceBuilder& SourceBuilder::Add(ExportKey key, std::unique_ptr<IZVDataManager> supplier)
{
    source.managers.push_back(supplier.get());
    source.keys.push_back(key);
    owned.push_back(std::move(supplier));
    return *this;
}

std::vector<double> Ramp(std::size_t count, double first)
{
    std::vector<double> values(count);
    for (std::size_t i = 0; i < count; ++i) {
        values[i] = first + static_cast<double>(i);
    }
    return values;
}

CsvRows ReadCsv(const std::filesystem::path& file)
{
    CsvRows rows;
    const auto bytes = platform::ReadFileBytes(file);
    if (!bytes) {
        ADD_FAILURE() << "cannot read " << file;
        return rows;
    }
    const std::wstring text = platform::GbkToWide(*bytes);
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(L'\n', at);
        if (end == std::wstring::npos) {
            ADD_FAILURE() << file << ": the last line has no line end";
            end = text.size();
        }
        std::wstring line = text.substr(at, end - at);
        if (line.empty() || line.back() != L'\r') {
            ADD_FAILURE() << file << ": a line does not end in CR LF";
        } else {
            line.pop_back();
        }
        std::vector<std::wstring> cells;
        std::size_t start = 0;
        for (std::size_t comma; (comma = line.find(L',', start)) != std::wstring::npos; start = comma + 1) {
            cells.push_back(line.substr(start, comma - start));
        }
        if (start != line.size()) {
            ADD_FAILURE() << file << ": a line does not end in a comma";
            cells.push_back(line.substr(start));
        }
        rows.push_back(std::move(cells));
        at = end + 1;
    }
    return rows;
}

CsvRows ReadCsv(const std::wstring& file)
{
    return ReadCsv(platform::ToPath(std::wstring_view(file)));
}

std::vector<std::filesystem::path> CsvFiles(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".csv") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::filesystem::path CsvFile(const std::filesystem::path& folder, const std::wstring& prefix)
{
    std::vector<std::filesystem::path> found;
    for (const auto& file : CsvFiles(folder)) {
        if (Wide(file.filename()).rfind(prefix, 0) == 0) {
            found.push_back(file);
        }
    }
    if (found.size() != 1) {
        ADD_FAILURE() << found.size() << " files start with " << Narrow(prefix);
        return {};
    }
    return found.front();
}

std::wstring Wide(const std::filesystem::path& path)
{
    return platform::FromPath(path);
}

std::string Narrow(const std::wstring& text)
{
    return platform::WideToUtf8(text);
}

std::wstring Cell(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", static_cast<double>(static_cast<float>(value)));
    return platform::Utf8ToWide(buffer);
}

std::wstring TimeCell(int year, int month, int day, int hour, int minute, int second, int millisecond,
                      int microsecond)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "  %04d-%02d-%02d %02d:%02d:%02d.%03d", year, month, day, hour, minute,
                  second, millisecond);
    std::string text = buffer;
    if (microsecond >= 0) {
        std::snprintf(buffer, sizeof buffer, ".%03d", microsecond);
        text += buffer;
    }
    return platform::Utf8ToWide(text);
}

}  // namespace exporttest
