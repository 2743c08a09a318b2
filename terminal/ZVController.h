#pragma once
// CZVController: the one place that knows which view kind belongs to which model.
// It opens and closes the record panes through the pane manager, binds the view of
// a shown pane to its model with the event mask of its kind, and routes the
// requests of views and the main frame to the model that owns the data. It owns
// nothing: the main frame owns the models and the pane manager and sets them once.
// User-interface thread only.

#include <cstdint>

#include "terminal/Controller.h"
#include "terminal/CtrlItem.h"
#include "terminal/DataModel.h"
#include "terminal/Subject.h"

class IObserverViewBase;
class IPaneManager;

class CZVController : public IController {
public:
    // A model seen from the controller: its subject and its data-model side.
    struct ModelRef {
        ISubject* subject = nullptr;
        IDataModel* data = nullptr;
    };

    CZVController() = default;
    ~CZVController() override = default;

    int Initialize() override { return 1; }
    std::uint32_t Notify(CCtrlItem* request) override;

    // Every model derives ISubject first and IDataModel second.
    template <class Model>
    void SetComtradeModel(Model* model) { m_Comtrade = Ref(model); }
    template <class Model>
    void SetSOEModel(Model* model) { m_SOE = Ref(model); }
    template <class Model>
    void SetStatisticModel(Model* model) { m_Statistic = Ref(model); }
    template <class Model>
    void SetSecondStatisticModel(Model* model) { m_SecondStatistic = Ref(model); }
    void SetPaneManager(IPaneManager* manager) { m_PaneManager = manager; }

    // Attaches a view to the model of its pane kind and sets its words.
    void BindView(IObserverViewBase* view, std::uint32_t id);
    std::uint32_t HandlePaneRequest(CCtrlItem request);

    // The event mask a pane's view is attached with; 0 outside 40001-40012.
    static std::uint32_t PaneMask(std::uint32_t id);

private:
    template <class Model>
    static ModelRef Ref(Model* model)
    {
        return ModelRef{model, model};
    }
    const ModelRef& PaneModel(std::uint32_t id) const;
    static void Open(const ModelRef& model, CCtrlItem* request);
    void ShowAndAttach(std::uint32_t id, const ModelRef& model, std::uint32_t mask);

    ModelRef m_Comtrade;
    ModelRef m_SOE;
    ModelRef m_Statistic;
    ModelRef m_SecondStatistic;
    IPaneManager* m_PaneManager = nullptr;
};
