#include "app/DockPaneMgr.h"

#include <algorithm>
#include <array>
#include <utility>

#include "app/CustomDockPaneTheme.h"
#include "app/PanePlaceholder.h"
#include "core/ZVResourceManager.h"
#include "platform/ui/Frame.h"
#include "platform/ui/PaneViewRegistry.h"
#include "terminal/ObserverViewBase.h"
#include "views/ObserverView.h"

namespace {

enum class Group { Left, Right, Bottom };

struct Extent {
    int width;
    int height;
};

struct PaneEntry {
    std::uint32_t id;
    Group group;
    unsigned caption;  // language string of the tab caption and title
    Extent minimum;
    Extent maximum;  // 0: free
};

constexpr std::array<PaneEntry, 12> kPanes{{
    {40001, Group::Left, 6193, {100, 100}, {500, 0}},
    {40002, Group::Right, 6194, {400, 150}, {0, 0}},
    {40003, Group::Right, 6195, {400, 150}, {0, 0}},
    {40004, Group::Left, 6196, {100, 100}, {500, 0}},
    {40005, Group::Right, 6197, {400, 150}, {0, 0}},
    {40006, Group::Bottom, 10078, {400, 300}, {0, 0}},
    {40007, Group::Bottom, 10079, {400, 300}, {0, 0}},
    {40008, Group::Bottom, 10080, {400, 300}, {0, 0}},
    {40009, Group::Bottom, 10235, {400, 300}, {0, 0}},
    {40010, Group::Bottom, 10081, {400, 300}, {0, 0}},
    {40011, Group::Bottom, 10082, {400, 300}, {0, 0}},
    {40012, Group::Bottom, 10234, {400, 300}, {0, 0}},
}};

// The order in which a group's first existing pane is looked for.
constexpr std::array<std::uint32_t, 2> kLeftOrder{40001, 40004};
constexpr std::array<std::uint32_t, 3> kRightOrder{40002, 40003, 40005};
constexpr std::array<std::uint32_t, 7> kBottomOrder{40006, 40007, 40008, 40009, 40010, 40011, 40012};
// The panes whose views export tables, in the order they are tested.
constexpr std::array<std::uint32_t, 8> kExportPanes{40002, 40003, 40006, 40007, 40008, 40009, 40010, 40011};

constexpr unsigned kPaneIcons = 4101;
const gfx::Color kIconKey{0, 255, 0};

const PaneEntry* Entry(std::uint32_t id) {
    for (const PaneEntry& entry : kPanes) {
        if (entry.id == id) {
            return &entry;
        }
    }
    return nullptr;
}

template <std::size_t N>
ui::DockingPane* FirstExisting(const ui::DockingPaneManager& manager, const std::array<std::uint32_t, N>& order,
                               std::uint32_t except = 0) {
    for (const std::uint32_t id : order) {
        if (ui::DockingPane* pane = manager.FindPane(id); pane != nullptr && id != except) {
            return pane;
        }
    }
    return nullptr;
}

}  // namespace

CDockPaneMgr::CDockPaneMgr() = default;

// Views go before the panes that show them (members are destroyed in reverse). The
// frame may be going too (its models are gone by now): the panes lay nothing out
// and send nothing while the views leave them.
CDockPaneMgr::~CDockPaneMgr() {
    m_Manager.ReleaseSite();
    std::map<std::uint32_t, std::unique_ptr<ui::Window>> views;
    views.swap(m_Views);
    views.clear();
}

int CDockPaneMgr::Install(ui::Frame* frame) {
    m_pFrame = frame;
    if (frame != nullptr && m_Manager.InstallDockingPanes(*frame)) {
        m_Manager.SetTheme(std::make_shared<CCustomDockPaneTheme>());
        m_Manager.HideClient(true);
        m_Manager.SetIcons(kPaneIcons, {206, 207}, kIconKey);
    }
    return 1;
}

void CDockPaneMgr::Describe(ui::DockingPane& pane) const {
    const PaneEntry* entry = Entry(pane.GetId());
    if (entry == nullptr) {
        return;
    }
    const std::wstring caption = CZVResourceManager::GetResourceManager()->LoadString(entry->caption);
    pane.SetTabCaption(caption);
    pane.SetTitle(caption);
    pane.SetMinTrackSize(wxSize(entry->minimum.width, entry->minimum.height));
    pane.SetMaxTrackSize(wxSize(entry->maximum.width, entry->maximum.height));
}

