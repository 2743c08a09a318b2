// Scenes of the shared controls: the progress dialog while its task copies, and a
// panel with the banners, the coloured shape and label, the range slider, the
// collapse strips and the view item list.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <string>

#include <wx/window.h>

#include "app/MainFrame.h"
#include "controls/BackgndCtrl.h"
#include "controls/ControlDrawing.h"
#include "controls/ControlTemplate.h"
#include "controls/CurrentViewList.h"
#include "controls/CustomStatic.h"
#include "controls/PolyTitleTemplate.h"
#include "controls/ProgressDlg.h"
#include "controls/RangeSlider.h"
#include "controls/ResizeCtrl.h"
#include "tools/screenshot/Scene.h"
#include "platform/gfx/Font.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageQueue.h"

namespace {

struct CopyJob {
    CProgressDlg* dialog = nullptr;
    const wxString* file = nullptr;
    bool saved = false;
};

// Copies "half" of its files, then has its picture taken while the dialog is up.
std::uint32_t CopyHalf(void* argument) {
    auto* job = static_cast<CopyJob*>(argument);
    for (int file = 0; file < 50; ++file) {
        ui::SendMessage(job->dialog, kMsgProgressStep);
    }
    job->dialog->SetMessage(1, L"K7800\\REC_20260114_093000\\REC_0001.dat");
    ui::CallOnUiThread([job]() -> ui::LResult {
        screenshot::Settle();
        job->saved = screenshot::SaveFromWindow(job->dialog->GetWx(), *job->file);
        return 0;
    });
    return 0;
}

const screenshot::SceneRegistrar kProgress("controls-progress", [](screenshot::SceneContext& context) {
    CProgressDlg dialog(context.frame);
    CopyJob job{&dialog, &context.file};
    std::atomic<std::int32_t> stop{0};
    dialog.SetTask(CopyHalf, &job, &stop, 100);
    dialog.DoModal();
    return job.saved;
});

DialogTemplateInfo PanelTemplate() {
    DialogTemplateInfo info;
    info.style = 0x80C800C0;
    info.cx = 100;
    info.cy = 100;
    info.fontFace = L"宋体";
    info.fontSize = 9;
    return info;
}

const screenshot::SceneRegistrar kPanel("controls-panel", [](screenshot::SceneContext& context) {
    ui::Dialog panel(PanelTemplate());
    if (!panel.Create(context.frame)) {
        return false;
    }
    constexpr std::uint32_t kShown = ui::kStyleChild | ui::kStyleVisible;

    // The texts the controls draw themselves; a box for a missing glyph is no text.
    const std::wstring harmonicCaption = controls::LoadControlString(10082);
    const std::wstring powerCaption = controls::LoadControlString(10087);
    const std::wstring labelText = controls::LoadControlString(10078) + L"\n" + controls::LoadControlString(10246);
    for (const std::wstring* text : {&harmonicCaption, &powerCaption, &labelText}) {
        if (gfx::MissingGlyphCount(*text, controls::CaptionFont()) != 0) {
            return false;
        }
    }

    CPolyTitleTemplate harmonic;
    harmonic.Create(&panel, 1001, kShown, wxRect(16, 16, 101, 25));
    harmonic.SetCaption(harmonicCaption, 0x0000FF);
    CPolyTitleTemplate power;
    power.Create(&panel, 1002, kShown, wxRect(130, 16, 101, 25));
    power.SetFillColor(0xCDC2B6);
    power.SetCaption(powerCaption, 0x7F3F00);

    CBackgndCtrl shape;
    shape.Create(&panel, 1003, kShown, wxRect(250, 12, 130, 34));
    const std::array<gfx::Point, 4> quadrilateral{{{12, 0}, {0, 33}, {118, 33}, {130, 0}}};
    shape.SetEntries(quadrilateral);
    shape.SetFillColor(0x558AEE);

    CCustomStatic label;
    label.Create(&panel, 1004, kShown, wxRect(16, 58, 364, 44));
    label.SetBkColor(0xD0A971);
    label.SetText(labelText, 0xFFFFFF);

    CRangeSlider slider;
    slider.Create(&panel, 1005, kShown, wxRect(16, 118, 364, 22));
    slider.SetRange(0, 1);
    slider.SetPosition(0.2, 0.7);
    slider.SetVisualBand(0.35, 0.55, true);

    CResizeCtrl expanded(1);
    expanded.Create(&panel, 1006, kShown, wxRect(16, 156, 10, 120));
    CResizeCtrl collapsed(0);
    collapsed.Create(&panel, 1007, kShown, wxRect(40, 156, 10, 120));

    // The view item list at its own size, right of the others.
    CCurrentViewList list(&panel);
    list.SetKind(controls::kViewKindPowerEnergy);
    list.Create();
    const wxSize size = list.GetWindowRect().GetSize();
    list.MoveWindow(wxRect(wxPoint(400, 10), size));
    panel.GetWx()->SetClientSize(wxSize(410 + size.x, std::max(290, 20 + size.y)));

    panel.ShowWindow(ui::kShow);
    screenshot::Settle();
    const bool saved = screenshot::SaveFromWindow(panel.GetWx(), context.file);
    panel.DestroyWindow();
    return saved;
});

}  // namespace
