// The spreadsheet report on data shaped to show one behaviour each: series of
// unequal lengths or missing phases, intervals removed as invalid, and the failures
// that end a report with a message and without a file.

#include <gtest/gtest.h>

#include <cstdio>

#include "ExcelReportSupport.h"
#include "export/ExcelReporter.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ProgramFolder.h"
#include "report/ReportConfig.h"
#include "tests/support/TempDir.h"

namespace {

using namespace exporttest;
using Series = std::vector<float>;

constexpr std::uint32_t kMax = 0, kMin = 1;

Series Repeat(std::size_t count, float value)
{
    return Series(count, value);
}

Series With(Series series, std::size_t index, float value)
{
    series[index] = value;
    return series;
}

// A reporter over a model of given series, with its record and configuration.
struct Report {
    LanguageScope language;
    SeriesModel model;
    BasicInfo record;
    CReportConfig config;
    CExcelReporter reporter;
    testsupport::TempDir output;
    int result = -1;
    std::optional<XlsxBook> book;

    explicit Report(SeriesModel::Source source, int languageId = 0) : language(languageId), model(std::move(source))
    {
        record.recordCount = 20;
        record.interval = 60.0;
        record.voltageText = L"220";
        record.mvaText = L"10";
    }

    std::filesystem::path Folder() const { return output / "out"; }

    void Run()
    {
        ASSERT_EQ(reporter.Init(L"/data/K7700_0301", 3, &record, &config, &model, &model, &model, 0), 1);
        ASSERT_EQ(reporter.CheckReady(), 1);
        result = reporter.ReportOutput(platform::FromPath(Folder()), 60);
        if (result == 1) {
            book = ReadXlsx(platform::ToPath(reporter.GetOutputFile()));
        }
    }
};

std::vector<std::string> FilesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : platform::ListSorted(folder)) {
        names.push_back(platform::PathToUtf8(entry.path().filename()));
    }
    return names;
}

// Puts another file in place of the selected language's template while it lives.
class TemplateReplacement {
public:
    explicit TemplateReplacement(const char* folder, std::optional<std::string> content)
        : m_File(platform::ProgramFolder() / "Language" / folder / "ExcelTemplate.xml"),
          m_Saved(platform::ReadFileBytes(m_File))
    {
        std::filesystem::remove(m_File);
        if (content) {
            platform::AtomicWriteFile(m_File, *content);
        }
    }
    ~TemplateReplacement() { platform::AtomicWriteFile(m_File, m_Saved.value_or("")); }

private:
    std::filesystem::path m_File;
    std::optional<std::string> m_Saved;
};

// Series of unequal lengths and missing phases: a shorter MIN series counts as not
// over past its end, a missing phase or channel leaves its cells as the template
// has them, and each power quantity lands on its own rows.
TEST(ExcelReporterCases, MissingAndShortSeries)
{
    Report report([](std::uint32_t item, std::uint32_t channel, std::uint32_t statistic, std::int32_t) -> Series {
        switch (item) {
        case 13017:
            return {};  // no frequency
        case 24:
            if (channel == 1) {
                return {};
            }
            return channel == 0 && statistic == kMin ? Series{5.0f} : Repeat(4, 1.0f);
        case 10000:
            return channel == 2 ? Series() : Repeat(4, 0.5f);
        case 15:
        case 16:
        case 17:
        case 18: {
            if (channel == 3) {
                return {};
            }
            const float values[] = {1000.0f, 1100.0f, 300.0f, 0.9f};  // active, apparent, reactive, factor
            return Repeat(4, values[item - 15]);
        }
        default:
            return Repeat(4, 1.0f);
        }
    });
    report.Run();
    ASSERT_EQ(report.result, 1) << platform::WideToUtf8(report.reporter.GetReportName());
    ASSERT_TRUE(report.book);
    const XlsxSheet& voltage = report.book->sheets[0];
    const XlsxSheet& current = report.book->sheets[1];
    const XlsxSheet& quality = report.book->sheets[2];
    const XlsxSheet& passRate = report.book->sheets[3];

    ExpectCountCell(passRate, "C40", 4, "THD phase A count");
    ExpectFloatCell(passRate, "E40", 75.0f, "the one MIN value over the limit counts, the missing ones do not");
    ExpectTypedCell(voltage, "G38", L"合格", "THD phase A verdict");
    for (const char* ref : {"H38", "I38", "J38", "K38", "L38"}) {
        ExpectPlaceholder(voltage, ref, "THD of phase B without data");
    }
    ExpectPlaceholder(passRate, "G40", "THD phase B count");
    ExpectPlaceholder(passRate, "J40", "THD phase B pass rate");
    ExpectFloatCell(voltage, "M38", 1.0f, "THD phase C");
    ExpectFloatCell(voltage, "R38", 4.0f, "THD limit of 10 kV");

    for (int row = 14; row <= 37; ++row) {
        for (const char* column : {"M", "N", "O", "P", "Q"}) {
            ExpectPlaceholder(current, Ref(column, row), "current harmonic phase C");
        }
        ExpectPlaceholder(passRate, Ref("O", row), "current harmonic phase C count");
        ExpectPlaceholder(passRate, Ref("P", row), "current harmonic phase C pass rate");
        ExpectFloatCell(current, Ref("H", row), 0.5f, "current harmonic phase B");
        ExpectCountCell(passRate, Ref("M", row), 4, "current harmonic phase B count");
    }

    ExpectPlaceholder(quality, "C12", "no frequency data");
    ExpectFloatCell(quality, "C23", 1000.0f, "active power phase A");
    ExpectFloatCell(quality, "C27", 300.0f, "reactive power phase A, right after the active powers");
    ExpectFloatCell(quality, "C31", 1100.0f, "apparent power phase A");
    ExpectFloatCell(quality, "I35", 0.9f, "power factor phase A");
    for (const int row : {26, 30, 34, 38}) {
        ExpectPlaceholder(quality, Ref("C", row), "no fourth power channel");
    }
}

