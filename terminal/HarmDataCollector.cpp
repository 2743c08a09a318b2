#include "terminal/HarmDataCollector.h"

#include <atomic>

namespace {

CNullHarmDataCollector g_nullCollector;
std::atomic<IHarmDataCollector*> g_installed{nullptr};

}  // namespace

IHarmDataCollector* GetHarmDataCollector()
{
    IHarmDataCollector* installed = g_installed.load();
    return installed != nullptr ? installed : &g_nullCollector;
}

void SetHarmDataCollector(IHarmDataCollector* collector)
{
    g_installed.store(collector);
}
