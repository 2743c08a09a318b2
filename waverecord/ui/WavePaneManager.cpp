#include "waverecord/ui/WavePaneManager.h"

#include <algorithm>

#include <wx/window.h>

#include "platform/ui/DockingPane.h"
#include "platform/ui/MessageQueue.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/WaveCustomDockPaneTheme.h"
#include "waverecord/ui/WavePaneButton.h"

namespace {

std::map<int, WaveViewFactory>& Factories()
{
    static std::map<int, WaveViewFactory> factories;
    return factories;
}

ui::DockDirection Direction(int direction)
{
    switch (direction) {
    case 1: return ui::DockDirection::Right;
    case 2: return ui::DockDirection::Top;
    case 3: return ui::DockDirection::Bottom;
    default: return ui::DockDirection::Left;
    }
}

}  // namespace

void RegisterWaveView(int kind, WaveViewFactory factory) { Factories()[kind] = std::move(factory); }

WaveViewFactory FindWaveView(int kind)
{
    const auto found = Factories().find(kind);
    return found == Factories().end() ? WaveViewFactory() : found->second;
}

CWavePaneManager::CWavePaneManager() = default;

CWavePaneManager::~CWavePaneManager() { RemoveAllPanes(); }

bool CWavePaneManager::Install(ui::Window& owner, bool captionButtons)
{
    return Install(owner, owner, captionButtons);
}

bool CWavePaneManager::Install(ui::Window& owner, ui::Window& body, bool captionButtons)
{
    if (m_owner) {
        return false;
    }
    m_owner = &owner;
    m_body = &body;
    m_client = std::make_unique<ui::Window>();
    if (!m_client->CreateChild(&body, 0, ui::kStyleChild, wxRect(0, 0, 0, 0)) ||
        !m_docking.InstallDockingPanes(owner, body, *m_client)) {
        m_owner = m_body = nullptr;
        return false;
    }
    m_docking.HideClient(true);
    m_docking.SetTheme(std::make_shared<CWaveCustomDockPaneTheme>(captionButtons));
    if (captionButtons) {
        m_docking.SetCaptionHook(
            [this](ui::DockingPane& pane, const wxRect& caption) { PlaceCaptionButton(pane, caption); });
    }
    return true;
}

void CWavePaneManager::PlaceCaptionButton(ui::DockingPane& pane, const wxRect& caption)
{
    const int id = static_cast<int>(pane.GetId());
    const auto found = m_records.find(id);
    if (found == m_records.end() || id == GetFirstPaneId() || !found->second.view || !m_owner) {
        return;
    }
    Record& record = found->second;
    if (!record.button) {
        record.button = new CWavePaneButton(m_body->GetWx(), record.view.get());
    }
    record.button->SetBackground(CWaveCustomDockPaneTheme(true).Caption(false).end);
    record.button->Move(caption.GetRight() - 16, caption.y + 2);
    record.button->Show();
    record.button->Raise();
}

CWavePaneButton* CWavePaneManager::GetCaptionButton(int id) const
{
    const auto found = m_records.find(id);
    return found == m_records.end() ? nullptr : found->second.button.get();
}

int CWavePaneManager::CreatePane(int kind, int direction)
{
    const int id = m_nextId++;
    m_ids.push_back(id);
    Record& record = m_records[id];
    record.kind = kind;
    m_kinds[id] = kind;
    const WaveViewFactory factory = FindWaveView(kind);
    if (!m_owner || !factory) {
        return id;
    }
    const bool frame = kind == kRawKind || kind == kStatisticKind;
    const wxRect rect = kind == kRawKind ? wxRect(0, 0, 600, 1024)
                        : frame          ? wxRect(0, 0, 400, 600)
                                         : wxRect(0, 0, 600, 300);
    record.pane = m_docking.CreatePane(static_cast<unsigned>(id), rect, Direction(direction), nullptr);
    if (!record.pane) {
        return id;
    }
    if (frame) {
        // The caption shows "&&" of the texts as one "&".
        std::wstring title = WaveText(kind == kRawKind ? 10239 : 10240);
        for (std::size_t at = title.find(L"&&"); at != std::wstring::npos; at = title.find(L"&&", at + 1)) {
            title.erase(at, 1);
        }
        record.pane->SetTitle(title);
        record.pane->SetClosable(false);
        // At least 600 pixels wide; the height follows the window (a fixed minimum
        // height would not fit every screen).
        record.pane->SetMinTrackSize(wxSize(600, 0));
        record.pane->SetMaxTrackSize(wxSize(2048, 0));
    }
    record.view = factory();
    record.view->SetOwnerWindow(m_owner);
    if (!frame) {
        record.view->SetPaneId(id);
    }
    if (record.view->CreateChild(m_body, 0, ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 0, 0))) {
        record.view->OnViewCreated();
        record.pane->Attach(record.view->GetWx());
    }
    m_docking.Realize();
    return id;
}

