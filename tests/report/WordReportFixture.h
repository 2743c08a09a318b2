#pragma once
// Shared pieces of the RTF report tests: a configuration that exercises every kind
// of trend page and the harmonic trend pages, and a statistic model whose reader
// cannot serve.

#include <array>
#include <cstddef>
#include <map>
#include <set>
#include <vector>

#include "report/ReportConfig.h"
#include "terminal/DataModel.h"

namespace reporttest {

// Trend items of every chart kind (one switched off, one of an unknown key) and
// harmonic trend items (one of four charts, one switched off, one unknown).
void ConfigureSections(CReportConfig& config);
// Pages of a report of a generated report folder with that configuration and both
// sections: 8 fixed, 6 trend, 2 harmonic trend, 3 event tables, 3 alarm chart pages.
inline constexpr std::size_t kConfiguredPages = 22;

// A statistic model whose reader answers no request.
class FailingStatisticModel : public IDataModel {
public:
    FailingStatisticModel();
    ~FailingStatisticModel() override;
    int CreateAnalysis(std::uint32_t) override { return 1; }
    int GetSource(std::uint32_t* source) override;
    int OpenData(void*) override { return 0; }
    int QueryBasicInfo(BasicInfo* info) override;
};

// A statistic model that answers every query with a fixed series by its statistic
// word, except for the order indexes it lacks, and notes the queries.
class SeriesModel : public IDataModel {
public:
    int CreateAnalysis(std::uint32_t) override { return 1; }
    int GetSource(std::uint32_t* source) override;
    int OpenData(void*) override { return 0; }
    int QueryBasicInfo(BasicInfo* info) override;
    int GetData(QueryWord channel, QueryWord statistic, QueryWord order, QueryWord valueKind, QueryWord item,
                QueryWord sink) override;

    std::map<QueryWord, std::vector<float>> series;
    std::set<QueryWord> lackingOrders;
    std::vector<std::array<QueryWord, 5>> queries;
};

}  // namespace reporttest
