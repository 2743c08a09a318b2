#pragma once
// CSOEModel: the model behind the alarm-event panes. It finds the ".soe" file in a
// terminal folder's "SOE" sub-folder, hands the selection's time range to the SOE
// reader and tells the list and field-data views; the views pull blocks and field
// data through GetData.

#include <cstdint>
#include <string>

#include "terminal/BasicInfo.h"
#include "terminal/CtrlItem.h"
#include "terminal/DataModel.h"
#include "terminal/Subject.h"

class CSOEModel : public ISubject, public IDataModel {
public:
    CSOEModel() = default;
    ~CSOEModel() override;

    int CreateAnalysis(std::uint32_t flag) override;
    int GetSource(std::uint32_t* source) override;
    // The request handler; `request` is a CCtrlItem (0x004, 0x020, 0x200).
    int OpenData(void* request) override;
    // Opens the file and fills the wiring of the folder (the reader has no basic info).
    int QueryBasicInfo(BasicInfo* info) override;

    const std::wstring& GetFilePath() const { return path; }

private:
    void OpenFolder(const CCtrlItem& request);
    std::array<std::uint32_t, 10> QueryWords() const;

    BasicInfo m_RecordSet;
};
