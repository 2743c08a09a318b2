#pragma once
// The transfer-mode guide: its three pages, chosen in a list beside them, and one
// OK button that closes it.

#include <memory>
#include <vector>

#include "device/ui/TransModePage.h"
#include "platform/ui/PropertySheet.h"

class CXTPPropertyNetSheet : public ui::PropertySheet {
public:
    CXTPPropertyNetSheet();
    const std::vector<std::unique_ptr<CTransModePage>>& GetGuidePages() const { return m_pages; }

protected:
    bool CreateButtons() override;

private:
    std::vector<std::unique_ptr<CTransModePage>> m_pages;
};