// With invalid intervals to be removed, a phase voltage sample outside the validity
// limits removes its interval and the neighbours from every series of that phase,
// and from frequency, unbalance and the fourth power channel through phase A; a
// series of another length and the flicker series keep every value.
TEST(ExcelReporterCases, InvalidIntervalsAreRemoved)
{
    Report report([](std::uint32_t item, std::uint32_t channel, std::uint32_t statistic, std::int32_t) -> Series {
        const Series plain = Repeat(20, 1.0f);
        switch (item) {
        case 1:
            if (statistic == kMax) {
                return channel == 0 ? With(Repeat(20, 230.0f), 5, 300.0f) : Repeat(20, 230.0f);
            }
            return Repeat(20, statistic == kMin ? 220.0f : 225.0f);
        case 13017:
            return With(Repeat(19, 50.0f), 5, 50.15f);
        case 13013:
            return With(Repeat(20, 0.5f), 5, 1.9f);
        case 13000:
            return With(Repeat(20, 0.3f), 5, 0.9f);
        case 15:
            return channel == 3 ? With(Repeat(20, 100.0f), 5, 999.0f) : plain;
        default:
            return plain;
        }
    });
    report.record.tail2 = 1;
    report.record.tailValue1 = 250.0;
    report.record.tailValue2 = 150.0;
    report.Run();
    ASSERT_EQ(report.result, 1) << platform::WideToUtf8(report.reporter.GetReportName());
    ASSERT_TRUE(report.book);
    const XlsxSheet& quality = report.book->sheets[2];
    const XlsxSheet& passRate = report.book->sheets[3];

    ExpectCountCell(passRate, "C13", 17, "fundamental voltage phase A: the interval and one on each side go");
    ExpectCountCell(passRate, "E13", 20, "fundamental voltage phase B");
    ExpectCountCell(passRate, "K13", 17, "fundamental current phase A");
    ExpectCountCell(passRate, "C40", 17, "THD phase A");
    ExpectCountCell(passRate, "G40", 20, "THD phase B");
    ExpectCountCell(passRate, "C15", 17, "voltage harmonic 3 phase A");
    ExpectCountCell(passRate, "O15", 20, "current harmonic 3 phase C");
    ExpectFloatCell(quality, "C12", 50.15f, "frequency of another length keeps its values");
    ExpectFloatCell(quality, "C13", 0.5f, "unbalance follows phase A");
    ExpectFloatCell(quality, "C14", 0.9f, "flicker keeps its values");
    ExpectFloatCell(quality, "C26", 100.0f, "the fourth power channel follows phase A");
}

