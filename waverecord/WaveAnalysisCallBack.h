#pragma once
// CWaveAnalysisCallBack: turns the progress events of the record-analysis pool into
// the busy indicator's caption and position while a record is analysed. The pool
// calls it on the thread that runs the analysis.
//
// A count (code 502) divides the share the analysis may use among its chunks; a
// further count (any other non-zero code) divides one step again; each report (code
// 0 with the steps done) moves the indicator to offset + steps × step. Code 509
// carries the caption of the current stage.

#include <cstdint>

#include "lib/recordpool/Sampolyx.h"

class CWaveAnalysisCallBack : public IAnalysisProgressSink {
public:
    static constexpr int kStageTextCode = 509;

    int OnEvent(int event, int code, std::intptr_t data) override;

    // Percent of the whole progress the analysis may use.
    void SetBase(double base) { m_base = base; }
    // Percent at which the analysis starts.
    void SetOffset(double offset) { m_offset = offset; }
    double GetStep() const { return m_step; }

private:
    double m_base = 0.0;
    double m_step = 0.0;
    double m_offset = 0.0;
};
