#include "terminal/GlobalModel.h"

#include <algorithm>
#include <cstring>

#include "terminal/K7700StatisticAnalysis.h"
#include "terminal/K7700ZVViewAnalysis.h"

CGlobalModel::~CGlobalModel()
{
    DropReader();
}

void CGlobalModel::DropReader()
{
    if (analysis != nullptr) {
        analysis->ReleaseFile();
        delete analysis;
        analysis = nullptr;
    }
    m_ReaderKind = ReaderKind::None;
}

void CGlobalModel::ReplaceReader(std::unique_ptr<IDevFileAnalysis> reader, ReaderKind kind)
{
    DropReader();
    analysis = reader.release();
    m_ReaderKind = analysis != nullptr ? kind : ReaderKind::None;
}

std::unique_ptr<IDevFileAnalysis> CGlobalModel::MakeItemReader()
{
    return std::make_unique<CK7700StatisticAnalysis>();
}

std::unique_ptr<CK7700ZVViewAnalysis> CGlobalModel::MakeTrendReader(std::uint32_t useDataFiles)
{
    return std::make_unique<CK7700ZVViewAnalysis>(useDataFiles);
}

std::uint64_t CGlobalModel::CountRecords(const std::wstring& folder, bool* blockFiles)
{
    const std::optional<std::uint64_t> items = CK7700StatisticAnalysis::CountRecords(folder);
    if (blockFiles != nullptr) {
        *blockFiles = !items.has_value();
    }
    if (items) {
        return *items;
    }
    return CK7700ZVViewAnalysis::CountRecords(folder);
}

int CGlobalModel::CreateAnalysis(std::uint32_t flag)
{
    if (analysis == nullptr) {
        ReplaceReader(MakeTrendReader(flag), ReaderKind::Trend);
    }
    fullResolution = flag;
    return 1;
}

int CGlobalModel::GetSource(std::uint32_t* source)
{
    if (source != nullptr) {
        *source = fullResolution;
    }
    return 1;
}

int CGlobalModel::QueryBasicInfo(BasicInfo* info)
{
    if (analysis == nullptr) {
        return 0;
    }
    if (loaded == 0) {
        loaded = analysis->LoadFile(path, 0) != 0 ? 1 : 0;
        if (loaded == 0) {
            return 0;
        }
    }
    return analysis->GetBasicInfo(info);
}

std::array<std::uint32_t, 10> CGlobalModel::QueryWords() const
{
    std::array<std::uint32_t, 10> words{};
    std::copy(query.begin(), query.begin() + 6, words.begin());
    std::copy(query.begin() + 8, query.begin() + 12, words.begin() + 6);
    return words;
}

std::uint32_t CGlobalModel::Option(const CCtrlItem& request) const
{
    return static_cast<std::uint32_t>(static_cast<std::uint32_t>(request.param2) * 3u) >> 2;
}

int CGlobalModel::OpenData(void* item)
{
    if (item == nullptr) {
        return 0;
    }
    CCtrlItem& request = *static_cast<CCtrlItem*>(item);
    switch (request.code) {
    case ctrl::kStatisticRefresh:
        Notify(ctrl::kStatisticRefresh, request.param1, request.param2);
        break;
    case ctrl::kOpenStatistic:
        OpenStatistic(request);
        break;
    case ctrl::kSecondStatistic:
        OpenSecond(request);
        break;
    case ctrl::kCloseAll:
        OpenWave(request);
        break;
    default:
        break;
    }
    return 0;
}

void CGlobalModel::OpenStatistic(CCtrlItem& request)
{
    Release();
    path = request.text;
    if (request.param1 != 0) {
        std::memcpy(query.data(), reinterpret_cast<const void*>(request.param1), sizeof(std::uint32_t) * query.size());
        const std::array<std::uint32_t, 10> words = QueryWords();
        if (m_ReaderKind != ReaderKind::Items) {
            ReplaceReader(MakeItemReader(), ReaderKind::Items);
        }
        if (auto* items = dynamic_cast<CK7700StatisticAnalysis*>(analysis)) {
            items->SetSummarySource(m_SummarySource);
        }
        analysis->SetQueryParams(words);
        analysis->SetOption(Option(request));
        loaded = analysis->LoadFile(path, 1) != 0 ? 1 : 0;
        if (loaded != 0) {
            fullResolution = 1;
        } else {
            if (m_ReaderKind != ReaderKind::Trend) {
                ReplaceReader(MakeTrendReader(1), ReaderKind::Trend);
            }
            auto* trend = static_cast<CK7700ZVViewAnalysis*>(analysis);
            trend->SetUseDataFiles(1);
            trend->SetQueryParams(words);
            trend->SetOption(Option(request));
            loaded = trend->LoadFile(path, 1) != 0 ? 1 : 0;
            if (loaded != 0) {
                fullResolution = 1;
            } else {
                // The full resolution does not fit: the index files hold every tenth record.
                Release();
                fullResolution = 0;
                trend->SetUseDataFiles(0);
                std::array<std::uint32_t, 10> tenth = words;
                for (std::size_t word = 0; word < 6; word += 2) {
                    const std::uint64_t value =
                        (static_cast<std::uint64_t>(words[word]) | (static_cast<std::uint64_t>(words[word + 1]) << 32)) / 10;
                    tenth[word] = static_cast<std::uint32_t>(value);
                    tenth[word + 1] = static_cast<std::uint32_t>(value >> 32);
                }
                trend->SetQueryParams(tenth);
                trend->SetOption(Option(request));
            }
        }
    }
    const std::size_t observers = ObserverCount();
    if (observers != 0) {
        request.param2 = static_cast<std::uint32_t>(request.param2) / static_cast<std::uint32_t>(observers * 4);
    }
    Notify(ctrl::kOpenStatistic, request.param1, request.param2);
}

void CGlobalModel::OpenSecond(CCtrlItem& request)
{
    Release();
    path = request.text;
    if (request.param1 == 0) {
        return;
    }
    std::memcpy(query.data(), reinterpret_cast<const void*>(request.param1), sizeof(std::uint32_t) * query.size());
    if (m_ReaderKind == ReaderKind::Trend) {
        auto* trend = static_cast<CK7700ZVViewAnalysis*>(analysis);
        trend->SetUseDataFiles(1);
        trend->SetQueryParams(QueryWords());
    }
}

void CGlobalModel::OpenWave(CCtrlItem& request)
{
    Release();
    path = request.text;
    Notify(ctrl::kCloseAll, request.param1, request.param2);
    if (m_ReaderKind != ReaderKind::Wave) {
        ReplaceReader(m_WaveReaderFactory ? m_WaveReaderFactory() : nullptr, ReaderKind::Wave);
    }
    if (analysis == nullptr) {
        return;
    }
    loaded = analysis->LoadFile(path, 1) != 0 ? 1 : 0;
    if (loaded != 0) {
        fullResolution = 1;
    }
}
