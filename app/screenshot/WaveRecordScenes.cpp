// Scenes of the waveform-record window: a generated raw record opened in the main
// frame, its voltages and currents in the raw-waveform pane beside the statistic
// area.
#include <filesystem>

#include <wx/frame.h>

#include "app/MainFrame.h"
#include "app/screenshot/Scene.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"
#include "platform/ui/MessageQueue.h"
#include "tools/gen/WaveRecord.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/WaveMainView.h"

namespace {

const screenshot::SceneRegistrar kWindow("waverecord-window", [](screenshot::SceneContext& context) {
    // The pane captions and the channel boxes must find their glyphs.
    gfx::Font font;
    font.face = L"宋体";
    font.height = -12;
    for (const std::wstring& text : {WaveText(10240), std::wstring(L"原始电压&电流趋势图 L1 L2 L3 N")}) {
        if (gfx::MissingGlyphCount(text, font) != 0) {
            return false;
        }
    }
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "ondrava-waverecord-scene";
    std::filesystem::remove_all(folder);
    if (!gen::WriteWaveRecord(folder, gen::ThreePhaseWaveRecord(12800, 2.0, 0.05))) {
        return false;
    }
    context.frame->GetFrame()->SetSize(1280, 800);
    context.frame->ShowWaveClient(true);
    screenshot::Settle();
    const std::wstring path = platform::FromPath(folder);
    const ui::LResult opened = ui::SendMessage(context.frame->GetWaveClient(), CWaveMainView::kMsgOpenRecord,
                                               reinterpret_cast<ui::WParam>(&path), 0);
    screenshot::Settle();
    const bool saved = opened == 1 && screenshot::SaveFromScreen(context.frame->GetWx(), context.file);
    std::filesystem::remove_all(folder);
    return saved;
});

}  // namespace