ui::Window* CDockPaneMgr::MakeView(ui::DockingPane& pane) {
    if (m_pFrame == nullptr) {
        return nullptr;
    }
    std::unique_ptr<ui::Window> view;
    if (const ui::PaneViewFactory factory = ui::FindPaneView(pane.GetId())) {
        view = factory(*m_pFrame);
    } else {
        auto placeholder = std::make_unique<CPanePlaceholder>();
        if (placeholder->CreateChild(m_pFrame, 0, ui::kStyleChild | ui::kStyleVisible, wxRect())) {
            view = std::move(placeholder);
        }
    }
    if (!view) {
        return nullptr;
    }
    ui::Window* made = view.get();
    m_Views[pane.GetId()] = std::move(view);
    pane.Attach(made->GetWx());
    return made;
}

ui::Window* CDockPaneMgr::GetView(std::uint32_t id) const {
    const auto found = m_Views.find(id);
    return found != m_Views.end() ? found->second.get() : nullptr;
}

IObserverViewBase* CDockPaneMgr::ObserverOf(std::uint32_t id) const {
    return dynamic_cast<IObserverViewBase*>(GetView(id));
}

IObserverViewBase* CDockPaneMgr::ShowPane(std::uint32_t id) {
    if (ui::DockingPane* pane = Find(id)) {
        if (pane->IsClosed()) {
            m_Manager.ShowPane(pane, true);
        }
        // A pane put back from the saved layout gets its view when it is first asked for.
        if (GetView(id) == nullptr) {
            MakeView(*pane);
        }
        return ObserverOf(id);
    }
    const PaneEntry* entry = Entry(id);
    if (entry == nullptr) {
        return nullptr;
    }
    ui::DockingPane* pane = nullptr;
    switch (entry->group) {
    case Group::Left:
        pane = m_Manager.CreatePane(id, wxRect(0, 0, 140, 600), ui::DockDirection::Left, nullptr);
        break;
    case Group::Right:
        pane = m_Manager.CreatePane(id, wxRect(0, 0, 600, 300), ui::DockDirection::Right,
                                    FirstExisting(m_Manager, kLeftOrder));
        break;
    case Group::Bottom:
        pane = m_Manager.CreatePane(id, wxRect(0, 0, 600, 300), ui::DockDirection::Bottom,
                                    FirstExisting(m_Manager, kRightOrder));
        break;
    }
    if (pane == nullptr) {
        return nullptr;
    }
    Describe(*pane);
    // Into the group of the first other existing pane of its kind; the first pane of
    // a group stays alone. (Looking at the new pane itself too would leave a pane
    // made before an earlier-numbered sibling in a group of its own.)
    ui::DockingPane* first = entry->group == Group::Left    ? FirstExisting(m_Manager, kLeftOrder, id)
                             : entry->group == Group::Right ? FirstExisting(m_Manager, kRightOrder, id)
                                                            : FirstExisting(m_Manager, kBottomOrder, id);
    if (first != nullptr) {
        m_Manager.AttachPane(pane, first);
    }
    // A view that could not be made (it has told the user why) leaves no empty pane.
    if (MakeView(*pane) == nullptr) {
        pane->Close();
        return nullptr;
    }
    return ObserverOf(id);
}

int CDockPaneMgr::SelectPane(std::uint32_t id) {
    ui::DockingPane* pane = Find(id);
    if (pane == nullptr) {
        return 0;
    }
    pane->Select();
    return 1;
}

void CDockPaneMgr::ClosePane(std::uint32_t id) {
    if (ui::DockingPane* pane = Find(id)) {
        pane->Close();
    }
}

int CDockPaneMgr::IsPaneHidden(std::uint32_t id) const {
    const ui::DockingPane* pane = Find(id);
    return pane == nullptr || pane->IsClosed() ? 1 : 0;
}

int CDockPaneMgr::SetPaneCaption(std::uint32_t id, const std::wstring& text) {
    ui::DockingPane* pane = Find(id);
    if (pane == nullptr) {
        return 0;
    }
    pane->SetTabCaption(text);
    return 1;
}

IObserverView* CDockPaneMgr::GetActiveObserver() const {
    // The pane the user chose last (its tab or a click into it), while it is in
    // front; else the first exportable pane in front, in the order of the list.
    if (const ui::DockingPane* active = m_Manager.GetActivePane();
        active != nullptr && active->IsSelected() &&
        std::find(kExportPanes.begin(), kExportPanes.end(), active->GetId()) != kExportPanes.end()) {
        return dynamic_cast<IObserverView*>(GetView(active->GetId()));
    }
    for (const std::uint32_t id : kExportPanes) {
        if (m_Manager.IsPaneSelected(id)) {
            return dynamic_cast<IObserverView*>(GetView(id));
        }
    }
    return nullptr;
}

