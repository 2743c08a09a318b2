// Exports of generated terminal data, read the way the program reads it: a COMTRADE
// record through the COMTRADE reader, a statistic folder through the trend reader.

#include <gtest/gtest.h>

#include <cwchar>
#include <memory>

#include "ExportTestSupport.h"
#include "export/ComtradeTabulist.h"
#include "export/RecordTabulist.h"
#include "terminal/ComtradeDataManager.h"
#include "terminal/K7700ComtradeAnalysis.h"
#include "terminal/K7700ZVViewAnalysis.h"
#include "terminal/RecordDataManager.h"
#include "tests/support/TempDir.h"
#include "tools/gen/ComtradeRecord.h"
#include "tools/gen/StatisticFolder.h"

namespace {

using namespace exporttest;

// The effective values of one phase as a view hands them to the export: one stored
// value per `samplesPerRms` samples, answering the record's sample count.
class EffectiveValues : public IZVDataManager {
public:
    EffectiveValues(std::unique_ptr<CComtradeDataManager> values, std::uint64_t samples)
        : m_values(std::move(values)), m_samples(samples)
    {
    }
    std::uint64_t GetCount() override { return m_samples; }
    bool GetValue(std::int64_t index, double* value) override { return m_values->GetValue(index, value); }

private:
    std::unique_ptr<CComtradeDataManager> m_values;
    std::uint64_t m_samples;
};

double Parse(const std::wstring& cell)
{
    return std::wcstod(cell.c_str(), nullptr);
}

// One pane of a generated record (voltage: series 1-8, current: series 9-16):
// a waveform file with a row per sample and an effective-value file with a row per
// cycle (the reader's samples per effective value), both starting at the record's
// first sample.
void ExportComtradeRecord(double rate)
{
    struct Case {
        const char* name;
        int kind;
        int firstSeries;
        const wchar_t* waveFile;
        const wchar_t* rmsFile;
        const wchar_t* waveTitle;
    };
    const Case cases[] = {
        {"voltage", 2, 1, L"电压波形值_", L"电压波形值有效值_", L"电压波形值( 单位: V)"},
        {"current", 1, 9, L"电流波形值_", L"电流波形值有效值_", L"电流波形值( 单位: A)"},
    };
    testsupport::TempDir data;
    gen::ComtradeOptions options;  // 640 samples at 50 Hz from 2023-04-05 10:15:30.123
    options.sampleRate = rate;
    const std::filesystem::path base = data / "AB_20230405_101530_123";
    ASSERT_TRUE(gen::WriteComtradeRecord(base, options));
    CK7700ComtradeAnalysis reader;
    ASSERT_EQ(reader.LoadFile(Wide(base), 0), 1);
    BasicInfo info;
    ASSERT_EQ(reader.GetBasicInfo(&info), 1);
    const std::uint32_t samplesPerRms = reader.GetSamplesPerRms();
    ASSERT_EQ(samplesPerRms, static_cast<std::uint32_t>(rate / 50.0));

    for (const Case& c : cases) {
        SourceBuilder builder;
        builder.source.kind = c.kind;
        builder.source.startTime = info.startText;
        builder.source.interval = info.interval;
        builder.source.samplesPerRms = samplesPerRms;
        for (int phase = 0; phase < 4; ++phase) {
            auto wave = std::make_unique<CComtradeDataManager>();
            ASSERT_EQ(reader.GetData(phase, 0, 0, 0, c.firstSeries + phase, reinterpret_cast<QueryWord>(wave.get())), 1);
            builder.Add(Channel(phase, c.firstSeries + phase), std::move(wave));
        }
        for (int phase = 0; phase < 4; ++phase) {
            auto rms = std::make_unique<CComtradeDataManager>();
            ASSERT_EQ(reader.GetData(phase, 0, 0, 0, c.firstSeries + 4 + phase, reinterpret_cast<QueryWord>(rms.get())), 1);
            builder.Add(Channel(phase, c.firstSeries + 4 + phase),
                        std::make_unique<EffectiveValues>(std::move(rms), options.samples));
        }
        testsupport::TempDir out;
        CComtradeTabulist exporter;
        exporter.SetMode(0);
        ASSERT_EQ(exporter.Export(builder.source, Wide(out.Path())), ITabulistEx::kExported) << c.name;
        EXPECT_EQ(exporter.GetCount(), 2) << c.name;

        const CsvRows wave = ReadCsv(CsvFile(out.Path(), c.waveFile));
        ASSERT_EQ(wave.size(), 2u + options.samples) << c.name;
        EXPECT_EQ(wave[0][0], c.waveTitle) << c.name;
        EXPECT_EQ(wave[1], (std::vector<std::wstring>{L"日期(年-月-日 时:分:秒.毫秒.微秒)", L"L1", L"L2", L"L3", L"LN"}))
            << c.name;
        EXPECT_EQ(wave[2][0], TimeCell(2023, 4, 5, 10, 15, 30, 123, 0)) << c.name;
        EXPECT_EQ(wave[2 + 32][0], TimeCell(2023, 4, 5, 10, 15, 30, 123 + static_cast<int>(32000 / rate),
                                            static_cast<int>(32e6 / rate) % 1000))
            << c.name << ": 32 samples";
        for (std::uint32_t k = 0; k < options.samples; ++k) {
            ASSERT_EQ(wave[2 + k].size(), 5u) << c.name << " sample " << k;
            for (int phase = 0; phase < 4; ++phase) {
                const float expected = reader.GetSeries(c.firstSeries + phase)[k];
                ASSERT_NEAR(Parse(wave[2 + k][1 + phase]), expected, 0.0011) << c.name << " sample " << k;
            }
        }

        const CsvRows rms = ReadCsv(CsvFile(out.Path(), c.rmsFile));
        const std::uint32_t cycles = options.samples / samplesPerRms;
        ASSERT_EQ(rms.size(), 2u + cycles) << c.name;
        EXPECT_EQ(rms[1].size(), 5u) << c.name;
        for (std::uint32_t k = 0; k < cycles; ++k) {
            EXPECT_EQ(rms[2 + k][0], TimeCell(2023, 4, 5, 10, 15, 30, 123 + 20 * k, 0)) << c.name << ": a cycle apart";
            for (int phase = 0; phase < 4; ++phase) {
                const float expected = reader.GetSeries(c.firstSeries + 4 + phase)[k];
                EXPECT_NEAR(Parse(rms[2 + k][1 + phase]), expected, 0.0011) << c.name << " cycle " << k;
            }
        }
    }
}

TEST(GeneratedDataExport, ComtradeRecord)
{
    for (const double rate : {3200.0, 6400.0}) {
        SCOPED_TRACE(std::to_string(rate) + " samples/s");
        ExportComtradeRecord(rate);
    }
}

// A generated statistic folder read through the trend reader: one file per item
// type, columns by phase, statistic and harmonic order, one row per interval.
TEST(GeneratedDataExport, StatisticFolder)
{
    testsupport::TempDir data;
    gen::StatisticFolderOptions options;
    options.items = {1, 7, 25, 26, 27, 449};  // voltage RMS, frequency, harmonics 1-3, Pst
    options.records = 12;
    options.blockCountPerFile = 5;
    options.startHour = 8;
    ASSERT_TRUE(gen::WriteStatisticFolder(data.Path(), options));
    CK7700ZVViewAnalysis reader;
    reader.SetQueryParams({0, 0, 12, 0, 12, 0, 0, 0, 0, 0});
    ASSERT_EQ(reader.LoadFile(Wide(data.Path()), 0), 1);
    BasicInfo info;
    ASSERT_EQ(reader.GetBasicInfo(&info), 1);

    struct Series {
        int view, phase, blockType, order, subValue;
    };
    const Series series[] = {
        {1, 0, 2, -1, 0}, {1, 1, 2, -1, 0}, {1, 2, 2, -1, 0},  // voltage RMS, average of L1-L3
        {13017, 4, 0, -1, 0},                                  // frequency maximum
        {2000, 0, 2, 1, 1}, {2000, 0, 2, 2, 1},                // harmonics 2 and 3 of L1, effective value
        {13000, 0, 0, -1, 0},                                  // Pst of L1
    };
    SourceBuilder builder;
    builder.source.kind = 0;
    builder.source.startTime = info.startText;
    builder.source.interval = info.interval;
    for (const Series& s : series) {
        auto manager = std::make_unique<CRecordDataManager>();
        ASSERT_EQ(reader.GetSeries(s.phase, s.blockType, s.order < 0 ? 0 : s.order, s.subValue, s.view, manager.get()), 1)
            << "view " << s.view;
        ASSERT_EQ(manager->GetCount(), 12u) << "view " << s.view;
        builder.Add(Item(s.view, s.phase, s.blockType, s.order, s.subValue), std::move(manager));
    }
    testsupport::TempDir out;
    CRecordTabulist exporter;
    exporter.SetMode(3);  // the harmonic trend frame
    ASSERT_EQ(exporter.Export(builder.source, Wide(out.Path())), ITabulistEx::kExported);
    EXPECT_EQ(exporter.GetCount(), 4);
    EXPECT_EQ(CsvFiles(out.Path()).size(), 4u);

    struct File {
        const wchar_t* prefix;
        const wchar_t* title;
        std::vector<std::wstring> columns;
        std::size_t firstSeries;
    };
    const File files[] = {
        {L"电压有效值_", L"电压有效值( 单位:V)", {L"L1_AVG", L"L2_AVG", L"L3_AVG"}, 0},
        {L"频率_", L"频率( 单位:Hz)", {L"MAX"}, 3},
        {L"电压谐波_", L"电压谐波有效值( 单位:V)", {L"2_L1_AVG", L"3_L1_AVG"}, 4},
        {L"短闪变Pst_", L"短闪变Pst( 单位:无)", {L"L1_MAX"}, 6},
    };
    for (const File& file : files) {
        const std::string name = Narrow(file.prefix);
        const CsvRows rows = ReadCsv(CsvFile(out.Path(), file.prefix));
        ASSERT_EQ(rows.size(), 2u + 12) << name;
        EXPECT_EQ(rows[0], (std::vector<std::wstring>{file.title})) << name;
        std::vector<std::wstring> header = {L"日期(年-月-日 时:分:秒.毫秒)"};
        header.insert(header.end(), file.columns.begin(), file.columns.end());
        EXPECT_EQ(rows[1], header) << name;
        for (std::size_t k = 0; k < 12; ++k) {
            ASSERT_EQ(rows[2 + k].size(), header.size()) << name << " record " << k;
            EXPECT_EQ(rows[2 + k][0], TimeCell(2026, 3, 1, 8, static_cast<int>(k), 0, 0)) << name << ": a minute apart";
            for (std::size_t c = 0; c < file.columns.size(); ++c) {
                double value = 0.0;
                ASSERT_TRUE(builder.source.managers[file.firstSeries + c]->GetValue(static_cast<std::int64_t>(k), &value));
                const bool missing = file.prefix == std::wstring(L"短闪变Pst_") && value == 0.0;
                EXPECT_EQ(rows[2 + k][1 + c], missing ? L"-" : Cell(value)) << name << " record " << k;
            }
        }
    }
}

}  // namespace
