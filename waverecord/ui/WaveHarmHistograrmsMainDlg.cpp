#include "waverecord/ui/WaveHarmHistograrmsMainDlg.h"

#include "core/ColorPicker.h"
#include "core/ZVResourceManager.h"
#include "platform/ui/MessageQueue.h"
#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/HarmChartControl.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"

namespace {

constexpr int kRangeChanged = 2;
constexpr int kReanalysed = 4;

std::unique_ptr<CWaveResultStore> Result(int item)
{
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    return manager ? manager->GetResult(item) : nullptr;
}

}  // namespace

CWaveHarmHistograrmsMainDlg::CWaveHarmHistograrmsMainDlg()
    : ui::Dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(kTemplateId))
{
    OnMessage(ui::kMsgSize, [this](ui::WParam, ui::LParam size) -> ui::LResult {
        if (m_chart) {
            const int width = static_cast<int>(static_cast<std::uintptr_t>(size) & 0xFFFF);
            const int height = static_cast<int>((static_cast<std::uintptr_t>(size) >> 16) & 0xFFFF);
            m_chart->MoveWindow(wxRect(0, 0, width, height));
        }
        return 0;
    });
    OnMessage(kMsgApply, [this](ui::WParam record, ui::LParam) -> ui::LResult {
        // A null record shows the one kept here again (the dialog's own requests).
        const HarmHistAttrib shown = record != 0 ? *reinterpret_cast<const HarmHistAttrib*>(record) : m_bars.Attrib();
        return OnApply(shown);
    });
    OnMessage(kMsgGetRecord, [this](ui::WParam buffer, ui::LParam) -> ui::LResult {
        if (buffer != 0) {
            *reinterpret_cast<HarmHistAttrib*>(buffer) = m_bars.Attrib();
        }
        return 0;
    });
    OnMessage(kMsgRefresh, [this](ui::WParam, ui::LParam) -> ui::LResult {
        BuildSeries();
        ShowBars();
        return 1;
    });
    OnMessage(kMsgPaneCommand, [this](ui::WParam command, ui::LParam) { return OnPaneCommand(command); });
    OnMessage(kMsgFocusView, [this](ui::WParam, ui::LParam) -> ui::LResult {
        if (m_view && m_view->GetWx()) {
            m_view->GetWx()->SetFocus();
        }
        return 0;
    });
}

CWaveHarmHistograrmsMainDlg::~CWaveHarmHistograrmsMainDlg() = default;

bool CWaveHarmHistograrmsMainDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_chart = std::make_unique<CHarmChartControl>();
    m_chart->Create(this, kChartId, ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 200, 200));
    m_chart->SetOwner(this);
    const wxSize client = GetClientSize();
    m_chart->MoveWindow(wxRect(0, 0, client.GetWidth(), client.GetHeight()));
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    m_bars.SetAttrib(DefaultHarmHistAttrib(manager ? manager->GetPhaseMask() : 0));
    ui::PostMessage(this, kMsgApply, 0, 0);
    return true;
}

HarmHistColors CWaveHarmHistograrmsMainDlg::SchemeColors() const
{
    CColorPicker picker;
    HarmHistColors colors;
    if (picker.Open(L"Harmonic") == 0 || picker.GetHarmColors(colors.maximum, colors.minimum, colors.average) == 0) {
        return HarmHistColors{};
    }
    return colors;
}

void CWaveHarmHistograrmsMainDlg::BuildSeries()
{
    if (!m_chart) {
        return;
    }
    m_seriesStats = BuildHistogramSeries(m_chart->Chart(), m_bars.Attrib().stats, SchemeColors(), WaveText);
    m_chart->Invalidate();
}

void CWaveHarmHistograrmsMainDlg::ShowBars()
{
    if (!m_chart) {
        return;
    }
    for (const HarmBarEntry& bar : m_bars.Bars()) {
        AddHistogramBar(m_chart->Chart(), m_seriesStats, bar, m_bars.Attrib().item);
    }
    if (!m_seriesStats.empty()) {
        m_chart->Chart().valueTitle = {true, m_axisTitle};
    }
    m_chart->Invalidate();
}

ui::LResult CWaveHarmHistograrmsMainDlg::OnApply(const HarmHistAttrib& record)
{
    m_bars.SetAttrib(record);
    ui::PostMessage(m_view, kMsgRetitle, 0, static_cast<ui::LParam>(record.item));
    std::int64_t start = -1, end = -1;
    ui::SendMessage(m_view, kMsgSelection, reinterpret_cast<ui::WParam>(&start), reinterpret_cast<ui::LParam>(&end));
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    if (!manager || !CWaveHarmHistogramBars::HarmonicRangeIsLongEnough(*manager, start, end)) {
        return 0;
    }
    m_bars.ClearBars();
    BuildSeries();
    m_bars.CollectBars(record, Result);
    if (!m_seriesStats.empty()) {
        m_axisTitle = GetTitle(record.item, record.phases, WaveText);
    }
    ShowBars();
    return 0;
}

ui::LResult CWaveHarmHistograrmsMainDlg::OnRangeChanged(std::int64_t start, std::int64_t end)
{
    BuildSeries();
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    if (!manager || !CWaveHarmHistogramBars::HarmonicRangeIsLongEnough(*manager, start, end)) {
        return 0;
    }
    std::int64_t remainder = 0;
    const std::int64_t startBlock = manager->PointToBlockRem(start, remainder);
    std::int64_t unused = 0;
    const std::int64_t endBlock = manager->PointToBlockRem(end - remainder, unused);
    // The extra groups are read over the same range as the orders beside them.
    for (int item : m_bars.ItemsRead(m_bars.Attrib())) {
        if (std::unique_ptr<CWaveResultStore> result = Result(item)) {
            std::int64_t first = startBlock, last = endBlock;
            result->SetParameter(&first, &last);
        }
    }
    m_bars.CollectBars(m_bars.Attrib(), Result);
    ShowBars();
    return 1;
}

ui::LResult CWaveHarmHistograrmsMainDlg::OnPaneCommand(ui::WParam command)
{
    const auto* record = reinterpret_cast<const WavePaneCommand*>(command);
    if (!record) {
        return -1;
    }
    switch (record->command) {
    case kRangeChanged:
        return OnRangeChanged(record->first, record->second);
    case kReanalysed:
        ui::PostMessage(this, kMsgApply, 0, 0);
        return -1;
    default:
        return -1;
    }
}
