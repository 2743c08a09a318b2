#pragma once
// IController: where views and the main frame send their requests (CCtrlItem).

#include <cstdint>

struct CCtrlItem;

class IController {
public:
    virtual ~IController() = default;
    // Called once after the models' readers were created; 1.
    virtual int Initialize() = 0;
    // Routes a request; the result of a pane request, else 0.
    virtual std::uint32_t Notify(CCtrlItem* request) = 0;
};
