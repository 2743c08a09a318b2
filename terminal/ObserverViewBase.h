#pragma once
// IObserverViewBase: the observer side of every pane view. The controller binds a
// view by writing its data model, second data model (trend panes only) and
// controller; the view's model then calls OnUpdate for every event in the mask the
// view was attached with, and the view sends its requests to the controller.

#include <cstdint>

class IDataModel;
class IController;

class IObserverViewBase {
public:
    virtual ~IObserverViewBase() = default;
    // A notification: the event and the two words of the request that caused it.
    virtual int OnUpdate(std::uint32_t event, std::uintptr_t param1, std::uintptr_t param2) = 0;

    IDataModel* m_pDataModel = nullptr;
    IDataModel* m_pSecondDataModel = nullptr;
    IController* m_pController = nullptr;
    std::uint32_t m_ViewWord = 0;
};
