#include "views/DlgHarmMain.h"

#include "controls/ChartContrl.h"
#include "core/ColorPicker.h"
#include "core/ZVResourceManager.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/MessageQueue.h"

namespace {

std::wstring Text(unsigned id)
{
    return CZVResourceManager::GetResourceManager()->LoadString(id);
}

}  // namespace

CDlgHarmMain::CDlgHarmMain(const DialogTemplateInfo* info) : ui::Dialog(info)
{
    OnMessage(ui::kMsgSize, [this](ui::WParam, ui::LParam size) -> ui::LResult {
        if (m_Chart) {
            const int width = static_cast<int>(static_cast<std::uintptr_t>(size) & 0xFFFF);
            const int height = static_cast<int>((static_cast<std::uintptr_t>(size) >> 16) & 0xFFFF);
            m_Chart->MoveWindow(wxRect(0, 0, width, height));
        }
        return 0;
    });
    OnMessage(kMsgCommand, [this](ui::WParam code, ui::LParam) -> ui::LResult {
        if (code == kClearChart) {
            m_Bars.clear();
            m_SeriesKinds.clear();
            if (m_Chart) {
                m_Chart->Chart().RemoveAllSeries();
                m_Chart->Chart().legendVisible = true;
                m_Chart->Invalidate();
            }
        }
        return 0;
    });
    OnMessage(kMsgQuery, [](ui::WParam, ui::LParam) -> ui::LResult { return 1; });
    // Alt+F4 in a chart would close the scroll view that holds it and leave the
    // frame with a destroyed view: it is swallowed.
    OnMessage(ui::kMsgSysKeyDown, [](ui::WParam, ui::LParam) -> ui::LResult { return 0; });
}

CDlgHarmMain::~CDlgHarmMain() = default;

bool CDlgHarmMain::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_Chart = std::make_unique<CChartContrl>();
    m_Chart->Create(this, kChartId, ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 200, 200));
    m_Chart->EnableHoverLabels(1);
    const wxSize client = GetClientSize();
    m_Chart->MoveWindow(wxRect(0, 0, client.GetWidth(), client.GetHeight()));
    return true;
}

HarmChartColors CDlgHarmMain::SchemeColors(const HarmChartColors& fallback) const
{
    CColorPicker picker;
    HarmChartColors colors = fallback;
    if (picker.Open(L"Harmonic") == 0 || picker.GetHarmColors(colors.maximum, colors.minimum, colors.average) == 0) {
        return fallback;
    }
    return colors;
}

void CDlgHarmMain::Fill(const CHarmSelection* selection, IDataModel* model)
{
    ui::SendMessage(this, kMsgCommand, kClearChart, 0);
    if (selection == nullptr || model == nullptr || !m_Chart) {
        return;
    }
    m_Bars = FetchHarmBars(*selection, *model);
    m_SeriesKinds = FillHarmChart(m_Chart->Chart(), m_Bars, *selection, SchemeColors({}), Text);
    m_Chart->Invalidate();
}

void CDlgHarmMain::ApplyColors()
{
    if (!m_Chart) {
        return;
    }
    // The recolouring defaults differ from the fill's: a darker green.
    const HarmChartColors colors = SchemeColors({0x0000FF, 0x00B400, 0xFF0000});
    const std::uint32_t values[] = {colors.maximum, colors.minimum, colors.average};
    std::vector<controls::ChartSeries>& series = m_Chart->Chart().Series();
    for (std::size_t s = 0; s < series.size() && s < m_SeriesKinds.size(); ++s) {
        if (m_SeriesKinds[s] < 3) {
            series[s].color = gfx::Color::FromColorRef(values[m_SeriesKinds[s]]);
        }
    }
    m_Chart->Invalidate();
}
