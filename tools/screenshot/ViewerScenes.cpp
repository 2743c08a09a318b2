// Scenes of the waveform viewer: the library loaded from the program folder into a
// window, as the record views host it, with a few rows, marks and a region.
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include <wx/frame.h>
#include <wx/window.h>

#include "tools/screenshot/Scene.h"
#include "lib/viewer/data/BufferredDataManager.h"
#include "lib/viewer/data/LineStyleInfo.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "platform/base/DynamicLibrary.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/Font.h"
#include "terminal/SimpleDataManager.h"

namespace {

constexpr std::int64_t kSamples = 4000;  // 0.4 s at 10 kHz
constexpr double kPi = 3.14159265358979323846;

// A series computed from its index, as the program's data managers hand them out.
class SceneSource final : public ISimpleDataManager {
public:
    using Function = std::int64_t (*)(std::int64_t);
    explicit SceneSource(Function function) : m_function(function) {}
    void Release() override {}
    std::int32_t ReservedSlot2(std::uint32_t, std::uint32_t, std::uint32_t) override { return 0; }
    bool GetNext(std::int64_t* index, std::int64_t* value) override {
        if (*index < 0 || *index >= kSamples) {
            return false;
        }
        *value = m_function((*index)++);
        return true;
    }
    bool GetPrev(std::int64_t* index, std::int64_t* value) override {
        if (*index < 0 || *index >= kSamples) {
            return false;
        }
        *value = m_function((*index)--);
        return true;
    }
    std::uint64_t GetCount() override { return kSamples; }
    bool GetValue(std::int64_t, double*) override { return false; }

private:
    Function m_function;
};

// Display positions of a 50 Hz phase (200 samples a period) that dips for a while.
std::int64_t Phase(std::int64_t i, double shift) {
    const double dip = i > 1800 && i < 2600 ? 0.55 : 1.0;
    const double value = 0.5 + 0.42 * dip * std::sin(2 * kPi * static_cast<double>(i) / 200 + shift);
    return static_cast<std::int64_t>(value * 4294967296.0);
}
std::int64_t PhaseA(std::int64_t i) { return Phase(i, 0); }
std::int64_t PhaseB(std::int64_t i) { return Phase(i, -2 * kPi / 3); }
std::int64_t PhaseC(std::int64_t i) { return Phase(i, 2 * kPi / 3); }
std::int64_t Current(std::int64_t i) {
    const double surge = i > 1800 && i < 2600 ? 1.8 : 1.0;
    return static_cast<std::int64_t>((0.5 + 0.2 * surge * std::sin(2 * kPi * static_cast<double>(i) / 200 - 0.5)) *
                                     4294967296.0);
}
std::int64_t Status(std::int64_t i) { return i < 1800 ? 0x11 : i < 2600 ? 0x5A : 0x13; }
std::int64_t Trip(std::int64_t i) { return i > 1850 && i < 2550 ? 1 : 0; }

struct Series {
    SceneSource source;
    IBufferredDataManager* cache = nullptr;
};

const screenshot::SceneRegistrar kWaveform("viewer-waveform", [](screenshot::SceneContext& context) {
    // Every name shown must have its glyphs in the fonts the panes draw with.
    for (const wchar_t* text :
         {L"电压 U", L"电流 I1", L"状态字", L"跳闸 Trip", L"Ua 250.000ms HZ -400 V 5A H", L"Find M1 M2 - 165.000ms"}) {
        for (const wchar_t* face : {L"Arial", L"Verdana"}) {
            gfx::Font font;
            font.face = face;
            font.height = 12;
            if (gfx::MissingGlyphCount(text, font) != 0) {
                return false;
            }
        }
    }
    platform::DynamicLibrary library(platform::ProgramFolder() / "libTracelume.so");
    const auto create = reinterpret_cast<CreateTracelumeFunction>(library.Symbol("CreateTracelume"));
    if (create == nullptr) {
        return false;
    }
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Tracelume", wxPoint(0, 0), wxSize(1000, 640));
    frame->Show();
    ITracelume* viewer = create(frame);
    if (viewer == nullptr) {
        frame->Destroy();
        return false;
    }
    viewer->GetHwnd()->SetSize(frame->GetClientSize());
    viewer->ShowToolBar(1);
    viewer->ShowNavigator(1);
    viewer->Command(tracelume::kCommandSplitterLimits, 60, 200);
    viewer->Command(tracelume::kCommandTreeWidth, 150, 0);

    std::vector<std::unique_ptr<Series>> series;
    const auto add = [&](IRowItem* row, int kind, SceneSource::Function function, const wchar_t* name,
                         std::uint32_t color) {
        auto entry = std::make_unique<Series>(Series{SceneSource(function)});
        entry->cache = viewer->CreateDataManager(&entry->source);
        IRowItemImp* imp = viewer->CreateRowImp(kind);
        imp->SetData(entry->cache);
        row->AddImp(imp);
        CLineStyleInfo style;
        style.m_name = name;
        style.m_lineColor = color;
        style.m_textColor = 0x202020;
        style.m_showScale = 1;
        row->SetImpStyle(imp, style);
        series.push_back(std::move(entry));
    };
    IRowItem* voltage = viewer->AddRow(nullptr);
    voltage->SetName(L"电压 U");
    voltage->SetRange(-400, 400, 3, 1);
    voltage->SetHeight(190);
    add(voltage, 3, PhaseA, L"Ua", 0x0000C8);
    add(voltage, 3, PhaseB, L"Ub", 0x00A000);
    add(voltage, 3, PhaseC, L"Uc", 0xC80000);
    IRowItem* current = viewer->AddRow(nullptr);
    current->SetName(L"电流 I1");
    current->SetRange(-100, 100, 4, 1);
    current->SetHeight(150);
    add(current, 3, Current, L"Ia", 0x008CFF);
    IRowItem* status = viewer->AddRow(nullptr);
    status->SetName(L"状态字");
    status->SetBitWidth(8);
    status->SetHeight(150);
    add(status, 1, Status, L"Status", 0x404040);
    IRowItem* trip = viewer->AddRow(nullptr);
    trip->SetName(L"跳闸 Trip");
    trip->SetBitWidth(1);
    trip->SetHeight(150);
    add(trip, 2, Trip, L"Trip", 0x0000FF);

    viewer->SetDataLength(static_cast<std::uint32_t>(kSamples), 0);
    viewer->SetSampleRate(10000);
    viewer->ShowGrid(1, 1);
    viewer->ZoomAll();
    viewer->ShowMeasureLines(1, 0);
    viewer->Command(tracelume::kCommandFind, 0, 2600);
    screenshot::Settle();
    // Two cursor marks set by the user: a click, then the waveform's add-mark command.
    wxWindow* wave = wxWindow::FindWindowByName("CTracelumeCtrl", viewer->GetHwnd());
    for (const int x : {300, 470}) {
        wxMouseEvent click(wxEVT_RIGHT_DOWN);
        click.SetEventObject(wave);
        click.m_x = x;
        click.m_y = 100;
        wave->ProcessWindowEvent(click);
        wxCommandEvent add(wxEVT_MENU, 32806);
        add.SetEventObject(wave);
        wave->ProcessWindowEvent(add);
    }
    viewer->Command(tracelume::kCommandMinRegion, 100, 0);
    viewer->Command(tracelume::kCommandSelectRegion, 2700, 3300);
    viewer->Refresh();
    screenshot::Settle();
    const bool saved = screenshot::SaveFromWindow(viewer->GetHwnd(), context.file);
    viewer->Release();
    for (const auto& entry : series) {
        entry->cache->Release();
    }
    frame->Destroy();
    screenshot::Settle();
    return saved;
});

}  // namespace
