#include "waverecord/ui/WaveTrendStatisticView.h"

#include "lib/viewer/data/RowItem.h"
#include "platform/ui/MessageQueue.h"
#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveResultStore.h"
#include "waverecord/WaveTableExport.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/WaveViewHost.h"

namespace {

constexpr unsigned kTextNoUnit = 10106;

}  // namespace

CWaveTrendStatisticView::CWaveTrendStatisticView(const WaveTrendTraits& traits)
    : CWaveStatisticView(traits.listKind, traits.firstItem), m_traits(traits)
{
}

void CWaveTrendStatisticView::OnCreateView()
{
    const std::uint32_t phases = m_traits.fixedPhases != 0 ? m_traits.fixedPhases : AskPhases();
    ShowItem(m_itemId, phases, CWaveViewHost::kKindAvg);
    SetFirstSizePending();
}

unsigned CWaveTrendStatisticView::TitleText(std::uint32_t item) const { return item; }

std::wstring CWaveTrendStatisticView::ExportTitle(std::uint32_t item) const
{
    const WaveStatisticItem facts = FindWaveStatisticItem(m_traits.kind, item);
    return WaveText(facts.titleText != 0 ? facts.titleText : item);
}

std::wstring CWaveTrendStatisticView::ExportTableName(std::uint32_t item) const
{
    const WaveStatisticItem facts = FindWaveStatisticItem(m_traits.kind, item);
    const std::wstring unit = facts.unit.empty() ? WaveText(kTextNoUnit) : std::wstring(facts.unit);
    return ExportTitle(item) + WaveText(CWaveTableExport::kTextUnit) + unit;
}

void CWaveTrendStatisticView::ApplyRange(std::uint32_t item)
{
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    if (!manager) {
        return;
    }
    const WaveStatisticItem facts = FindWaveStatisticItem(m_traits.kind, item);
    std::int64_t first = -1, end = -1;
    AskRange(first, end);
    WaveSeriesRange range = ConvertWaveRange(*manager, facts.family, first, end);
    m_host->SetSampleRate(WaveFamilyRate(*manager, facts.family));
    m_host->SetTimeOrigin();
    if (!m_store || item != m_itemId) {
        FetchStore(item);
    }
    if (m_store) {
        m_store->SetParameter(&range.first, &range.last);
    }
}

void CWaveTrendStatisticView::ShowItem(std::uint32_t item, std::uint32_t phaseBits, std::uint32_t kindBits)
{
    PostRetitle(TitleText(item));
    if (!EnsureHost()) {
        return;
    }
    ApplyRange(item);
    IRowItem* row = EnsureRow();
    if (!row) {
        return;
    }
    m_host->SetItemCode(FindWaveStatisticItem(m_traits.kind, item).hostCode);
    m_host->ShowMeasureLines(0, -1);
    m_host->OpenColourPage(m_traits.colourPage);
    // Every phase the channels may switch on later is named and coloured now.
    m_host->NameSeries(row, 0x1F, kindBits);
    m_host->FitRange(row, phaseBits, kindBits);
    if (!m_store) {
        // Nothing to fit: an empty range rather than the last item's.
        row->SetRange(0.0, 0.0, 0, 3);
    }
}

ui::LResult CWaveTrendStatisticView::OnApply(std::uint32_t item, std::uint32_t kindBits)
{
    if (!m_host) {
        return -1;
    }
    const std::uint32_t phases =
        m_traits.fixedPhases != 0 ? m_traits.fixedPhases : AskPhases() & ~m_traits.phasesNotChosen;
    ShowItem(item, phases, kindBits);
    SetFirstSizePending();
    m_host->Refresh();
    ZoomWhenShown();
    return 0;
}

ui::LResult CWaveTrendStatisticView::OnPaneCommand(const WavePaneCommand& command)
{
    if (command.command < 0 || command.command > 31 || (m_traits.commands & (1u << command.command)) == 0 || !m_host) {
        return -1;
    }
    switch (command.command) {
    case kChannelOn:
        if (m_row) {
            m_host->ShowPhase(m_row, command.third);
            m_host->Refresh();
        }
        return -1;
    case kChannelOff:
        if (m_row) {
            m_host->HidePhase(m_row, command.third, true);
            m_host->Refresh();
        }
        return -1;
    case kRangeSelected: {
        CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
        if (!manager) {
            return -1;
        }
        const WaveStatisticItem facts = FindWaveStatisticItem(m_traits.kind, m_itemId);
        WaveSeriesRange range = ConvertWaveRange(*manager, facts.family, command.first, command.second);
        if (m_store) {
            m_store->SetParameter(&range.first, &range.last);
        }
        m_host->SetTimeOrigin();
        if (m_row) {
            m_host->SetRowStore(m_row, m_store.get());
            std::uint32_t phases = 0, kinds = 0;
            m_host->GetMasks(phases, kinds);
            m_host->FitRange(m_row, phases, kinds);
        }
        m_host->ZoomAll();
        return 1;
    }
    case kReanalysed: {
        std::uint32_t phases = 0, kinds = 0;
        m_host->GetMasks(phases, kinds);
        FetchStore(m_itemId);
        ui::PostMessage(this, kMsgApply, m_itemId, kinds);
        return -1;
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

ui::LResult CWaveTrendStatisticView::OnColoursChanged()
{
    if (m_host) {
        m_host->OpenColourPage(m_traits.colourPage);
        m_host->Recolour(m_row);
        m_host->Refresh();
    }
    return 1;
}

ui::LResult CWaveTrendStatisticView::OnExport(const std::wstring& folder)
{
    return ExportTable(folder, ExportTitle(m_itemId), ExportTableName(m_itemId), m_traits.fourthPrefix) ? 1 : 0;
}
