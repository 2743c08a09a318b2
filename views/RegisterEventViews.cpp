#include "views/RegisterEventViews.h"

#include <memory>

#include "platform/ui/PaneViewRegistry.h"
#include "views/ComtradeListView.h"
#include "views/ComtradePane.h"
#include "views/SOEDMMView.h"
#include "views/SOEListView.h"

namespace {

template <class View>
ui::PaneViewFactory Factory()
{
    return [](ui::Window& host) -> std::unique_ptr<ui::Window> {
        auto view = std::make_unique<View>();
        if (!view->Create(&host)) {
            return nullptr;
        }
        return view;
    };
}

}  // namespace

void RegisterEventViews()
{
    ui::RegisterPaneView(40001, Factory<CComtradeListView>());
    ui::RegisterPaneView(40002, Factory<CComtradeVoltage>());
    ui::RegisterPaneView(40003, Factory<CComtradeCurrent>());
    ui::RegisterPaneView(40004, Factory<CSOEListView>());
    ui::RegisterPaneView(40005, Factory<CSOEDMMView>());
}