int CDockPaneMgr::SaveLayout() {
    m_Manager.SaveLayout(kLayoutName);
    return 1;
}

void CDockPaneMgr::CloseAll() { m_Manager.CloseAll(); }

ui::LResult CDockPaneMgr::OnPaneNotify(ui::WParam code, ui::LParam data) {
    if (data == 0) {
        return 0;
    }
    if (code == static_cast<ui::WParam>(ui::kDockNotifyShowWindow)) {
        auto* pane = reinterpret_cast<ui::DockingPane*>(data);
        if (!pane->IsValid()) {
            if (ui::Window* view = GetView(pane->GetId())) {
                pane->Attach(view->GetWx());
            }
        }
        return 1;
    }
    if (code == static_cast<ui::WParam>(ui::kDockNotifyAction)) {
        auto* action = reinterpret_cast<ui::DockingPaneAction*>(data);
        if (action->action == ui::kPaneActionActivated && action->pane != nullptr) {
            SwitchPaneGroup(action->pane->GetId());
        } else if (action->action == ui::kPaneActionDragging) {
            action->cancel = 1;
        }
        return 1;
    }
    return 0;
}

void CDockPaneMgr::SwitchPaneGroup(std::uint32_t id) {
    ui::DockingPane* voltage = Find(40002);
    ui::DockingPane* current = Find(40003);
    ui::DockingPane* field = Find(40005);
    if (voltage == nullptr || current == nullptr || field == nullptr) {
        return;
    }
    auto enableFromClientOnly = [](ui::DockingPane* pane) {
        if (pane->GetEnabled() == ui::kPaneEnableClient) {
            pane->SetEnabled(ui::kPaneEnabled);
        }
    };
    auto restrictToClient = [](ui::DockingPane* pane) {
        if ((pane->GetEnabled() & ui::kPaneEnabled) != 0) {
            pane->SetEnabled(ui::kPaneEnableClient);
        }
    };
    if (id == 40001) {
        enableFromClientOnly(voltage);
        enableFromClientOnly(current);
        restrictToClient(field);
        if (!voltage->IsSelected() && !current->IsSelected()) {
            if (IsPaneHidden(40002) == 0) {
                voltage->Select();
            } else if (IsPaneHidden(40003) == 0) {
                current->Select();
            }
        }
    } else if (id == 40004) {
        restrictToClient(voltage);
        restrictToClient(current);
        enableFromClientOnly(field);
        if (!field->IsSelected() && IsPaneHidden(40005) == 0) {
            field->Select();
        }
    }
}

bool CDockPaneMgr::RestoreLayout(std::wstring& problem) {
    const auto layout = ui::DockingPaneManager::LoadLayout(kLayoutName, problem);
    if (!layout) {
        return false;
    }
    // Each saved group must be one of ours, once, in its own place: a layout of
    // other panes or another arrangement is not ours to put back.
    std::array<bool, 3> seen{};
    for (const ui::DockLayout::Group& group : layout->groups) {
        const PaneEntry* first = Entry(group.panes.front().id);
        for (const ui::DockLayout::Pane& item : group.panes) {
            const PaneEntry* entry = Entry(item.id);
            if (entry == nullptr || first == nullptr || entry->group != first->group) {
                problem = L"pane " + std::to_wstring(item.id) + L" does not belong in its saved group";
                return false;
            }
        }
        const bool placed = (first->group == Group::Left && group.place == ui::DockPlace::Left) ||
                            (first->group == Group::Right &&
                             (group.place == ui::DockPlace::Fill || group.place == ui::DockPlace::Right)) ||
                            (first->group == Group::Bottom && group.place == ui::DockPlace::Bottom);
        if (!placed) {
            problem = L"a saved group is not where its panes dock";
            return false;
        }
        if (std::exchange(seen[static_cast<std::size_t>(first->group)], true)) {
            problem = L"the panes of one group are saved in two";
            return false;
        }
    }
    m_Views.clear();
    m_Manager.SetLayout(*layout);
    for (const PaneEntry& entry : kPanes) {
        if (ui::DockingPane* pane = Find(entry.id)) {
            Describe(*pane);
        }
    }
    return true;
}
