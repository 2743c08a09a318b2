#include "waverecord/ui/TracelumeCallBack.h"

#include <cmath>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/PopupWindow.h"
#include "waverecord/WaveText.h"

CTracelumeCallBack::CTracelumeCallBack() = default;

CTracelumeCallBack::~CTracelumeCallBack()
{
    if (m_popup) {
        m_popup->DestroyWindow();
    }
}

void CTracelumeCallBack::SetMinimumSelection(std::int64_t halfCycles)
{
    m_minimumSelection = halfCycles;
    m_rebuild = true;
}

std::wstring CTracelumeCallBack::HintText() const
{
    const auto cycles = static_cast<long long>(std::ceil(static_cast<double>(m_minimumSelection) * 0.5));
    return WaveFillField(WaveText(kTextHint), std::to_wstring(cycles));
}

bool CTracelumeCallBack::IsHintShown() const { return m_popup && m_popup->IsWindowVisible(); }

std::intptr_t CTracelumeCallBack::Notify(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (code) {
    case tracelume::kNotifyRegionGesture:
        if (wParam == 0 && lParam != 0) {
            const auto* point = reinterpret_cast<const tracelume::NotifyPoint*>(lParam);
            ShowHint(point->x, point->y);
        }
        return 0;
    case tracelume::kNotifyRegion:
        return ui::SendMessage(m_owner, kMsgRangeSelected, wParam, lParam);
    case tracelume::kNotifyCacheProgress:
        m_progress.Notify(CTracelumeProgress::kProgressCode, wParam, lParam);
        return 0;
    case tracelume::kNotifyRegionState:
        return ui::SendMessage(m_owner, kMsgRegionMode, wParam, lParam);
    default:
        return 0;
    }
}

void CTracelumeCallBack::ShowHint(int x, int y)
{
    if (!m_rebuild && IsHintShown()) {
        m_popup->ShowWindow(0);
        return;
    }
    if (!m_popup) {
        m_popup = std::make_unique<ui::PopupWindow>();
        if (!m_popup->CreatePopup(m_owner, 0, false)) {
            m_popup.reset();
            return;
        }
    }
    m_rebuild = false;
    // The text in lines beside the notice icon's place, on a pale ground.
    gfx::Font font;
    font.face = L"SimSun";
    font.height = 14;
    std::vector<std::wstring> lines;
    std::wstring text = HintText();
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(L'\n', start);
        lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) {
            break;
        }
        start = end + 1;
    }
    gfx::Bitmap measure(1, 1);
    gfx::Context measuring(measure);
    measuring.SetFont(font);
    double width = 0.0;
    for (const std::wstring& line : lines) {
        width = std::max(width, measuring.TextExtent(line).width);
    }
    const int lineHeight = 18;
    const int w = static_cast<int>(width) + 20 + 18;
    const int h = static_cast<int>(lines.size()) * lineHeight + 20;
    gfx::Bitmap picture(w, h);
    gfx::Context context(picture);
    context.SetFont(font);
    context.FillRect(gfx::Rect::FromSize(0, 0, w, h), gfx::Brush(gfx::Color{255, 255, 225}));
    context.Rectangle(gfx::Rect::FromSize(0, 0, w - 1, h - 1));
    context.SetTextColor(gfx::Color{0, 0, 0});
    for (std::size_t i = 0; i < lines.size(); ++i) {
        context.TextOut(8, 10 + static_cast<double>(i) * lineHeight, lines[i]);
    }
    // The notice mark: a yellow disc with an exclamation mark.
    context.FillRect(gfx::Rect::FromSize(w - 24, 10, 16, 16), gfx::Brush(gfx::Color{255, 200, 0}));
    context.TextOut(w - 19, 10, L"!");
    m_popup->SetPicture(picture.Surface());
    // Kept inside the owner's left and top edges.
    if (m_owner && m_owner->GetWx()) {
        const wxRect owner = m_owner->GetWindowRect();
        if (x - w < owner.x) {
            x = owner.x + w;
        }
        if (y - h < owner.y) {
            y = owner.y + h;
        }
    }
    m_popup->ShowAt(wxRect(x, y, w, h));
}
