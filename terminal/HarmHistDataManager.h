#pragma once
// CHarmHistDataManager: the manager of the harmonic histograms, a COMTRADE-style
// manager that the statistic item reader recognises by its type and fills with the
// summary values of a series.

#include "terminal/ComtradeDataManager.h"

class CHarmHistDataManager : public CComtradeDataManager {
public:
    CHarmHistDataManager() = default;
    ~CHarmHistDataManager() override = default;
};
