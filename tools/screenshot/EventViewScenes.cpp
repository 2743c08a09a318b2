// Scenes of the record views of transient and alarm events: the sample folder's
// events opened through the COMTRADE and SOE models, the views bound to them as the
// controller binds them, in a window of the scene's own: the transient-event list
// beside the voltage pane with its phase strip and effective-value row, and the
// alarm-event list beside the scene view.
#include <functional>
#include <type_traits>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/grid.h>

#include "tools/screenshot/Scene.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Window.h"
#include "terminal/ComtradeModel.h"
#include "terminal/SOEModel.h"
#include "terminal/ZVController.h"
#include "tools/gen/SampleSite.h"
#include "views/ComtradeListView.h"
#include "views/ComtradePane.h"
#include "views/SOEDMMView.h"
#include "views/SOEListView.h"
#include "views/SOEVirtualList.h"
#include "views/data/SoeEventText.h"

namespace {

namespace fs = std::filesystem;

// The scene's window as a window of the window layer, to be the views' parent.
class FrameHost : public ui::Window {
public:
    explicit FrameHost(wxWindow* frame) { Attach(frame, 0, false); }
};

std::array<std::uint32_t, 14> WholeSelection() {
    std::array<std::uint32_t, 14> words{};
    const std::int64_t to = std::numeric_limits<std::int64_t>::max();
    words[10] = static_cast<std::uint32_t>(to);
    words[11] = static_cast<std::uint32_t>(static_cast<std::uint64_t>(to) >> 32);
    return words;
}

template <class View>
bool Place(View& view, ui::Window& host, ISubject& subject, IDataModel& model, IController& controller,
           std::uint32_t id, const wxRect& rect) {
    if (!view.Create(&host)) {
        return false;
    }
    view.GetWx()->SetSize(rect);
    subject.Attach(&view, CZVController::PaneMask(id));
    view.m_pDataModel = &model;
    view.m_pController = &controller;
    return true;
}

bool AllGlyphs(const std::vector<std::wstring>& texts) {
    for (const wchar_t* face : {L"MS Shell Dlg", L"宋体"}) {
        gfx::Font font;
        font.face = face;
        font.height = -12;
        for (const std::wstring& text : texts) {
            if (gfx::MissingGlyphCount(text, font) != 0) {
                return false;
            }
        }
    }
    return true;
}

std::vector<std::wstring> ListTexts(wxListCtrl& list) {
    std::vector<std::wstring> texts;
    for (long row = 0; row < list.GetItemCount(); ++row) {
        for (int column = 0; column < list.GetColumnCount(); ++column) {
            texts.push_back(list.GetItemText(row, column).ToStdWstring());
        }
    }
    return texts;
}

// Shoots a list view on the left and its companion on the right, both bound to the
// model, after the folder was opened with `openCode` and line `row` selected; the
// texts the picture shows must all have their glyphs.
template <class List, class Companion, class Model>
bool ShootPair(screenshot::SceneContext& context, Model& model, const std::filesystem::path& folder,
               std::uint32_t openCode, std::uint32_t listId, std::uint32_t companionId, int listWidth, wxSize frameSize,
               long row, const std::function<std::vector<std::wstring>(List&, Companion&)>& texts) {
    CZVController controller;
    if constexpr (std::is_same_v<Model, CSOEModel>) {
        controller.SetSOEModel(&model);
    } else {
        controller.SetComtradeModel(&model);
    }
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Ondrava", wxPoint(0, 0), frameSize);
    frame->Show();
    screenshot::Settle();
    FrameHost host(frame);
    const wxSize size = frame->GetClientSize();
    bool saved = false;
    {
        List list;
        Companion companion;
        if (Place(list, host, model, model, controller, listId, wxRect(0, 0, listWidth, size.y)) &&
            Place(companion, host, model, model, controller, companionId,
                  wxRect(listWidth + 4, 0, size.x - listWidth - 4, size.y))) {
            auto selection = WholeSelection();
            CCtrlItem open{openCode, reinterpret_cast<std::uintptr_t>(selection.data()), 0, platform::FromPath(folder)};
            controller.Notify(&open);
            list.SelectRow(row);
            screenshot::Settle();
            saved = AllGlyphs(texts(list, companion)) && screenshot::SaveFromScreen(frame, context.file);
        }
    }
    frame->Destroy();
    screenshot::Settle();
    return saved;
}

const screenshot::SceneRegistrar kComtrade("views-transient-events", [](screenshot::SceneContext& context) {
    screenshot::SceneFolder folder;
    if (!gen::WriteSampleStatisticFolder(folder.Path()) || !gen::WriteSampleComtrade(folder.Path())) {
        return false;
    }
    CComtradeModel model;
    model.CreateAnalysis(0);
    return ShootPair<CComtradeListView, CComtradeVoltage>(
        context, model, folder.Path(), ctrl::kOpenComtrade, 40001, 40002, 300, wxSize(1400, 560), 0,
        [](CComtradeListView& list, CComtradeVoltage&) {
            std::vector<std::wstring> texts = ListTexts(*list.GetList());
            texts.insert(texts.end(), {L"L1", L"L2", L"L3", L"N", L"有效值"});
            return texts;
        });
});

const screenshot::SceneRegistrar kSoe("views-alarm-events", [](screenshot::SceneContext& context) {
    screenshot::SceneFolder folder;
    if (!gen::WriteSampleStatisticFolder(folder.Path()) || !gen::WriteSampleSoe(folder.Path())) {
        return false;
    }
    CSOEModel model;
    model.CreateAnalysis(0);
    return ShootPair<CSOEListView, CSOEDMMView>(
        context, model, folder.Path(), ctrl::kOpenSoe, 40004, 40005, 470, wxSize(1240, 760), 2,
        [](CSOEListView& events, CSOEDMMView& scene) {
            std::vector<std::wstring> texts = ListTexts(*events.GetList());
            wxGrid* grid = scene.GetReport();
            for (int row = 0; row < grid->GetNumberRows(); ++row) {
                for (int column = 0; column < grid->GetNumberCols(); ++column) {
                    texts.push_back(grid->GetCellValue(row, column).ToStdWstring());
                }
            }
            texts.push_back(scene.GetCaption());
            return texts;
        });
});

}  // namespace
