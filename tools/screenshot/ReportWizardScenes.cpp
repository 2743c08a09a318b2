// Scenes of the report wizard over a generated statistic folder: the RTF report's
// and the spreadsheet report's first pages, the trend page, the harmonic page with
// its order rows and the last page with the scheme export.
#include <array>
#include <filesystem>
#include <vector>

#include "app/MainFrame.h"
#include "tools/screenshot/Scene.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"
#include "platform/gfx/Font.h"
#include "report/ReportConfig.h"
#include "report/ui/HarmSelectWnd.h"
#include "report/ui/ReportSheet.h"
#include "report/ui/VoltageHarmPage.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalModel.h"
#include "tools/gen/StatisticFolder.h"

namespace {

namespace fs = std::filesystem;


bool GeneratedRecord(const fs::path& folder, BasicInfo& record) {
    gen::StatisticFolderOptions options;
    options.items = {1, 7, 25, 461};
    options.records = 60;
    if (folder.empty() || !gen::WriteStatisticFolder(folder, options)) {
        return false;
    }
    CGlobalModel model;
    const std::int64_t end = *platform::FromLocalTime(2026, 3, 1, 1, 0, 0);
    std::array<std::uint32_t, 14> query = {0, 0, 60, 0, 60, 0, 0, 0, 0, 0, static_cast<std::uint32_t>(end),
                                           static_cast<std::uint32_t>(static_cast<std::uint64_t>(end) >> 32), 0, 0};
    CCtrlItem request{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 100,
                      platform::FromPath(folder)};
    model.OpenData(&request);
    return model.QueryBasicInfo(&record) == 1;
}

// Every caption of the page's template, drawn in the dialog font.
bool PageGlyphs(unsigned templateId) {
    gfx::Font font;
    font.face = L"宋体";
    font.height = -12;
    const DialogTemplateInfo* info = CZVResourceManager::GetResourceManager()->LoadDialogTemplate(templateId);
    if (info == nullptr) {
        return false;
    }
    for (const auto& item : info->items) {
        if (gfx::MissingGlyphCount(item.caption, font) != 0) {
            return false;
        }
    }
    return true;
}

// The wizard of the mode on the page, saved from its window.
bool ShootPage(screenshot::SceneContext& context, int mode, int page, unsigned templateId) {
    screenshot::SceneFolder folder;
    BasicInfo record;
    if (!GeneratedRecord(folder.Path() / "统计数据", record)) {
        return false;
    }
    CReportConfig config;
    CReportSheet sheet(CZVResourceManager::GetResourceManager()->LoadString(mode == 1 ? 6096 : 6093), mode, &config);
    sheet.SetRowInfo(record);
    if (!sheet.Create(context.frame)) {
        return false;
    }
    sheet.ShowWindow(ui::kShow);
    screenshot::Settle();
    for (int index = 1; index <= page; ++index) {
        sheet.SetActivePage(index);
        screenshot::Settle();
    }
    if (page >= 2) {
        CVoltageHarmPage& harm = sheet.GetHarmPage(page - 2);
        harm.SelectTab(0);
        screenshot::Settle();
        if (CHarmSelectWnd* selector = harm.GetSelector(0); selector != nullptr && selector->GetRowCount() > 1) {
            selector->SelectEntry(1, 5, 0);
        }
        screenshot::Settle();
    }
    const bool saved = sheet.GetActiveIndex() == page && PageGlyphs(templateId) &&
                       screenshot::SaveFromWindow(sheet.GetWx(), context.file);
    sheet.DestroyWindow();
    return saved;
}

const screenshot::SceneRegistrar kRtf("report-wizard-rtf", [](screenshot::SceneContext& context) {
    return ShootPage(context, 0, 0, 148);
});
const screenshot::SceneRegistrar kExcel("report-wizard-excel", [](screenshot::SceneContext& context) {
    return ShootPage(context, 1, 0, 152);
});
const screenshot::SceneRegistrar kTrend("report-wizard-trend", [](screenshot::SceneContext& context) {
    return ShootPage(context, 0, 1, 125);
});
const screenshot::SceneRegistrar kHarmonic("report-wizard-harmonic", [](screenshot::SceneContext& context) {
    return ShootPage(context, 0, 2, 102);
});
const screenshot::SceneRegistrar kInterharmonic("report-wizard-interharmonic", [](screenshot::SceneContext& context) {
    return ShootPage(context, 1, 4, 102);
});

}  // namespace
