#include "waverecord/ui/WaveViewHost.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <limits>

#include "core/ZVResourceManager.h"
#include "lib/viewer/data/BufferredDataManager.h"
#include "lib/viewer/data/LineStyleInfo.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/RowItemImp.h"
#include "lib/viewer/data/Tracelume.h"
#include "lib/viewer/data/TracelumeCallback.h"
#include "platform/base/DynamicLibrary.h"
#include "platform/base/ProgramFolder.h"
#include "platform/ui/MessageQueue.h"
#include "waverecord/WaveResultStore.h"
#include "waverecord/WaveSelection.h"
#include "waverecord/WaveText.h"

namespace {

constexpr float kHuge = 3.40282e38f;
constexpr float kTiny = -1.17549e38f;

std::wstring Text(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

// Loaded on first use and kept for the process.
CreateTracelumeFunction ViewerEntry()
{
    static platform::DynamicLibrary library(platform::ProgramFolder() / "libTracelume.so");
    return reinterpret_cast<CreateTracelumeFunction>(library.Symbol("CreateTracelume"));
}

// Runs viewer work on the user-interface thread, waiting for it from a worker.
template <class Work>
void OnUiThread(Work work)
{
    if (ui::IsUiThread()) {
        work();
    } else {
        ui::CallOnUiThread([&work]() -> ui::LResult {
            work();
            return 0;
        });
    }
}

// A summary cache of the viewer; it lives in the library, which stays loaded, so it
// may be released after the viewer is gone.
class Source : public IWaveSource {
public:
    explicit Source(IBufferredDataManager* cache) : m_cache(cache) {}
    void Release() override
    {
        m_cache->Release();
        delete this;
    }
    IBufferredDataManager* Cache() const { return m_cache; }

private:
    ~Source() override = default;
    IBufferredDataManager* m_cache;
};

// A row kind; it belongs to its row once added.
class RowImp : public IWaveRowImp {
public:
    explicit RowImp(IRowItemImp* imp) : m_imp(imp) {}
    void Release() override
    {
        if (!m_added && m_imp) {
            m_imp->Release();
        }
        m_imp = nullptr;
    }
    void SetData(IWaveSource* source) override
    {
        if (m_imp) {
            m_imp->SetData(source ? static_cast<Source*>(source)->Cache() : nullptr);
        }
    }
    IRowItemImp* Imp() const { return m_imp; }
    void Added() { m_added = true; }
    void Removed(bool released)
    {
        m_added = false;
        if (released) {
            m_imp = nullptr;
        }
    }

private:
    IRowItemImp* m_imp;
    bool m_added = false;
};

CLineStyleInfo ToViewer(const WaveLineStyle& style)
{
    CLineStyleInfo info;
    info.m_name = style.name;
    info.m_textColor = style.textColour;
    info.m_lineColor = style.lineColour;
    info.m_bitMask = static_cast<std::uint32_t>(style.maskLow) |
                     (static_cast<std::uint64_t>(static_cast<std::uint32_t>(style.maskHigh)) << 32);
    info.m_drawMode = style.drawMode;
    info.m_visible = style.visible;
    info.m_showScale = style.showScale;
    info.m_hostWord = static_cast<std::int32_t>(style.keyWord);
    info.m_itemCode = style.words[0];
    info.m_phase = style.words[1];
    info.m_kindIndex = style.words[2];
    info.m_reserved = style.words[3];
    info.m_highlight = style.highlight;
    return info;
}

WaveLineStyle FromViewer(const CLineStyleInfo& info)
{
    WaveLineStyle style;
    style.name = info.m_name;
    style.textColour = info.m_textColor;
    style.lineColour = info.m_lineColor;
    style.maskLow = static_cast<std::int32_t>(info.m_bitMask & 0xFFFFFFFFu);
    style.maskHigh = static_cast<std::int32_t>(info.m_bitMask >> 32);
    style.drawMode = info.m_drawMode;
    style.visible = info.m_visible;
    style.showScale = info.m_showScale;
    style.keyWord = static_cast<std::uint32_t>(info.m_hostWord);
    style.words[0] = info.m_itemCode;
    style.words[1] = info.m_phase;
    style.words[2] = info.m_kindIndex;
    style.words[3] = info.m_reserved;
    style.highlight = info.m_highlight;
    return style;
}

// Carries the viewer's progress to the data side's callback.
class Bridge : public ITracelumeCallback {
public:
    explicit Bridge(IWaveViewerCallback* target) : m_target(target) {}
    void ShowProperties(const std::wstring&) override {}
    void BeginProperties() override {}
    std::intptr_t Notify(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        return m_target->Notify(static_cast<int>(code), wParam, lParam);
    }

private:
    IWaveViewerCallback* m_target;
};

}  // namespace

// The viewer as the result records drive it.
class CWaveViewHost::Viewer : public IWaveViewer {
public:
    explicit Viewer(ITracelume* viewer) : m_viewer(viewer) {}
    IWaveRowImp* CreateRowImp(int type) override
    {
        IRowItemImp* imp = m_viewer->CreateRowImp(type);
        if (!imp) {
            return nullptr;
        }
        m_imps.push_back(std::make_unique<RowImp>(imp));
        return m_imps.back().get();
    }
    IWaveSource* CreateDataManager(ISimpleDataManager* source) override
    {
        IBufferredDataManager* cache = m_viewer->CreateDataManager(source);
        return cache ? new Source(cache) : nullptr;
    }
    void SetCursorPosition(std::int64_t position) override
    {
        const auto length = static_cast<std::uint64_t>(std::max<std::int64_t>(position, 0));
        m_viewer->SetDataLength(static_cast<std::uint32_t>(length & 0xFFFFFFFFu),
                                static_cast<std::uint32_t>(length >> 32));
    }

private:
    ITracelume* m_viewer;
    // Kept until the viewer goes: the records remember them while attached.
    std::vector<std::unique_ptr<RowImp>> m_imps;
};

// A viewer row with the record attached to it.
class CWaveViewHost::Row : public IWaveRow {
public:
    Row(IRowItem* row, CWaveResultStore* store) : m_row(row), m_store(store) {}
    int AddImp(IWaveRowImp* imp) override
    {
        auto* kind = static_cast<RowImp*>(imp);
        if (!kind->Imp() || m_row->AddImp(kind->Imp()) == 0) {
            return 0;
        }
        kind->Added();
        return 1;
    }
    int RemoveImp(IWaveRowImp* imp, int release) override
    {
        auto* kind = static_cast<RowImp*>(imp);
        if (!kind->Imp()) {
            return 0;
        }
        const int removed = m_row->RemoveImp(kind->Imp(), release);
        if (removed != 0) {
            kind->Removed(release != 0);
        }
        return removed;
    }
    void SetValueText(IWaveRowImp* key, const WaveLineStyle& style) override
    {
        if (auto* kind = static_cast<RowImp*>(key); kind->Imp()) {
            m_row->SetImpStyle(kind->Imp(), ToViewer(style));
        }
    }
    void GetValueText(IWaveRowImp* key, WaveLineStyle& style) override
    {
        if (auto* kind = static_cast<RowImp*>(key); kind->Imp()) {
            CLineStyleInfo info;
            m_row->GetImpStyle(kind->Imp(), &info);
            style = FromViewer(info);
        }
    }

