#include "waverecord/WaveAnalysisManager.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "platform/base/Hourglaze.h"
#include "terminal/Wiring.h"
#include "waverecord/TracelumeProgress.h"
#include "waverecord/WaveSettings.h"

namespace {

constexpr int kOptionSamplesPerCycle = 1004;
// Share of the whole progress the pool's analysis runs through.
constexpr double kAnalysisShare = 20.0;
constexpr std::size_t kWiringOffset = 12;
constexpr int kPhases = 4;
constexpr int kSystemPhase = 4;
constexpr int kPlainSubIndex = 4;

bool InMask(std::uint32_t mask, int phase)
{
    return ((mask >> phase) & 1u) != 0;
}

int ClampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// Clears a result map: every record's series released, then the records freed.
// True for a map that held records.
bool ClearResultMap(CWaveAnalysisManager::ResultMap& map)
{
    const bool held = !map.empty();
    for (auto& [item, record] : map) {
        if (record) {
            record->ReleaseAll();
            record->Destroy();
        }
    }
    map.clear();
    return held;
}

// Takes the callback away from the host however the raw-waveform registration ends.
class HostCallbackGuard {
public:
    HostCallbackGuard(IWaveViewHost* host, IWaveViewerCallback* callback) : m_host(host)
    {
        if (m_host) {
            m_host->SetCallback(callback);
        }
    }
    ~HostCallbackGuard()
    {
        if (m_host) {
            m_host->SetCallback(nullptr);
        }
    }
    HostCallbackGuard(const HostCallbackGuard&) = delete;
    HostCallbackGuard& operator=(const HostCallbackGuard&) = delete;

private:
    IWaveViewHost* m_host;
};

}  // namespace

std::mutex CWaveAnalysisManager::s_lock;
CWaveAnalysisManager* CWaveAnalysisManager::s_instance = nullptr;
CWaveAnalysisManager::PoolFactory CWaveAnalysisManager::s_poolFactory;

CWaveAnalysisManager* CWaveAnalysisManager::GetInstance()
{
    const std::lock_guard lock(s_lock);
    if (!s_instance) {
        try {
            s_instance = new CWaveAnalysisManager();
        } catch (...) {
            s_instance = nullptr;
        }
    }
    return s_instance;
}

void CWaveAnalysisManager::DestroyInstance()
{
    const std::lock_guard lock(s_lock);
    delete s_instance;
    s_instance = nullptr;
}

void CWaveAnalysisManager::SetPoolFactory(PoolFactory factory)
{
    const std::lock_guard lock(s_lock);
    s_poolFactory = std::move(factory);
}

