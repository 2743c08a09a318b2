#include "waverecord/ui/WaveFrequencyStatisticView.h"

#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveResultStore.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/TracelumeCallBack.h"
#include "waverecord/ui/WaveViewHost.h"

namespace {

constexpr int kSystem = 4;
constexpr std::uint32_t kHostCode = 13017;
constexpr const wchar_t* kColourPage = L"Freq";

}  // namespace

CWaveFrequencyStatisticView::CWaveFrequencyStatisticView()
    : CWaveStatisticView(-1, kItem), m_callback(std::make_unique<CTracelumeCallBack>())
{
    m_callback->SetOwner(this);
}

CWaveFrequencyStatisticView::~CWaveFrequencyStatisticView()
{
    // The viewer goes before its callback.
    if (m_host) {
        m_host->SetViewerCallback(nullptr);
    }
    DropStore();
    m_host.reset();
}

void CWaveFrequencyStatisticView::OnCreateView()
{
    ShowItem(m_itemId, CWaveViewHost::kKindRms);
    SetFirstSizePending();
}

void CWaveFrequencyStatisticView::ApplyRange(std::int64_t first, std::int64_t end)
{
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    if (!manager || !m_store) {
        return;
    }
    WaveSeriesRange range = ConvertWaveRange(*manager, WaveSeriesFamily::Frequency, first, end);
    m_store->SetParameter(&range.first, &range.last);
}

void CWaveFrequencyStatisticView::ShowItem(std::uint32_t item, std::uint32_t kindBits)
{
    PostRetitle(item);
    if (!EnsureHost()) {
        return;
    }
    m_host->SetViewerCallback(m_callback.get());
    FetchStore(item);
    std::int64_t first = -1, end = -1;
    AskRange(first, end);
    ApplyRange(first, end);
    IRowItem* row = EnsureRow();
    if (!row) {
        return;
    }
    if (CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance()) {
        m_host->SetSampleRate(WaveFamilyRate(*manager, WaveSeriesFamily::Frequency));
    }
    m_host->SetTimeOrigin();
    m_host->SetItemCode(item == kItem ? kHostCode : 0);
    m_host->FitFrequencyRange(row);
    m_host->ShowMeasureLines(0, -1);
    ShowSeries(kindBits);
}

void CWaveFrequencyStatisticView::ShowSeries(std::uint32_t kindBits)
{
    m_host->ClearSelection();
    m_host->AddKindBits(kindBits);
    m_host->OpenColourPage(kColourPage);
    m_host->NameSeries(m_row, 0x10, kindBits);
    m_host->SetRowName(m_row, kSystem, CWaveResultStore::kRms, WaveText(kTextSeries));
    m_host->ShowPhase(m_row, kSystem);
}

ui::LResult CWaveFrequencyStatisticView::OnPaneCommand(const WavePaneCommand& command)
{
    if (!m_host) {
        return -1;
    }
    switch (command.command) {
    case kRangeSelected: {
        ApplyRange(command.first, command.second);
        if (!m_row) {
            return -1;
        }
        m_host->SetRowStore(m_row, m_store.get());
        std::uint32_t phases = 0, kinds = 0;
        m_host->GetMasks(phases, kinds);
        ShowSeries(kinds);
        m_host->ZoomAll();
        return 1;
    }
    case kSettingsOpened:
        if (m_row) {
            m_host->ClearRow(m_row);
        }
        return -1;
    default:
        return -1;
    }
}

ui::LResult CWaveFrequencyStatisticView::OnColoursChanged()
{
    if (m_host) {
        m_host->OpenColourPage(kColourPage);
        m_host->Recolour(m_row);
        m_host->Refresh();
    }
    return 1;
}

ui::LResult CWaveFrequencyStatisticView::OnExport(const std::wstring& folder)
{
    const std::wstring title = WaveText(m_itemId);
    return ExportTable(folder, title, title + WaveText(kTextTableUnit), L"LN") ? 1 : 0;
}
