#pragma once
// IPaneManager: the docking panes of the record views (ids 40001 to 40012) as the
// controller drives them. The program's docking-pane manager implements it.

#include <cstdint>

class IObserverViewBase;

class IPaneManager {
public:
    virtual ~IPaneManager() = default;
    // Creates or shows the pane; its view, or null (an id outside 40001-40012).
    virtual IObserverViewBase* ShowPane(std::uint32_t id) = 0;
    // Brings the pane to the front; 1, or 0 when there is no such pane.
    virtual int SelectPane(std::uint32_t id) = 0;
    virtual void ClosePane(std::uint32_t id) = 0;
};
