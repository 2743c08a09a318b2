#include "terminal/ZVController.h"

#include "terminal/ObserverViewBase.h"
#include "terminal/PaneManager.h"

namespace {

constexpr std::uint32_t kTransientList = 40001;
constexpr std::uint32_t kVoltageWave = 40002;
constexpr std::uint32_t kCurrentWave = 40003;
constexpr std::uint32_t kAlarmList = 40004;
constexpr std::uint32_t kFieldData = 40005;
constexpr std::uint32_t kFirstTrend = 40006;
constexpr std::uint32_t kLastPane = 40012;

}  // namespace

std::uint32_t CZVController::PaneMask(std::uint32_t id)
{
    switch (id) {
    case kTransientList:
        return 0x242;
    case kVoltageWave:
    case kCurrentWave:
        return 0x212;
    case kAlarmList:
        return 0x204;
    case kFieldData:
        return 0x220;
    default:
        return id >= kFirstTrend && id <= kLastPane ? 0x288 : 0;
    }
}

const CZVController::ModelRef& CZVController::PaneModel(std::uint32_t id) const
{
    if (id <= kCurrentWave) {
        return m_Comtrade;
    }
    if (id <= kFieldData) {
        return m_SOE;
    }
    return m_Statistic;
}

void CZVController::Open(const ModelRef& model, CCtrlItem* request)
{
    if (model.data != nullptr) {
        model.data->OpenData(request);
    }
}

std::uint32_t CZVController::Notify(CCtrlItem* request)
{
    if (request == nullptr) {
        return 0;
    }
    switch (request->code) {
    case ctrl::kPane:
        return HandlePaneRequest(*request);
    case ctrl::kOpenComtrade:
    case ctrl::kComtradeRecord:
    case ctrl::kComtradeListReady:
        Open(m_Comtrade, request);
        break;
    case ctrl::kOpenSoe:
    case ctrl::kSoeEvent:
        Open(m_SOE, request);
        break;
    case ctrl::kOpenStatistic:
    case ctrl::kStatisticRefresh:
        Open(m_Statistic, request);
        break;
    case ctrl::kSecondStatistic: {
        // While the first model holds full-resolution data the second has nothing to add.
        std::uint32_t state = 0;
        if (m_Statistic.data != nullptr) {
            m_Statistic.data->GetSource(&state);
        }
        if (state == 1) {
            if (m_SecondStatistic.data != nullptr) {
                m_SecondStatistic.data->Release();
            }
        } else {
            Open(m_SecondStatistic, request);
        }
        break;
    }
    case ctrl::kCloseAll:
        Open(m_Statistic, request);
        Open(m_SOE, request);
        Open(m_Comtrade, request);
        break;
    default:
        break;
    }
    return 0;
}

void CZVController::BindView(IObserverViewBase* view, std::uint32_t id)
{
    if (view == nullptr) {
        return;
    }
    if (id >= kTransientList && id <= kLastPane) {
        const ModelRef& model = PaneModel(id);
        if (model.subject != nullptr) {
            model.subject->Attach(view, PaneMask(id));
        }
        view->m_pController = this;
        view->m_pDataModel = model.data;
        if (id >= kFirstTrend) {
            view->m_pSecondDataModel = m_SecondStatistic.data;
        }
        return;
    }
    view->m_pController = this;
}

void CZVController::ShowAndAttach(std::uint32_t id, const ModelRef& model, std::uint32_t mask)
{
    IObserverViewBase* view = m_PaneManager->ShowPane(id);
    if (view == nullptr) {
        return;
    }
    if (model.subject != nullptr) {
        model.subject->Attach(view, mask);
    }
    view->m_pDataModel = model.data;
    view->m_pController = this;
}

std::uint32_t CZVController::HandlePaneRequest(CCtrlItem request)
{
    if (m_PaneManager == nullptr) {
        return 0;
    }
    const auto id = static_cast<std::uint32_t>(request.param1);
    if (request.param2 != 0) {
        m_PaneManager->ClosePane(id);
        if (id == kTransientList) {
            m_PaneManager->ClosePane(kVoltageWave);
            m_PaneManager->ClosePane(kCurrentWave);
        } else if (id == kAlarmList) {
            m_PaneManager->ClosePane(kFieldData);
        }
        return 0;
    }
    BindView(m_PaneManager->ShowPane(id), id);
    switch (id) {
    case kTransientList:
        ShowAndAttach(kVoltageWave, m_Comtrade, 0x212);
        ShowAndAttach(kCurrentWave, m_Comtrade, 0x212);
        m_PaneManager->SelectPane(kTransientList);
        break;
    case kVoltageWave:
        m_PaneManager->SelectPane(kTransientList);
        break;
    case kAlarmList:
        ShowAndAttach(kFieldData, m_SOE, 0x220);
        if (request.text != L"FALSE") {
            m_PaneManager->SelectPane(kAlarmList);
        }
        break;
    case kFieldData:
        m_PaneManager->SelectPane(kAlarmList);
        break;
    default:
        break;
    }
    return 0;
}