    IRowItem* m_row;
    CWaveResultStore* m_store;
};

CWaveViewHost::CWaveViewHost() = default;

CWaveViewHost::~CWaveViewHost() { Clear(); }

bool CWaveViewHost::LoadViewer(wxWindow* parent)
{
    if (m_viewer) {
        return true;
    }
    const CreateTracelumeFunction create = ViewerEntry();
    if (!create) {
        return false;
    }
    m_viewer = create(parent);
    if (!m_viewer) {
        return false;
    }
    m_adapter = std::make_unique<Viewer>(m_viewer);
    m_viewer->ShowToolBar(1);
    m_viewer->ShowNavigator(0);
    m_viewer->ShowGrid(1, 1);
    m_viewer->ShowMeasureLines(1, 0);
    m_viewer->Command(tracelume::kCommandSplitterLimits, 50, 100);
    return true;
}

void CWaveViewHost::Clear()
{
    m_rows.clear();
    if (m_viewer) {
        m_viewer->Release();
        m_viewer = nullptr;
    }
    m_adapter.reset();
    m_bridge.reset();
}

wxWindow* CWaveViewHost::GetViewerWindow() const { return m_viewer ? m_viewer->GetHwnd() : nullptr; }

bool CWaveViewHost::Refresh()
{
    if (!m_viewer) {
        return false;
    }
    m_viewer->Refresh();
    m_viewer->RefreshAll();
    return true;
}

void CWaveViewHost::ZoomAll()
{
    if (m_viewer) {
        m_viewer->ZoomAll();
    }
}

void CWaveViewHost::SetSampleRate(double rate)
{
    if (m_viewer) {
        m_viewer->SetSampleRate(rate);
    }
}

double CWaveViewHost::SampleToTime(double value) { return m_viewer ? m_viewer->SampleToTime(value) : 0.0; }

void CWaveViewHost::SetViewerCallback(ITracelumeCallback* callback)
{
    m_ownCallback = callback;
    if (m_viewer && !m_bridge) {
        m_viewer->SetCallback(callback);
    }
}

void CWaveViewHost::ShowMeasureLines(int on, int row)
{
    if (m_viewer) {
        m_viewer->ShowMeasureLines(on, row);
    }
}

int CWaveViewHost::ViewerCommand(int code, std::intptr_t a, std::intptr_t b)
{
    return m_viewer ? m_viewer->Command(code, a, b) : -1;
}

bool CWaveViewHost::SetToolStrip(wxWindow* strip) { return m_viewer && m_viewer->SetToolStrip(strip) != 0; }

CWaveViewHost::Row* CWaveViewHost::FindRow(IRowItem* row) const
{
    const auto found = m_rows.find(row);
    return found == m_rows.end() ? nullptr : found->second.get();
}

IRowItem* CWaveViewHost::AddRow(IRowItem* parent, CWaveResultStore* store)
{
    if (!m_viewer) {
        return nullptr;
    }
    IRowItem* row = m_viewer->AddRow(parent);
    if (row) {
        m_rows[row] = std::make_unique<Row>(row, store);
    }
    return row;
}

bool CWaveViewHost::SetRowStore(IRowItem* row, CWaveResultStore* store)
{
    Row* entry = FindRow(row);
    if (!entry) {
        return false;
    }
    entry->m_store = store;
    return true;
}

std::uint32_t CWaveViewHost::KindBit(int kind)
{
    switch (kind) {
    case 0: return kKindMin;
    case 1: return kKindAvg;
    case 2: return kKindMax;
    case 3: return kKind3;
    case 4: return kKindPlain;
    case 5: return kKindRms;
    default: return 0;
    }
}

std::uint32_t CWaveViewHost::PhaseBit(int phase) { return phase >= 0 && phase <= 3 ? 1u << phase : 0x10u; }

std::wstring CWaveViewHost::SeriesName(int phase, int kind) const
{
    std::wstring kindText;
    switch (kind) {
    case 0: kindText = Text(10108); break;
    case 1: kindText = Text(10109); break;
    case 2: kindText = Text(10107); break;
    case 4: break;
    default: kindText = Text(10111); break;
    }
    if (m_itemCode == 26) {
        return L"KF " + kindText;
    }
    static const wchar_t* const kPrefixes[] = {L"L1 ", L"L2 ", L"L3 "};
    std::wstring prefix;
    if (phase >= 0 && phase <= 2) {
        prefix = kPrefixes[phase];
    } else if (phase == 3) {
        const bool total = (m_itemCode >= 18 && m_itemCode <= 21) || (m_itemCode >= 23 && m_itemCode <= 25);
        prefix = total ? L"ALL " : L"LN ";
    }
    return prefix + kindText;
}

std::uint32_t CWaveViewHost::SeriesColour(int phase, int kind) const
{
    const std::uint32_t code = m_itemCode;
    if (code == 26) {
        return m_colours.GetItemColor(0, 0, 54);
    }
    if (code == 27 || code == 29 || code == 30 || code == 6000 || code == 6002 || code == 6003) {
        static const int kIndexes[] = {1, 2, 4, 5};
        return phase >= 0 && phase <= 3 ? m_colours.GetItemColor(0, 0, kIndexes[phase]) : 255u;
    }
    int phaseBits = 0x20;
    if (phase >= 0 && phase <= 2) {
        phaseBits = 1 << phase;
    } else if (phase == 3) {
        phaseBits = code >= 18 && code <= 25 ? 0x10 : 0x08;
    }
    int kindBits = 0;
    switch (kind) {
    case 0: kindBits = 0x02; break;
    case 1: kindBits = 0x04; break;
    case 2: kindBits = 0x01; break;
    case 3: kindBits = 0x08; break;
    case 4: kindBits = 0x20; break;
    case 5: kindBits = (code == 5 || code == 13 || code == 13017) ? 0x04 : 0x10; break;
    default: return 255u;
    }
    return m_colours.GetItemColor(phaseBits, kindBits, -1);
}

int CWaveViewHost::ValueFormatCode(std::uint32_t code)
{
    struct Range {
        std::uint32_t first, last;
        int format;
    };
    static const Range kFormats[] = {
        {1, 5, 3},         {8, 8, 3},         {29, 29, 3},       {2002, 2002, 3},   {3001, 3001, 3},
        {4001, 4001, 3},   {5001, 5001, 3},   {13006, 13008, 3}, {9, 13, 4},        {16, 16, 4},
        {6001, 6002, 4},   {7002, 7002, 4},   {8001, 8001, 4},   {9001, 9001, 4},   {10001, 10001, 4},
        {13009, 13011, 4}, {27, 27, 5},       {30, 30, 5},       {2003, 2003, 5},   {3002, 3002, 5},
        {4002, 4002, 5},   {5002, 5002, 5},   {6000, 6000, 5},   {6003, 6003, 5},   {7003, 7003, 5},
        {8002, 8002, 5},   {9002, 9002, 5},   {10002, 10002, 5}, {11000, 11000, 5}, {11003, 11003, 5},
        {12002, 12002, 5}, {13003, 13004, 5}, {13013, 13016, 5}, {18, 18, 6},       {11002, 11002, 6},
        {12001, 12001, 6}, {13017, 13017, 7}, {7, 7, 8},         {15, 15, 8},       {2001, 2001, 8},
        {7001, 7001, 8},   {12003, 12003, 8}, {13005, 13005, 1}, {19, 19, 15},      {20, 20, 16},
        {23, 23, 17},      {24, 24, 18},      {25, 25, 19},
    };
    for (const Range& range : kFormats) {
        if (code >= range.first && code <= range.last) {
            return range.format;
        }
    }
    return 0;
}

bool CWaveViewHost::AddSeries(IRowItem* row, CWaveResultStore* store, int phase, int kind, float low, float high)
{
    Row* entry = FindRow(row);
    if (!entry || !store || !m_adapter) {
        return false;
    }
    store->SetTag(phase, kind, static_cast<int>(SeriesColour(phase, kind)));
    store->SwapName(phase, kind, SeriesName(phase, kind));
    WaveRowAttributes attributes;
    attributes.phase = phase;
    attributes.kind = kind;
    attributes.itemCode = static_cast<std::int32_t>(m_itemCode);
    attributes.low = low;
    attributes.high = high;
    if (store->AttachRow(phase, kind, m_adapter.get(), entry, attributes) == 0) {
        return false;
    }
    m_kindMask |= KindBit(kind);
    return true;
}

void CWaveViewHost::AddKinds(IRowItem* row, CWaveResultStore* store, int phase, std::uint32_t kindBits, float low,
                             float high)
{
    if (!FindRow(row)) {
        return;
    }
    static const std::pair<std::uint32_t, int> kOrder[] = {{kKindMax, 2}, {kKindMin, 0}, {kKindAvg, 1},
                                                           {kKind3, 3},   {kKindPlain, 4}, {kKindRms, 5}};
    for (const auto& [bit, kind] : kOrder) {
        if ((kindBits & bit) != 0) {
            AddSeries(row, store, phase, kind, low, high);
        }
    }
    m_phaseMask |= PhaseBit(phase);
}

bool CWaveViewHost::UpdateSeries(IRowItem* row, int phase, int kind, float low, float high, bool recolour,
                                 bool rename)
{
    Row* entry = FindRow(row);
    if (!entry || !entry->m_store || !m_adapter) {
        return false;
    }
    if (recolour) {
        entry->m_store->SetTag(phase, kind, static_cast<int>(SeriesColour(phase, kind)));
    }
    if (rename) {
        entry->m_store->SwapName(phase, kind, SeriesName(phase, kind));
    }
    WaveRowAttributes attributes;
    attributes.phase = phase;
    attributes.kind = kind;
    attributes.itemCode = static_cast<std::int32_t>(m_itemCode);
    attributes.low = low;
    attributes.high = high;
    if (entry->m_store->AttachRow(phase, kind, m_adapter.get(), entry, attributes) == 0) {
        return false;
    }
    m_kindMask |= KindBit(kind);
    return true;
}

void CWaveViewHost::UpdatePhase(IRowItem* row, int phase, float low, float high, bool recolour, bool rename)
{
    static const std::pair<std::uint32_t, int> kOrder[] = {{kKindMax, 2}, {kKindMin, 0}, {kKindAvg, 1},
                                                           {kKind3, 3},   {kKindPlain, 4}, {kKindRms, 5}};
    const std::uint32_t kinds = m_kindMask;
    for (const auto& [bit, kind] : kOrder) {
        if ((kinds & bit) != 0) {
            UpdateSeries(row, phase, kind, low, high, recolour, rename);
        }
    }
    m_phaseMask |= PhaseBit(phase);
}

bool CWaveViewHost::HidePhase(IRowItem* row, int phase, bool refit)
{
    Row* entry = FindRow(row);
    if (!entry || !entry->m_store) {
        return false;
    }
    m_phaseMask &= ~PhaseBit(phase);
    if (refit) {
        FitRange(row, m_phaseMask, m_kindMask);
    } else {
        static const int kKinds[] = {2, 0, 1, 3, 4, 5};
        for (int kind : kKinds) {
            if ((m_kindMask & KindBit(kind)) != 0) {
                entry->m_store->DetachRow(phase, kind, entry);
            }
        }
    }
    Refresh();
    return true;
}

void CWaveViewHost::SetRowRange(IRowItem* row, float low, float high)
{
    row->SetRange(low, high, ValueFormatCode(m_itemCode), 3);
}

void CWaveViewHost::FitRange(IRowItem* row, std::uint32_t phaseBits, std::uint32_t kindBits)
{
    Row* entry = FindRow(row);
    m_phaseMask = phaseBits;
    m_kindMask = kindBits;
    if (!entry || !entry->m_store) {
        return;
    }
    CWaveResultStore* store = entry->m_store;
    const bool noFourth = [this] {
        static const std::uint32_t kCodes[] = {11002, 11003, 11000, 13003, 13004, 12001, 12002, 12003, 13000, 13005, 22};
        return std::find(std::begin(kCodes), std::end(kCodes), m_itemCode) != std::end(kCodes);
    }();
    float low = -0.5f, high = 0.5f;
    float scanLow = kHuge, scanHigh = kTiny;
    bool answered = false;
    static const std::pair<std::uint32_t, int> kPhases[] = {{0x01, 0}, {0x02, 1}, {0x04, 2}, {0x08, 3}, {0x10, 4}};
    static const std::pair<std::uint32_t, int> kKinds[] = {{kKindMax, 2}, {kKindAvg, 1}, {kKindMin, 0}, {kKindRms, 5},
                                                           {kKindPlain, 4}};
    for (const auto& [phaseBit, phase] : kPhases) {
        if ((phaseBits & phaseBit) == 0 || (phase == 3 && noFourth)) {
            continue;
        }
        for (const auto& [kindBit, kind] : kKinds) {
            float minimum = 0.0f, maximum = 0.0f;
            if ((kindBits & kindBit) == 0 || store->GetRange(phase, kind, minimum, maximum) == 0) {
                continue;
            }
            if (minimum < kHuge && minimum > kTiny) {
                scanLow = std::min(scanLow, minimum);
                answered = true;
            }
            if (maximum < kHuge && maximum > kTiny) {
                scanHigh = std::max(scanHigh, maximum);
                answered = true;
            }
        }
    }
    if (answered && scanLow <= scanHigh) {
        low = scanLow;
        high = scanHigh;
    }
    float margin = (high - low) >= 0.1f ? (high - low) / 10.0f : std::fabs(high) / 10.0f;
    if ((high - low) < 0.1f && margin <= 0.03f) {
        margin = 0.03f;
    }
    low -= margin;
    high += margin;
    SetRowRange(row, low, high);
    store->DetachAllRows(entry);
    for (const auto& [phaseBit, phase] : kPhases) {
        if ((phaseBits & phaseBit) == 0) {
            continue;
        }
        if (phase == 3 && noFourth) {
            m_phaseMask &= ~0x08u;
            continue;
        }
        UpdatePhase(row, phase, low, high, false, false);
    }
}

void CWaveViewHost::NameSeries(IRowItem* row, std::uint32_t phaseBits, std::uint32_t kindBits)
{
    Row* entry = FindRow(row);
    if (!entry || !entry->m_store) {
        return;
    }
    static const std::pair<std::uint32_t, int> kPhases[] = {{0x01, 0}, {0x02, 1}, {0x04, 2}, {0x08, 3}, {0x10, 4}};
    static const int kKinds[] = {2, 0, 1, 3, 4, 5};
    for (const auto& [phaseBit, phase] : kPhases) {
        if ((phaseBits & phaseBit) == 0) {
            continue;
        }
        for (int kind : kKinds) {
            if ((kindBits & KindBit(kind)) != 0) {
                entry->m_store->SetTag(phase, kind, static_cast<int>(SeriesColour(phase, kind)));
                entry->m_store->SwapName(phase, kind, SeriesName(phase, kind));
            }
        }
    }
}

void CWaveViewHost::FitFrequencyRange(IRowItem* row)
{
    Row* entry = FindRow(row);
    if (!entry || !entry->m_store) {
        return;
    }
    float low = kHuge, high = kTiny;
    bool answered = false;
    static const std::pair<std::uint32_t, int> kPhases[] = {{0x01, 0}, {0x02, 1}, {0x04, 2}, {0x08, 3}, {0x10, 4}};
    static const std::pair<std::uint32_t, int> kKinds[] = {{kKindMax, 2}, {kKindAvg, 1}, {kKindMin, 0}, {kKindRms, 5}};
    for (const auto& [phaseBit, phase] : kPhases) {
        if ((m_phaseMask & phaseBit) == 0) {
            continue;
        }
        for (const auto& [kindBit, kind] : kKinds) {
            float minimum = 0.0f, maximum = 0.0f;
            if ((m_kindMask & kindBit) == 0 || entry->m_store->GetRange(phase, kind, minimum, maximum) == 0) {
                continue;
            }
            if (minimum < kHuge && minimum > kTiny && maximum < kHuge && maximum > kTiny) {
                low = std::min(low, minimum);
                high = std::max(high, maximum);
                answered = true;
            }
        }
    }
    if (answered) {
        SetRowRange(row, low, high);
    }
}

void CWaveViewHost::ShowPhase(IRowItem* row, int phase)
{
    m_phaseMask |= PhaseBit(phase);
    FitRange(row, m_phaseMask, m_kindMask);
}

void CWaveViewHost::Recolour(IRowItem* row)
{
    if (Row* entry = FindRow(row); entry && entry->m_store) {
        entry->m_store->RefreshRows(entry, this);
    }
}

void CWaveViewHost::SetRowName(IRowItem* row, int phase, int kind, const std::wstring& name)
{
    if (Row* entry = FindRow(row); entry && entry->m_store) {
        entry->m_store->SwapName(phase, kind, name);
    }
}

void CWaveViewHost::ClearRow(IRowItem* row)
{
    if (Row* entry = FindRow(row)) {
        if (entry->m_store) {
            entry->m_store->DetachAllRows(entry);
        }
        row->RemoveAllImps();
    }
}

void CWaveViewHost::SetTimeOrigin()
{
    if (!m_viewer) {
        return;
    }
    std::int64_t startMs = 0, endMs = 0;
    CWaveSelection::Instance().GetSelectedTimeRange(startMs, endMs);
    const std::int64_t ns = startMs * 1000000;
    m_viewer->Command(tracelume::kCommandTimeOrigin, static_cast<std::intptr_t>(ns >> 32),
                      static_cast<std::intptr_t>(ns & 0xFFFFFFFF));
    m_viewer->Command(tracelume::kCommandLabelStyle, 1, 0);
}

void CWaveViewHost::SetCursorPosition(std::int64_t position)
{
    if (m_adapter) {
        m_adapter->SetCursorPosition(position);
    }
}

void CWaveViewHost::GetMasks(std::uint32_t& phaseMask, std::uint32_t& kindMask) const
{
    phaseMask = m_phaseMask;
    kindMask = m_kindMask;
}

std::wstring CWaveViewHost::ChannelName(std::uint32_t itemCode, int phaseNumber)
{
    unsigned text = 0;
    switch (itemCode) {
    case 27: case 6000: case 11000: text = 10112; break;
    case 29: case 6002: case 11002: text = 10113; break;
    case 30: case 6003: case 11003: text = 10114; break;
    default: return {};
    }
    std::wstring name = WaveFillField(Text(text), std::to_wstring(phaseNumber));
    // The fourth channel is the neutral.
    if (phaseNumber == 4 && name.size() > 1 && name[1] == L'4') {
        name[1] = L'N';
    }
    return name;
}

std::wstring CWaveViewHost::HarmonicName(std::uint32_t kindBit, int entry) const
{
    // The interharmonics' list starts at order 0.
    const std::int32_t code = m_harmonic.item;
    const bool interharmonic = code == 8001 || code == 8002 || code == 3001 || code == 3002;
    wchar_t number[16];
    std::swprintf(number, 16, L"%02d", interharmonic ? entry - 1 : entry);
    std::wstring name = WaveFillField(Text(10300), number);
    if ((kindBit & kKindMax) != 0) {
        name += Text(10107);
    } else if ((kindBit & kKindMin) != 0) {
        name += Text(10108);
    } else if ((kindBit & kKindAvg) != 0) {
        name += Text(10109);
    }
    return name;
}

void CWaveViewHost::AddHarmonicSeries(IRowItem* row, int key, std::uint32_t kindBits, int colourIndex,
                                      std::uint32_t colour, float low, float high)
{
    Row* entry = FindRow(row);
    if (!entry || !entry->m_store || !m_adapter) {
        return;
    }
    const int orderEntry = ((key >> 8) & 0xFFFF) + 1;
    static const std::pair<std::uint32_t, int> kKinds[] = {{kKindMax, 2}, {kKindMin, 0}, {kKindAvg, 1}};
    for (const auto& [bit, kind] : kKinds) {
        if ((kindBits & bit) == 0) {
            continue;
        }
        entry->m_store->SetTag(key, kind, static_cast<int>(colour));
        entry->m_store->SwapName(key, kind, HarmonicName(bit, orderEntry));
        WaveRowAttributes attributes;
        attributes.phase = key;
        attributes.kind = kind;
        attributes.order = colourIndex;
        attributes.itemCode = m_harmonic.item;
        attributes.word4 = static_cast<std::int32_t>(colour);
        attributes.low = low;
        attributes.high = high;
        if (entry->m_store->AttachRow(key, kind, m_adapter.get(), entry, attributes) != 0) {
            m_kindMask |= bit;
        }
    }
    Refresh();
}

void CWaveViewHost::AddHarmonicRow(IRowItem* row, int phase, float low, float high)
{
    if (!FindRow(row)) {
        return;
    }
    for (const harmtrend::OrderSlot& slot : harmtrend::ShownOrderSlots(m_harmonic)) {
        AddHarmonicSeries(row, harmtrend::OrderKey(phase, slot.entry), static_cast<std::uint32_t>(m_harmonic.stats),
                          slot.slot, m_colours.GetItemColor(0, 0, slot.slot), low, high);
    }
    m_phaseMask |= PhaseBit(phase);
    Refresh();
}

void CWaveViewHost::AddPhases(IRowItem* row, CWaveResultStore* store, std::uint32_t phaseBits,
                              std::uint32_t kindBits, float low, float high)
{
    static const std::uint32_t kNoFourth[] = {11000, 11002, 11003, 12001, 12002, 12003, 13000, 13003, 13004, 13005, 22};
    const bool noFourth = std::find(std::begin(kNoFourth), std::end(kNoFourth), m_itemCode) != std::end(kNoFourth);
    static const std::pair<std::uint32_t, int> kPhases[] = {{0x01, 0}, {0x02, 1}, {0x04, 2}, {0x08, 3}, {0x10, 4}};
    for (const auto& [bit, phase] : kPhases) {
        if ((phaseBits & bit) == 0) {
            continue;
        }
        if (phase == 3 && noFourth) {
            m_phaseMask &= ~0x08u;
            m_harmonic.phases &= ~0x08;
            continue;
        }
        AddKinds(row, store, phase, kindBits, low, high);
    }
}

void CWaveViewHost::DetachStore(IRowItem* row, CWaveResultStore* store)
{
    if (Row* entry = FindRow(row); entry && store) {
        store->DetachAllRows(entry);
    }
}

void CWaveViewHost::OpenColourPage(const std::wstring& page) { m_colours.Open(page); }

IWaveSource* CWaveViewHost::CreateDataManager(ISimpleDataManager* source)
{
    IWaveSource* made = nullptr;
    OnUiThread([&] {
        if (m_adapter) {
            made = m_adapter->CreateDataManager(source);
        }
    });
    return made;
}

void CWaveViewHost::ColourForRecord(int phaseKey, int kind, WaveLineStyle& style)
{
    const std::uint32_t colour = SeriesColour(phaseKey, kind);
    style.textColour = style.lineColour = colour;
}

void CWaveViewHost::SetCallback(IWaveViewerCallback* callback)
{
    OnUiThread([&] {
        m_bridge = callback ? std::make_unique<Bridge>(callback) : nullptr;
        if (m_viewer) {
            m_viewer->SetCallback(m_bridge ? m_bridge.get() : m_ownCallback);
        }
    });
}