bool CWavePaneManager::RemovePane(int id)
{
    const auto found = m_records.find(id);
    if (found == m_records.end()) {
        return false;
    }
    Record record = std::move(found->second);
    m_records.erase(found);
    m_ids.remove(id);
    if (record.button) {
        record.button->Destroy();
    }
    if (record.pane) {
        m_docking.DestroyPane(record.pane);
    }
    if (record.view) {
        ui::SendMessage(record.view.get(), ui::kMsgClose, 0, 0);
        record.view->DestroyWindow();
    }
    m_docking.Realize();
    return true;
}

void CWavePaneManager::RemoveAllPanes()
{
    while (!m_ids.empty()) {
        const int id = m_ids.front();
        if (!RemovePane(id)) {
            m_ids.pop_front();
        }
    }
    m_records.clear();
    m_kinds.clear();
}

int CWavePaneManager::GetFirstPaneId() const { return m_ids.empty() ? -1 : m_ids.front(); }

int CWavePaneManager::GetNextPaneId(int id) const
{
    auto at = std::find(m_ids.begin(), m_ids.end(), id);
    if (at == m_ids.end() || ++at == m_ids.end()) {
        return -1;
    }
    return *at;
}

CWavePaneView* CWavePaneManager::GetView(int id) const
{
    const auto found = m_records.find(id);
    return found == m_records.end() ? nullptr : found->second.view.get();
}

int CWavePaneManager::GetKind(int id) const
{
    const auto found = m_records.find(id);
    return found == m_records.end() ? 0 : found->second.kind;
}

ui::LResult CWavePaneManager::SendToPane(int id, unsigned message, ui::WParam wParam, ui::LParam lParam)
{
    CWavePaneView* view = GetView(id);
    return view && view->IsWindow() ? ui::SendMessage(view, message, wParam, lParam) : 0;
}

bool CWavePaneManager::HasNonHistogramPane() const
{
    return std::any_of(m_records.begin(), m_records.end(),
                       [](const auto& entry) { return entry.second.kind != kHistogramKind; });
}

ui::LResult CWavePaneManager::OnPaneNotify(ui::WParam code, ui::LParam lParam)
{
    auto* pane = reinterpret_cast<ui::DockingPane*>(lParam);
    if (!pane) {
        return 0;
    }
    if (code == static_cast<ui::WParam>(ui::kDockNotifyPaneClosed)) {
        const int id = static_cast<int>(pane->GetId());
        const auto kind = m_kinds.find(id);
        const int value = kind == m_kinds.end() ? 0 : kind->second;
        if (kind != m_kinds.end()) {
            m_kinds.erase(kind);
        }
        ui::PostMessage(m_owner, kMsgPaneClosed, static_cast<ui::WParam>(id), value);
        return 1;
    }
    return code == static_cast<ui::WParam>(ui::kDockNotifyShowWindow) ? 1 : 0;
}

bool CWavePaneManager::IsPaneSizeFree(int id) const
{
    const auto found = m_records.find(id);
    return found != m_records.end() && !found->second.locked;
}

void CWavePaneManager::LockPaneSize(int id)
{
    const auto found = m_records.find(id);
    if (found == m_records.end()) {
        return;
    }
    found->second.locked = true;
    if (found->second.pane) {
        m_docking.ShowPane(found->second.pane, false);
    }
    m_docking.Realize();
}

void CWavePaneManager::UnlockPaneSize(int id)
{
    const auto found = m_records.find(id);
    if (found == m_records.end()) {
        return;
    }
    found->second.locked = false;
    if (found->second.pane) {
        found->second.pane->Close();
    }
    // The caption goes with the pane; its button shows again when it is drawn.
    if (found->second.button) {
        found->second.button->Hide();
    }
    m_docking.Realize();
}

void CWavePaneManager::CloseAll() { m_docking.CloseAll(); }
