// Scenes of the statistic record frames: each frame in a window of its own over the
// sample statistic data a new user opens, with its panel's defaults (and the
// active energy of the power frame).
#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include <wx/frame.h>

#include "tools/screenshot/Scene.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"
#include "platform/ui/Frame.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/GlobalModel.h"
#include "tools/gen/SampleSite.h"
#include "views/RecordFrameProfile.h"
#include "views/RecordFrameWnd.h"

namespace {

// The sample folder, written once for all scenes of the run, and its two models.
struct SampleData {
    std::filesystem::path folder;
    CGlobalModel model;
    CGlobalModel second;
    bool ready = false;

    SampleData()
    {
        folder = std::filesystem::temp_directory_path() / ("ondrava-views-scenes-" + std::to_string(::getpid()));
        if (!gen::WriteSampleStatisticFolder(folder)) {
            return;
        }
        GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::K7700);
        // Three days at one minute.
        constexpr std::uint32_t kRecords = 3 * 24 * 60;
        std::array<std::uint32_t, 14> query{0, 0, kRecords, 0, kRecords, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        const std::wstring path = platform::Utf8ToWide(platform::PathToUtf8(folder));
        model.CreateAnalysis(0);
        CCtrlItem open{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 0, path};
        model.OpenData(&open);
        second.CreateAnalysis(1);
        CCtrlItem openSecond{ctrl::kSecondStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 0, path};
        second.OpenData(&openSecond);
        BasicInfo info;
        ready = model.QueryBasicInfo(&info) != 0;
    }
    ~SampleData()
    {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
};

SampleData& Sample()
{
    static SampleData data;
    return data;
}

// Every text the frame's panel and series show has its glyphs.
bool TextsHaveGlyphs(const RecordFrameProfile& profile)
{
    auto* resources = CZVResourceManager::GetResourceManager();
    gfx::Font font;
    font.face = L"MS Shell Dlg";
    font.height = 12;
    std::wstring texts = resources->LoadString(profile.titleId) + resources->LoadString(10069) +
                         resources->LoadString(6126) + resources->LoadString(6127) + resources->LoadString(6128) +
                         resources->LoadString(10111) + resources->LoadString(6130);
    for (const RecordItemEntry& item : profile.items) {
        texts += resources->LoadString(item.nameId);
    }
    return gfx::MissingGlyphCount(texts, font) == 0;
}

bool Shoot(screenshot::SceneContext& context, const RecordFrameProfile& profile, std::uint32_t item)
{
    SampleData& sample = Sample();
    if (!sample.ready || !TextsHaveGlyphs(profile)) {
        return false;
    }
    ui::Frame host;
    if (!host.Create(CZVResourceManager::GetResourceManager()->LoadString(profile.titleId))) {
        return false;
    }
    host.GetFrame()->SetSize(wxRect(0, 0, 1000, 460));
    host.ShowWindow(ui::kShow);
    screenshot::Settle();
    std::unique_ptr<ui::Window> made = CRecordFrameWnd::CreateObject(profile, host.GetClientArea());
    auto* frame = dynamic_cast<CRecordFrameWnd*>(made.get());
    if (frame == nullptr || frame->Viewer() == nullptr) {
        host.DestroyWindow();
        return false;
    }
    frame->m_pDataModel = &sample.model;
    frame->m_pSecondDataModel = &sample.second;
    frame->MoveWindow(wxRect(wxPoint(0, 0), host.GetClientArea().GetClientSize()));
    frame->OnUpdate(CRecordFrame::kEventLoaded, 0, 0);
    if (item != 0) {
        const auto& entries = frame->Frame().Panel().Entries();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].code == item) {
                frame->Frame().Panel().OnSelect(static_cast<int>(i));
            }
        }
    }
    // A second phase and the maximum beside the defaults, where the frame has them.
    frame->Frame().Panel().OnClick(profile.boxes.front().id, true);
    screenshot::Settle();
    const bool saved = !frame->Frame().ShownKeys().empty() && screenshot::SaveFromWindow(frame->GetWx(), context.file);
    made.reset();
    host.DestroyWindow();
    screenshot::Settle();
    return saved;
}

const screenshot::SceneRegistrar kVoltage("views-voltage-current", [](screenshot::SceneContext& context) {
    return Shoot(context, VolAndCurProfile(), 0);
});
const screenshot::SceneRegistrar kPower("views-power", [](screenshot::SceneContext& context) {
    return Shoot(context, PowerAndEnergyProfile(), 0);
});
const screenshot::SceneRegistrar kEnergy("views-energy", [](screenshot::SceneContext& context) {
    return Shoot(context, PowerAndEnergyProfile(), 20);
});
const screenshot::SceneRegistrar kFlicker("views-flicker", [](screenshot::SceneContext& context) {
    return Shoot(context, FluctAndFlickerProfile(), 0);
});
const screenshot::SceneRegistrar kFrequency("views-frequency", [](screenshot::SceneContext& context) {
    return Shoot(context, FreqProfile(), 0);
});
const screenshot::SceneRegistrar kUnbalance("views-unbalance", [](screenshot::SceneContext& context) {
    return Shoot(context, UnbalanceProfile(), 0);
});

}  // namespace