namespace {

ISampolyxDataPool* MakePool(const CWaveAnalysisManager::PoolFactory& factory)
{
    try {
        return factory ? factory() : Sampolyx_CreateDataPool();
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

bool CWaveAnalysisManager::HoldsRecord(const std::wstring& folder)
{
    PoolFactory factory;
    {
        const std::lock_guard lock(s_lock);
        factory = s_poolFactory;
    }
    ISampolyxDataPool* pool = MakePool(factory);
    if (!pool) {
        return false;
    }
    bool holds = false;
    try {
        holds = pool->Open(folder);
    } catch (...) {
        holds = false;
    }
    pool->Release();
    return holds;
}

CWaveAnalysisManager::CWaveAnalysisManager() : m_pool(MakePool(s_poolFactory))
{
    try {
        m_callback = std::make_unique<CWaveAnalysisCallBack>();
    } catch (const std::bad_alloc&) {
        // The analysis then runs without progress.
    }
}

CWaveAnalysisManager::~CWaveAnalysisManager()
{
    ClearResults();
    ReleasePool();
}

void CWaveAnalysisManager::ReleasePool()
{
    if (m_pool) {
        m_pool->Release();
        m_pool = nullptr;
    }
}

bool CWaveAnalysisManager::OpenRecord(const std::wstring& path)
{
    try {
        // The results point into the old pool's data sets: they go before it does.
        ClearResults();
        ReleasePool();
        m_configGrade = kSampolyxConfigNotRead;
        CWaveSettings::Instance().Reload();
        m_pool = MakePool(s_poolFactory);
        if (!m_pool) {
            return false;
        }
        m_pool->Close();
        m_pool->SetOption(1002, 1, 0);
        m_pool->SetOption(1003, 1, 0);
        if (m_callback) {
            m_callback->SetOffset(0.0);
            m_callback->SetBase(kAnalysisShare);
        }
        m_pool->SetCallback(m_callback.get());
        const bool analysed = m_pool->Analyse(path);
        m_configGrade = m_pool->GetConfigGrade();
        if (!analysed) {
            ReleasePool();
            return false;
        }
        return true;
    } catch (...) {
        ClearResults();
        ReleasePool();
        return false;
    }
}

bool CWaveAnalysisManager::OpenStatisticDir(const std::wstring& path)
{
    return m_pool && m_pool->Open(path);
}

bool CWaveAnalysisManager::ClearResults()
{
    bool result = ClearResultMap(m_fixedResults);
    for (auto& [window, map] : m_rmsResults) {
        result = ClearResultMap(map) && result;
    }
    for (auto& [window, map] : m_harmResults) {
        result = ClearResultMap(map) && result;
    }
    m_rmsResults.clear();
    m_harmResults.clear();
    return result;
}

void CWaveAnalysisManager::ResetResults()
{
    for (auto& [window, map] : m_rmsResults) {
        ClearResultMap(map);
    }
    for (auto& [window, map] : m_harmResults) {
        ClearResultMap(map);
    }
    m_rmsResults.clear();
    m_harmResults.clear();
}

bool CWaveAnalysisManager::ReadAnalysisSettings(int& rms, int& harm, int& pst)
{
    const WaveAnalysisSettings values = CWaveSettings::Instance().Corrected(GetIntervalCount(), GetNominalFrequency());
    rms = ClampToInt(values.rms);
    harm = ClampToInt(values.harm);
    pst = ClampToInt(values.pst);
    return true;
}

bool CWaveAnalysisManager::HasRecord() const
{
    // A pool without a header (before an analysis, or after a failed one) knows no
    // rate, frequency or lengths.
    return m_pool && m_pool->GetSampleRate() > 0 && m_pool->GetNominalFrequency() > 0.0 &&
           m_pool->GetPointsPer200ms() > 0 && m_pool->GetRecordCount() > 0 &&
           m_pool->SetOption(kOptionSamplesPerCycle, 0, 0) > 0;
}

std::int64_t CWaveAnalysisManager::GetStartTime() const
{
    return HasRecord() ? m_pool->GetStartTime() : -1;
}

double CWaveAnalysisManager::GetSampleRate() const
{
    return HasRecord() ? static_cast<double>(static_cast<std::uint32_t>(m_pool->GetSampleRate())) : kNoRate;
}

CWaveSeriesDescriptor CWaveAnalysisManager::GetDataSetSeries(int channel) const
{
    return CWaveSeriesDescriptor(HasRecord() ? m_pool->GetDataSet(channel) : nullptr);
}

std::int64_t CWaveAnalysisManager::PointsPerBlock() const
{
    return HasRecord() ? m_pool->GetPointsPer200ms() : 0;
}

std::int64_t CWaveAnalysisManager::PointsPerFrame() const
{
    return HasRecord() ? m_pool->GetRecordCount() : 0;
}

std::int64_t CWaveAnalysisManager::PointsPerCycle() const
{
    return HasRecord() ? m_pool->SetOption(kOptionSamplesPerCycle, 0, 0) : 0;
}

std::int64_t CWaveAnalysisManager::PointsPerHalfCycleByBlock() const
{
    if (!HasRecord()) {
        return 0;
    }
    const double halfCycles = m_pool->GetNominalFrequency() * 0.2 * 2.0;
    const double points = static_cast<double>(m_pool->GetPointsPer200ms()) / halfCycles;
    return points >= 1.0 && points < 9.0e18 ? static_cast<std::int64_t>(points) : 0;
}

double CWaveAnalysisManager::RatePer(double points) const
{
    return points > 0.0 ? GetSampleRate() / points : kNoRate;
}

double CWaveAnalysisManager::GetBlocksPerSecond() const
{
    return RatePer(static_cast<double>(PointsPerBlock()));
}

double CWaveAnalysisManager::GetFramesPerSecond() const
{
    return RatePer(static_cast<double>(PointsPerFrame()));
}

double CWaveAnalysisManager::GetHalfCyclesPerSecond() const
{
    if (!HasRecord()) {
        return 0.0;
    }
    const double halfCycles = m_pool->GetNominalFrequency() * 0.2 * 2.0;
    return GetSampleRate() / (static_cast<double>(m_pool->GetPointsPer200ms()) / halfCycles);
}

double CWaveAnalysisManager::GetNominalFrequency() const
{
    return HasRecord() ? m_pool->GetNominalFrequency() : -1.0;
}

int CWaveAnalysisManager::GetIntervalCount() const
{
    return HasRecord() ? m_pool->GetIntervalCount() : 0;
}

double CWaveAnalysisManager::GetRmsWindowsPerSecond()
{
    int rms = 0, harm = 0, pst = 0;
    ReadAnalysisSettings(rms, harm, pst);
    const double points = static_cast<double>(PointsPerCycle()) * rms * 0.5 + 0.5;
    return RatePer(std::trunc(points));
}

double CWaveAnalysisManager::GetHarmWindowsPerSecond()
{
    int rms = 0, harm = 0, pst = 0;
    ReadAnalysisSettings(rms, harm, pst);
    return RatePer(static_cast<double>(PointsPerBlock()) * harm);
}

double CWaveAnalysisManager::GetPstWindowsPerSecond()
{
    int rms = 0, harm = 0, pst = 0;
    ReadAnalysisSettings(rms, harm, pst);
    return RatePer(static_cast<double>(PointsPerBlock()) * pst * 300.0);
}

bool CWaveAnalysisManager::GetConfigBlock(unsigned char* destination) const
{
    return destination && HasRecord() && m_pool->GetConfigBlock(destination);
}

std::optional<std::uint32_t> CWaveAnalysisManager::ReadWiringCode() const
{
    std::array<unsigned char, kConfigBlockSize> block{};
    if (!GetConfigBlock(block.data())) {
        return std::nullopt;
    }
    return std::uint32_t(block[kWiringOffset]) | std::uint32_t(block[kWiringOffset + 1]) << 8 |
           std::uint32_t(block[kWiringOffset + 2]) << 16 | std::uint32_t(block[kWiringOffset + 3]) << 24;
}

std::int32_t CWaveAnalysisManager::GetWiringCode() const
{
    const std::optional<std::uint32_t> code = ReadWiringCode();
    return code ? static_cast<std::int32_t>(*code) : -1;
}

std::uint32_t CWaveAnalysisManager::GetPhaseMask() const
{
    const std::optional<std::uint32_t> code = ReadWiringCode();
    return code ? WiringPhaseMask(*code) : 0;
}

std::int64_t CWaveAnalysisManager::Divide(std::int64_t t, std::int64_t divisor, std::int64_t* remainder) const
{
    if (divisor <= 0) {
        if (remainder) {
            *remainder = 0;
        }
        return t;
    }
    const std::int64_t quotient = t / divisor;
    if (remainder) {
        *remainder = t - quotient * divisor;
    }
    return quotient;
}

std::int64_t CWaveAnalysisManager::PointToBlock(std::int64_t t) const
{
    return Divide(t, PointsPerBlock(), nullptr);
}

std::int64_t CWaveAnalysisManager::PointToBlockRem(std::int64_t t, std::int64_t& remainder) const
{
    return Divide(t, PointsPerBlock(), &remainder);
}

std::int64_t CWaveAnalysisManager::PointToFrame(std::int64_t t) const
{
    return Divide(t, PointsPerFrame(), nullptr);
}

std::int64_t CWaveAnalysisManager::PointToFrameRem(std::int64_t t, std::int64_t& remainder) const
{
    return Divide(t, PointsPerFrame(), &remainder);
}

std::int64_t CWaveAnalysisManager::PointToHalfCycle(std::int64_t t) const
{
    return Divide(t, static_cast<std::int64_t>(static_cast<double>(PointsPerCycle()) * 0.5), nullptr);
}

std::int64_t CWaveAnalysisManager::PointToHalfCycleRem(std::int64_t t, std::int64_t& remainder) const
{
    return Divide(t, static_cast<std::int64_t>(static_cast<double>(PointsPerCycle()) * 0.5), &remainder);
}

std::int64_t CWaveAnalysisManager::PointToHalfCycleByBlock(std::int64_t t) const
{
    return Divide(t, PointsPerHalfCycleByBlock(), nullptr);
}

std::int64_t CWaveAnalysisManager::PointToHalfCycleByBlockRem(std::int64_t t, std::int64_t& remainder) const
{
    return Divide(t, PointsPerHalfCycleByBlock(), &remainder);
}

std::int64_t CWaveAnalysisManager::PointToMinute(std::int64_t t) const
{
    return Divide(t, PointsPerBlock() * 300, nullptr);
}

std::int64_t CWaveAnalysisManager::PointToMinuteRem(std::int64_t t, std::int64_t& remainder) const
{
    return Divide(t, PointsPerBlock() * 300, &remainder);
}

int CWaveAnalysisManager::StoreDataSet(ResultMap& map, int item, int phase, int step, IDataSetManager* set, int flag)
{
    const auto existing = map.find(item);
    // A result is registered once per analysis window.
    if (existing != map.end() && existing->second->CountStatistics(phase) > 0) {
        return 0;
    }
    if (!set) {
        return 0;
    }
    set->SetStep(step);
    set->SetFlag(flag != 0 ? 1 : 0);
    std::unique_ptr<CWaveResultStore>& record = map[item];
    if (!record) {
        record = std::make_unique<CWaveResultStore>();
    }
    struct Statistic {
        int kind, readType;
    };
    for (const Statistic s : {Statistic{CWaveResultStore::kMaximum, CWaveSeriesDescriptor::kReadMaximum},
                              Statistic{CWaveResultStore::kMinimum, CWaveSeriesDescriptor::kReadMinimum},
                              Statistic{CWaveResultStore::kAverage, CWaveSeriesDescriptor::kReadAverage}}) {
        CWaveSeriesDescriptor descriptor(set);
        descriptor.readType = s.readType;
        record->Add(phase, s.kind, descriptor);
    }
    return 1;
}

int CWaveAnalysisManager::DispatchStatistics(const WaveDispatchRow& row, ResultMap& map, int step, int harm)
{
    const std::uint32_t mask = GetPhaseMask();
    int stored = 0;
    for (std::size_t r = 0; r < row.count; ++r) {
        const WaveRegistration& reg = row.registrations[r];
        switch (row.handler) {
        case WaveHandler::PerPhase:
            for (int p = 0; p < kPhases; ++p) {
                IDataSetManager* set = InMask(mask, p) ? m_pool->FindDataSet(reg.kind, p, kPlainSubIndex) : nullptr;
                if (set) {
                    set->SetMode(reg.mode);
                    stored += StoreDataSet(map, reg.subItem, p, step, set, reg.flag);
                }
            }
            break;
        case WaveHandler::System:
            stored += StoreDataSet(map, reg.subItem, kSystemPhase, step,
                                   m_pool->FindDataSet(reg.kind, kSystemPhase, kPlainSubIndex), reg.flag);
            break;
        case WaveHandler::Orders:
            for (int p = 0; p < kPhases; ++p) {
                if (!InMask(mask, p)) {
                    continue;
                }
                const int orders = m_pool->GetDataSetCount(reg.kind, p);
                for (int i = 0; i < orders; ++i) {
                    const int key = static_cast<int>(static_cast<std::uint32_t>(p) << 24 |
                                                     static_cast<std::uint32_t>(i) << 8);
                    stored += StoreDataSet(map, reg.subItem, key, harm, m_pool->FindDataSet(reg.kind, p, i), reg.flag);
                }
            }
            break;
        default:
            break;
        }
    }
    return stored > 0 ? 1 : 0;
}

void CWaveAnalysisManager::DispatchFixed(const WaveDispatchRow& row)
{
    const std::uint32_t mask = GetPhaseMask();
    const WaveRegistration& reg = row.registrations[0];
    std::unique_ptr<CWaveResultStore>& record = m_fixedResults[reg.subItem];
    if (!record) {
        record = std::make_unique<CWaveResultStore>();
    }
    for (int p = 0; p < kPhases; ++p) {
        if (InMask(mask, p)) {
            const CWaveSeriesDescriptor descriptor(m_pool->FindDataSet(reg.kind, p, kPlainSubIndex));
            for (int kind : {CWaveResultStore::kRms, CWaveResultStore::kMaximum, CWaveResultStore::kMinimum,
                             CWaveResultStore::kAverage}) {
                record->Add(p, kind, descriptor);
            }
        }
    }
    const CWaveSeriesDescriptor system(m_pool->FindDataSet(reg.kind, kSystemPhase, kPlainSubIndex));
    for (int kind : {CWaveResultStore::kRms, CWaveResultStore::kMaximum, CWaveResultStore::kAverage,
                     CWaveResultStore::kMinimum}) {
        record->Add(kSystemPhase, kind, system);
    }
}

int CWaveAnalysisManager::DispatchRaw(const WaveDispatchRow& row, IWaveViewHost* host)
{
    const std::uint32_t mask = GetPhaseMask();
    const int item = row.registrations[0].subItem;
    const int firstChannel = row.registrations[0].kind;
    std::unique_ptr<CWaveResultStore>& record = m_fixedResults[item];
    if (!record) {
        record = std::make_unique<CWaveResultStore>();
    }
    for (int p = 0; p < kPhases; ++p) {
        if (InMask(mask, p)) {
            record->Add(p, CWaveResultStore::kPlainValue, CWaveSeriesDescriptor(m_pool->GetDataSet(firstChannel + p)));
        }
    }

    CTracelumeProgress callback;
    const HostCallbackGuard hostCallback(host, &callback);
    const auto follow = [&] {
        if (m_progress) {
            callback.SetProgressBase(m_progress->offset);
            callback.SetProgressSpan(m_progress->share / 5.0);
            callback.SetOwnerState(1);
        }
    };
    follow();
    // One axis for every channel, so the phases compare at a glance.
    record->SetProgressCallback(&callback);
    float minimum = 0.0f, maximum = 0.0f;
    if (record->GetJointRange(minimum, maximum) != 0) {
        record->ApplyRange(minimum, maximum);
    }
    record->SetProgressCallback(nullptr);
    if (m_progress) {
        m_progress->offset += m_progress->share / 5.0;
    }
    // Each of the four loads has its own fifth of the item's share, so the indicator
    // never runs back over a stretch it has shown already.
    for (int p = 0; p < kPhases; ++p) {
        follow();
        record->LoadIntoHost(p, CWaveResultStore::kPlainValue, host);
        if (m_progress) {
            m_progress->offset += m_progress->share / 5.0;
            UpdateHourglaze(m_progress->offset);
        }
    }
    return 1;
}

int CWaveAnalysisManager::Dispatch(int item, IWaveViewHost* host)
{
    const WaveDispatchRow* row = FindWaveDispatchRow(item);
    if (!row || !HasRecord()) {
        return 0;
    }
    int rms = 0, harm = 0, pst = 0;
    ReadAnalysisSettings(rms, harm, pst);
    switch (row->handler) {
    case WaveHandler::RawWaveform:
        return DispatchRaw(*row, host);
    case WaveHandler::Fixed:
        DispatchFixed(*row);
        return 1;
    default:
        break;
    }
    const WaveItemClass itemClass = ClassifyWaveItem(item);
    const int step = itemClass == WaveItemClass::Harm  ? harm
                     : itemClass == WaveItemClass::Rms ? rms
                     : itemClass == WaveItemClass::Pst ? pst
                                                       : 1;
    ResultMap& map = row->map == WaveResultMap::Rms ? m_rmsResults[step] : m_harmResults[step];
    return DispatchStatistics(*row, map, step, harm);
}

std::unique_ptr<CWaveResultStore> CWaveAnalysisManager::GetResult(int item)
{
    const WaveItemClass itemClass = ClassifyWaveItem(item);
    if (itemClass == WaveItemClass::None) {
        return nullptr;
    }
    int rms = 0, harm = 0, pst = 0;
    ReadAnalysisSettings(rms, harm, pst);
    const ResultMap* map = &m_fixedResults;
    if (itemClass != WaveItemClass::Fixed) {
        const auto& windows = itemClass == WaveItemClass::Rms ? m_rmsResults : m_harmResults;
        const int window = itemClass == WaveItemClass::Rms ? rms : itemClass == WaveItemClass::Harm ? harm : pst;
        const auto found = windows.find(window);
        if (found == windows.end()) {
            return nullptr;
        }
        map = &found->second;
    }
    const auto record = map->find(item);
    return record != map->end() && record->second ? record->second->Clone() : nullptr;
}
