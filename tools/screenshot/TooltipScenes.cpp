// Scenes of the viewer's HTML tooltip: a formatted balloon over a waveform pane.
#include <chrono>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "tools/screenshot/Scene.h"
#include "lib/viewer/html/HtmlToolTip.h"
#include "platform/gfx/Context.h"
#include "platform/ui/Frame.h"
#include "platform/ui/InputMessages.h"

namespace {

const wchar_t kTipText[] =
    L"<h2>通道 U1</h2><br><font color=#606060>2024-05-17 10:32:15.250</font><br><hr color=blue>"
    L"<table border=1 bordercolor=#8090a0 cellpadding=3 bgcolor=#f4f8ff>"
    L"<tr><td bgcolor=#dde8f5><b>测量</b></td><td bgcolor=#dde8f5 align=right><b>数值</b></td></tr>"
    L"<tr><td>有效值</td><td align=right><font color=#c00000>230.12 V</font></td></tr>"
    L"<tr><td>频率</td><td align=right><font color=#007000>50.00 Hz</font></td></tr>"
    L"<tr><td>THD</td><td align=right>2.31 %</td></tr></table>"
    L"<hr width=60% size=2 color=#ff9900><br><i>光标</i> = 12.500 ms &bull; <a href=\"https://example.org\">说明</a>";

// A pane with a waveform on it and its tooltip, as the viewer's panes have one.
class WavePane : public ui::Window {
public:
    WavePane(ui::Window& parent, const wxRect& rect) {
        CreateChild(&parent, 100, ui::kStyleVisible, rect);
        SetPaintHandler([](cairo_t* cr, int width, int height) {
            gfx::Context dc(cr);
            dc.FillRect(gfx::Rect::FromSize(0, 0, width, height), gfx::Color{250, 250, 250});
            dc.SetPen(gfx::Pen{gfx::Color{220, 220, 220}});
            for (int x = 0; x < width; x += 40) {
                dc.DrawLine({double(x), 0}, {double(x), double(height)});
            }
            dc.SetPen(gfx::Pen{gfx::Color{200, 40, 40}, 1.5});
            std::vector<gfx::Point> wave;
            for (int x = 0; x < width; ++x) {
                wave.push_back({double(x), height / 2.0 - height / 3.0 * std::sin(x * 2 * std::numbers::pi / 160)});
            }
            dc.Polyline(wave);
        });
        ui::RouteInputMessages(*this);
        tip.CreateForPane(this);
        for (unsigned message = ui::kMsgMouseMove; message <= ui::kMsgMouseWheel; ++message) {
            OnMessage(message, [this, message](ui::WParam wParam, ui::LParam lParam) {
                tip.RelayEvent(ui::CurrentInputMessage(this, message, wParam, lParam));
                return 0;
            });
        }
        OnMessage(kMsgHtmlTipNeedText, [](ui::WParam, ui::LParam lParam) {
            reinterpret_cast<HtmlTipRequest*>(lParam)->tool->text = kTipText;
            return 0;
        });
    }

    CHtmlToolTip tip;
};

// The text of the markup without its tags, for the glyph check.
std::wstring PlainText(const std::wstring& markup) {
    std::wstring text;
    bool inTag = false;
    for (const wchar_t c : markup) {
        if (c == L'<' || c == L'>') {
            inTag = c == L'<';
        } else if (!inTag) {
            text += c;
        }
    }
    return text;
}

const screenshot::SceneRegistrar kFormattedTip("tooltip-formatted", [](screenshot::SceneContext& context) {
    if (gfx::MissingGlyphCount(PlainText(kTipText), gfx::Font{L"Verdana", 13}) != 0) {
        return false;
    }
    ui::Frame frame;
    frame.Create(L"Tooltip");
    frame.MoveWindow({200, 150, 460, 360});
    frame.ShowWindow(ui::kShow);
    auto pane = std::make_unique<WavePane>(frame, wxRect(wxPoint(0, 0), frame.GetClientSize()));
    screenshot::Settle();
    // The mouse rests on the wave near the pane's lower left; the balloon rises above it.
    wxMouseEvent move(wxEVT_MOTION);
    move.SetEventObject(pane->GetWx());
    move.SetPosition({40, 330});
    pane->GetWx()->ProcessWindowEvent(move);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (pane->tip.Phase() != CHtmlToolTip::kShown && std::chrono::steady_clock::now() < limit) {
        wxEventLoopBase::GetActive()->DispatchTimeout(10);
        wxTheApp->ProcessPendingEvents();
    }
    screenshot::Settle();
    const bool saved = pane->tip.Phase() == CHtmlToolTip::kShown &&
                       screenshot::SaveFromScreen(frame.GetWx(), context.file);
    pane.reset();
    frame.DestroyWindow();
    return saved;
});

}  // namespace
