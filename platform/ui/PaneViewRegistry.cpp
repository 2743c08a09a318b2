#include "platform/ui/PaneViewRegistry.h"

#include <map>
#include <mutex>

namespace ui {
namespace {

struct Registry {
    std::mutex lock;
    std::map<unsigned, PaneViewFactory> factories;
};

Registry& Factories() {
    static Registry registry;
    return registry;
}

}  // namespace

void RegisterPaneView(unsigned paneId, PaneViewFactory factory) {
    Registry& registry = Factories();
    std::lock_guard guard(registry.lock);
    if (factory) {
        registry.factories[paneId] = std::move(factory);
    } else {
        registry.factories.erase(paneId);
    }
}

PaneViewFactory FindPaneView(unsigned paneId) {
    Registry& registry = Factories();
    std::lock_guard guard(registry.lock);
    const auto found = registry.factories.find(paneId);
    return found != registry.factories.end() ? found->second : PaneViewFactory();
}

}  // namespace ui
