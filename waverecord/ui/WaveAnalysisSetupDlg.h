#pragma once
// CWaveAnalysisSetupDlg: the analysis windows of the open record (the RMS window in
// half cycles, the harmonic window in 200 ms intervals, the flicker window in
// minutes). Each value is checked as it is typed against the record's ranges: a
// valid one shows its length, an invalid one an error in red with its range in
// blue. OK stores the three values in "WaveSystem.ini" when all lie in their
// ranges; otherwise it says which do not and the dialog stays open. The caller
// then analyses the record again.

#include <array>
#include <cstdint>
#include <string>

#include "platform/ui/Dialog.h"
#include "waverecord/WaveSettings.h"

class CWaveAnalysisSetupDlg : public ui::Dialog {
public:
    static constexpr unsigned kTemplateId = 155;
    static constexpr unsigned kEdits[3] = {6929, 6930, 32941};
    static constexpr unsigned kValueLabels[3] = {32940, 32942, 32943};
    static constexpr unsigned kRangeLabels[3] = {32945, 32946, 32947};

    // How a typed value reads: valid, too small, too large, empty, not a number.
    enum class Entry { Valid = 0, TooSmall = 1, TooLarge = 2, Empty = 3, NotANumber = 4 };

    // For a record of that many 200 ms intervals at the nominal frequency.
    CWaveAnalysisSetupDlg(std::int64_t intervals, double nominalFrequency);

    bool OnInitDialog() override;
    void OnOK() override;

    // The last check of each row (RMS, harmonic, Pst).
    Entry GetEntry(int row) const { return m_entries[static_cast<std::size_t>(row)]; }

private:
    void Check(int row);
    // Checks every row; the message that lists the rows out of range, empty when none is.
    std::wstring Refusal();

    WaveSettingBounds m_bounds;
    std::array<std::int64_t, 3> m_values{};
    std::array<Entry, 3> m_entries{Entry::Valid, Entry::Valid, Entry::Valid};
};
