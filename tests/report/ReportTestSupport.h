#pragma once
// Shared helpers of the report tests: the program folder prepared once per process
// (languages, the report wording), a data model with a fixed record, and a reporter
// whose output preparation succeeds.

#include <cstdint>
#include <string>

#include "report/BaseReporter.h"
#include "terminal/DataModel.h"

namespace reporttest {

// A model that answers with a fixed source kind and record.
class FixedModel : public IDataModel {
public:
    explicit FixedModel(std::uint32_t kind = 1, BasicInfo info = {}) : m_Kind(kind), m_Info(std::move(info)) {}
    int CreateAnalysis(std::uint32_t) override { return 1; }
    int GetSource(std::uint32_t* source) override;
    int OpenData(void*) override { return 0; }
    int QueryBasicInfo(BasicInfo* info) override;

private:
    std::uint32_t m_Kind;
    BasicInfo m_Info;
};

// A reporter as the writers are: its Prepare succeeds (or fails when told to) and
// keeps the two picture paths it was given.
class Reporter : public CBaseReporter {
public:
    int Prepare(std::wstring subLogo, std::wstring mainLogo) override;

    int prepareResult = 1;
    bool throwInPrepare = false;
    std::wstring preparedSubLogo;
    std::wstring preparedMainLogo;
};

}  // namespace reporttest
