#include "export/ReportStatRow.h"

#include "report/SeriesStatistics.h"

namespace {

// Percent of the intervals that passed.
float PassRate(std::uint32_t count, std::uint32_t failures)
{
    return static_cast<float>(static_cast<double>(count - failures) * 100.0 / count);
}

void Judge(CReportStatRow& row, std::uint32_t failures, bool pass, const VerdictTexts& texts)
{
    row.judged = true;
    row.passRate = PassRate(row.count, failures);
    row.verdictText = pass ? texts.pass : texts.fail;
}

// Whether the series reaches `index` with a sample that carries a value.
bool HasSample(const std::vector<float>& series, std::size_t index)
{
    return index < series.size() && HasValue(series[index]);
}

// The values of the three series, the intervals of `counted` giving the count; false
// when `counted` has no sample with value.
bool FillCountedRow(CReportStatRow& row, const std::vector<float>& counted, const std::vector<float>& maximum,
                    const std::vector<float>& minimum, const std::vector<float>& average)
{
    row = CReportStatRow();
    const std::uint32_t count = SeriesCount(counted);
    if (count == 0) {
        return false;
    }
    row.count = count;
    row.maximum = SeriesMax(maximum);
    row.minimum = SeriesMin(minimum);
    row.average = SeriesMean(average);
    row.cp95 = GetCP95(average);
    row.valid = true;
    return true;
}

}  // namespace

bool FillValueRow(CReportStatRow& row, const std::vector<float>& maximum, const std::vector<float>& minimum,
                  const std::vector<float>& average)
{
    return FillCountedRow(row, maximum, maximum, minimum, average);
}

bool FillFrequencyRow(CReportStatRow& row, const std::vector<float>& maximum, const std::vector<float>& minimum,
                      const std::vector<float>& average, const VerdictTexts& texts)
{
    if (!FillValueRow(row, maximum, minimum, average)) {
        return false;
    }
    row.judged = true;
    row.verdictText = IsFrequencyWithin(row.cp95) ? texts.pass : texts.fail;
    row.limitText = L"49.8-50.2";
    return true;
}

bool FillUnbalanceRow(CReportStatRow& row, const std::vector<float>& maximum, const std::vector<float>& minimum,
                      const std::vector<float>& average, const VerdictTexts& texts)
{
    if (!FillValueRow(row, maximum, minimum, average)) {
        return false;
    }
    row.judged = true;
    row.verdictText = IsUnbalancePass(row.cp95, row.maximum) ? texts.pass : texts.fail;
    row.limit = kUnbalanceLimit;
    row.limitText = L"2.0/4.0";
    return true;
}

bool FillFlickerRow(CReportStatRow& row, const std::vector<float>& values, float limit, const VerdictTexts& texts)
{
    row = CReportStatRow();
    std::vector<float> samples;
    CopyNonNegativeValues(values, samples);
    if (!FillValueRow(row, samples, samples, samples)) {
        return false;
    }
    row.limit = limit;
    row.judged = true;
    row.verdictText = row.cp95 <= limit ? texts.pass : texts.fail;
    return true;
}

bool FillHarmonicRow(CReportStatRow& row, const std::vector<float>& maximum, const std::vector<float>& minimum,
                     const std::vector<float>& average, std::optional<float> limit, const VerdictTexts& texts)
{
    if (!FillCountedRow(row, average, maximum, minimum, average)) {
        return false;
    }
    if (limit) {
        row.limit = *limit;
        Judge(row, CountOver(average, *limit), row.cp95 <= *limit, texts);
    }
    return true;
}

bool FillThdRow(CReportStatRow& row, const std::vector<float>& maximum, const std::vector<float>& minimum,
                const std::vector<float>& average, float limit, const VerdictTexts& texts)
{
    if (!FillValueRow(row, maximum, minimum, average)) {
        return false;
    }
    std::uint32_t failures = 0;
    for (std::size_t i = 0; i < maximum.size(); ++i) {
        if (HasValue(maximum[i])) {
            failures += maximum[i] > limit || (HasSample(minimum, i) && minimum[i] > limit) ? 1 : 0;
        }
    }
    row.limit = limit;
    Judge(row, failures, row.cp95 <= limit, texts);
    return true;
}

bool FillDeviationRow(CReportStatRow& row, const std::vector<float>& maximum, const std::vector<float>& minimum,
                      const std::vector<float>& average, float nominal, const std::wstring& limitText)
{
    row = CReportStatRow();
    if (!(nominal > 1.0f) || SeriesCount(average) == 0 || !FillValueRow(row, maximum, minimum, average)) {
        return false;
    }
    auto percent = [nominal](float value) { return (value - nominal) / nominal * 100.0f; };
    row.maximum = percent(row.maximum);
    row.minimum = percent(row.minimum);
    row.average = percent(row.average);
    row.cp95 = percent(row.cp95);
    row.limitText = limitText;
    return true;
}
