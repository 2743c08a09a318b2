#pragma once
// CSOEDMMView: the scene view (view 40005). For the selected alarm event it shows
// the field data the terminal stored with it: a read-only table of 45 rows of
// power, voltage and current values, and the frequency in a caption line.

#include <vector>

#include "terminal/BasicInfo.h"
#include "views/EventView.h"
#include "views/data/SoeSceneTable.h"

class wxGrid;
class wxStaticText;

class CSOEDMMView : public CEventView {
public:
    static constexpr unsigned kTemplateId = 105;
    static constexpr unsigned kCaptionId = 0xFFFF;
    static constexpr unsigned kReportId = 105;

    CSOEDMMView();

    bool OnInitDialog() override;
    int OnUpdate(std::uint32_t event, std::uintptr_t param1, std::uintptr_t param2) override;

    wxGrid* GetReport() const { return m_pReport; }
    std::wstring GetCaption() const;

private:
    void Layout(int width, int height);
    void ClearRows();
    void Fill(const CSoeScene& scene);

    wxGrid* m_pReport = nullptr;
    wxStaticText* m_pEmpty = nullptr;
    BasicInfo m_RecordInfo;
    std::vector<CSoeSceneRow> m_Rows;
};