// Every failure ends the report with its message and leaves no file behind.
TEST(ExcelReporterCases, FailuresLeaveAMessageAndNoFile)
{
    const auto plain = [](std::uint32_t, std::uint32_t, std::uint32_t, std::int32_t) { return Repeat(4, 1.0f); };

    {
        TemplateReplacement missing("Chinese", std::nullopt);
        Report report(plain);
        ASSERT_EQ(report.reporter.Init(L"/data/K7700_0301", 3, &report.record, &report.config, &report.model,
                                       &report.model, &report.model, 0),
                  1);
        EXPECT_EQ(report.reporter.CheckReady(), 0);
        EXPECT_EQ(report.reporter.GetReportName(), L"没有发现Excel报表模板文件，请重新安装软件。");
        EXPECT_EQ(report.reporter.ReportOutput(platform::FromPath(report.Folder()), 60), 0);
        EXPECT_EQ(report.reporter.GetReportName(), L"没有发现Excel报表模板文件，请重新安装软件。");
        EXPECT_FALSE(std::filesystem::exists(report.Folder()));
        EXPECT_EQ(report.model.readerCalls, 0) << "no data is read without a template";
    }
    {
        TemplateReplacement broken("English", "<ExcelTemplate><Sheet name='a'>");
        Report report(plain, 1);
        ASSERT_EQ(report.reporter.Init(L"/data/K7700_0301", 3, &report.record, &report.config, &report.model,
                                       &report.model, &report.model, 0),
                  1);
        EXPECT_EQ(report.reporter.CheckReady(), 0);
        EXPECT_EQ(report.reporter.GetReportName(),
                  L"The Excel report template was not found. Please reinstall the software.");
    }

    struct Case {
        const char* name;
        std::optional<std::string> templateText;  // none: the shipped one
        int readerResult;
        bool outputIsAFile;
        const wchar_t* message;
    };
    const Case cases[] = {
        {"the reader fails", std::nullopt, 0, false, L"读取统计数据失败，不能生成报告。"},
        {"the template lacks sheets",
         "<ExcelTemplate><Sheet name='1'/><Sheet name='2'/><Sheet name='3'/></ExcelTemplate>", 1, false,
         L"写入Excel报表失败，报表模板可能已损坏，请重新安装软件。"},
        {"the output folder cannot be made", std::nullopt, 1, true, L"保存Excel报表文件失败，请检查输出文件夹能否写入。"},
    };
    for (const Case& c : cases) {
        std::optional<TemplateReplacement> replaced;
        if (c.templateText) {
            replaced.emplace("Chinese", c.templateText);
        }
        Report report(plain);
        report.model.readerResult = c.readerResult;
        if (c.outputIsAFile) {
            report.output.Write("out", "not a folder");
        }
        report.Run();
        EXPECT_EQ(report.result, 0) << c.name;
        EXPECT_EQ(report.reporter.GetReportName(), c.message) << c.name;
        EXPECT_TRUE(report.reporter.GetOutputFile().empty()) << c.name;
        const std::vector<std::string> files = FilesIn(report.output.Path());
        EXPECT_TRUE(files.empty() || files == std::vector<std::string>{"out"}) << c.name;
        if (std::filesystem::is_directory(report.Folder())) {
            EXPECT_TRUE(FilesIn(report.Folder()).empty()) << c.name;
        }
    }
}

// A second report of the same data into the same folder never replaces the first.
TEST(ExcelReporterCases, ReportsNeverReplaceEachOther)
{
    const auto plain = [](std::uint32_t, std::uint32_t, std::uint32_t, std::int32_t) { return Repeat(4, 1.0f); };
    testsupport::TempDir output;
    std::vector<std::wstring> files;
    for (int run = 0; run < 2; ++run) {
        Report report(plain);
        ASSERT_EQ(report.reporter.Init(L"/data/K7700_0301", 3, &report.record, &report.config, &report.model,
                                       &report.model, &report.model, 0),
                  1);
        ASSERT_EQ(report.reporter.CheckReady(), 1);
        ASSERT_EQ(report.reporter.ReportOutput(platform::FromPath(output.Path()), 60), 1);
        files.push_back(report.reporter.GetOutputFile());
    }
    EXPECT_NE(files[0], files[1]);
    EXPECT_EQ(FilesIn(output.Path()).size(), 2u);
}

}  // namespace
