#include "waverecord/ui/WaveStatisticView.h"

#include <algorithm>

#include <wx/window.h>

#include "controls/CurrentViewList.h"
#include "lib/viewer/data/RowItem.h"
#include "platform/ui/MessageQueue.h"
#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveResultStore.h"
#include "waverecord/WaveSelection.h"
#include "waverecord/WaveTableExport.h"
#include "waverecord/ui/WaveViewHost.h"

CWaveStatisticView::CWaveStatisticView(int listKind, std::uint32_t firstItem)
    : m_itemId(firstItem), m_listKind(listKind)
{
}

CWaveStatisticView::~CWaveStatisticView()
{
    if (m_list && m_list->IsWindow()) {
        m_list->DestroyWindow();
    }
    m_list.reset();
    if (m_host && m_row) {
        m_host->ClearRow(m_row);
    }
    m_host.reset();
    m_store.reset();
}

void CWaveStatisticView::OnViewCreated()
{
    if (m_listKind >= 0) {
        m_list = std::make_unique<CCurrentViewList>(this);
        m_list->SetKind(m_listKind);
        m_list->SetOwner(this);
        if (m_list->Create()) {
            m_list->ShowWindow(ui::kShowHide);
        } else {
            m_list.reset();
        }
    }
    OnCreateView();
    m_firstSizePending = true;
    LayoutView();
    ZoomWhenShown();
}

void CWaveStatisticView::ZoomWhenShown()
{
    // The pane may have given the view its size already: no later size event would
    // fit the new display.
    if (m_host && m_host->GetViewerWindow()) {
        ui::PostMessage(this, kMsgFitAll);
    }
}

ui::LResult CWaveStatisticView::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam)
{
    switch (message) {
    case ui::kMsgSize: {
        const ui::LResult result = CWavePaneView::WindowProc(message, wParam, lParam);
        LayoutView();
        if (m_firstSizePending && m_host && m_host->GetViewerWindow()) {
            m_firstSizePending = false;
            ui::PostMessage(this, kMsgFitAll);
        }
        return result;
    }
    case kMsgFitAll:
        if (m_host) {
            m_host->Refresh();
            m_host->ZoomAll();
        }
        return 0;
    case kMsgCurrentItem:
        if (wParam != 0) {
            *reinterpret_cast<std::uint32_t*>(wParam) = m_itemId;
        }
        return 0;
    case kMsgToggleList:
        m_listCollapsed = !m_listCollapsed;
        LayoutView();
        return 0;
    case kMsgApply:
        return OnApply(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam));
    case kMsgPaneCommand:
        return wParam != 0 ? OnPaneCommand(*reinterpret_cast<const WavePaneCommand*>(wParam)) : -1;
    case kMsgRefresh:
        return OnColoursChanged();
    case kMsgExport:
        m_exported = {};
        return wParam != 0 ? OnExport(*reinterpret_cast<const std::wstring*>(wParam)) : 0;
    default:
        return CWavePaneView::WindowProc(message, wParam, lParam);
    }
}

void CWaveStatisticView::LayoutView()
{
    if (!IsWindow()) {
        return;
    }
    const wxSize client = GetClientSize();
    int listWidth = 0;
    if (m_list && m_list->IsWindow()) {
        listWidth = std::min(m_listCollapsed ? kCollapsedListWidth : kListWidth, client.x);
        m_list->MoveWindow(wxRect(client.x - listWidth, 0, listWidth, client.y));
        m_list->ShowWindow(ui::kShow);
    }
    if (wxWindow* viewer = m_host ? m_host->GetViewerWindow() : nullptr) {
        viewer->SetSize(0, 0, std::max(client.x - listWidth, 0), client.y);
    }
}

std::uint32_t CWaveStatisticView::AskPhases()
{
    std::int32_t phases = 0;
    ui::SendMessage(GetOwnerWindow(), kMsgPhases, reinterpret_cast<ui::WParam>(&phases), 0);
    return static_cast<std::uint32_t>(phases);
}

void CWaveStatisticView::AskRange(std::int64_t& first, std::int64_t& end)
{
    first = -1;
    end = -1;
    ui::SendMessage(GetOwnerWindow(), kMsgRange, reinterpret_cast<ui::WParam>(&first),
                    reinterpret_cast<ui::LParam>(&end));
}

void CWaveStatisticView::PostRetitle(unsigned textId)
{
    ui::PostMessage(GetOwnerWindow(), kMsgRetitle, static_cast<ui::WParam>(GetPaneId()),
                    static_cast<ui::LParam>(textId));
}

bool CWaveStatisticView::EnsureHost()
{
    if (!m_host) {
        m_host = std::make_unique<CWaveViewHost>();
    }
    if (m_host->GetViewer()) {
        return true;
    }
    if (!m_host->LoadViewer(GetWx())) {
        return false;
    }
    LayoutView();
    return true;
}

void CWaveStatisticView::DropStore()
{
    if (m_host && m_row) {
        m_host->ClearRow(m_row);
        m_host->SetRowStore(m_row, nullptr);
    }
    m_store.reset();
}

void CWaveStatisticView::FetchStore(std::uint32_t item)
{
    DropStore();
    m_itemId = item;
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    if (manager) {
        m_store = manager->GetResult(static_cast<int>(item));
    }
    if (m_host && m_row) {
        m_host->SetRowStore(m_row, m_store.get());
    }
}

IRowItem* CWaveStatisticView::EnsureRow()
{
    if (!m_host) {
        return nullptr;
    }
    if (!m_row) {
        m_row = m_host->AddRow(nullptr, m_store.get());
    } else {
        m_host->SetRowStore(m_row, m_store.get());
    }
    return m_row;
}

bool CWaveStatisticView::ExportTable(const std::wstring& folder, const std::wstring& title,
                                     const std::wstring& tableName, const std::wstring& fourthPrefix)
{
    if (!m_host) {
        return false;
    }
    WaveTableRequest request;
    m_host->GetMasks(request.phaseMask, request.kindMask);
    request.folder = folder;
    request.title = title;
    request.tableName = tableName;
    request.fourthPrefix = fourthPrefix;
    std::int64_t endMs = 0;
    CWaveSelection::Instance().GetSelectedTimeRange(request.startMs, endMs);
    request.stepNs = CWaveTableExport::StepFromSeconds(m_host->SampleToTime(1.0));
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    std::unique_ptr<CWaveResultStore> store = manager ? manager->GetResult(static_cast<int>(m_itemId)) : nullptr;
    return CWaveTableExport::Export(request, store.get(), &m_exported);
}
