#pragma once
// CNewDataSelectDlg: the modal dialog (template 127) shown before statistic data is
// loaded. SetDataPath reads the folder's time range and block description, asks the
// readers how many blocks are really there and proposes a stretch that fits the
// memory; the dialog then shows the record, lets the user narrow the stretch with a
// two-thumb slider while it shows the chosen span, size and memory need, and
// GetSelection hands the chosen stretch to the load. OK closes only on a stretch of
// some length, after asking when memory is short.

#include <cstdint>
#include <string>

#include "controls/CustomStatic.h"
#include "controls/RangeSlider.h"
#include "platform/base/MemoryStatus.h"
#include "platform/ui/Dialog.h"
#include "terminal/DataSelectInfo.h"
#include "terminal/DataSelection.h"

class CNewDataSelectDlg : public ui::Dialog {
public:
    CNewDataSelectDlg();

    // False ends the open: the record is damaged (IsDataDamaged) or holds no
    // statistic data and the user declined to open it anyway.
    bool SetDataPath(const std::wstring& path);
    bool IsDataDamaged() const { return m_DataDamaged; }
    DataSelectInfo GetSelection() const { return m_Record.GetSelection(m_StartFrac, m_EndFrac); }

    bool OnInitDialog() override;
    void OnOK() override;

    // The stretch chosen, as fractions of the record.
    double GetStartFrac() const { return m_StartFrac; }
    double GetEndFrac() const { return m_EndFrac; }
    const CDataSelection& GetRecord() const { return m_Record; }
    CRangeSlider& GetSlider() { return m_Slider; }
    const CCustomStatic& GetSizeLabel() const { return m_SizeLabel; }
    const CCustomStatic& GetMemoryLabel() const { return m_MemoryLabel; }

    static constexpr unsigned kTemplateId = 127;
    static constexpr unsigned kStartText = 9541;
    static constexpr unsigned kRecordSpan = 9542;
    static constexpr unsigned kRecordSize = 6882;
    static constexpr unsigned kShownSpan = 6883;
    static constexpr unsigned kSliderId = 32920;
    static constexpr unsigned kSizeLabelId = 9540;
    static constexpr unsigned kMemoryLabelId = 6884;
    static constexpr unsigned kColorKeyId = 6885;
    static constexpr unsigned kSelectedStart = 6869;
    static constexpr unsigned kSelectedEnd = 6870;
    static constexpr unsigned kDamagedTailText = 6888;
    static constexpr unsigned kDamagedTailMark = 6889;

protected:
    // The system's memory figures the dialog weighs the stretch against (tests give
    // their own).
    virtual platform::MemoryStatus QueryMemory() const;

private:
    // What the record lacks: a missing block folder, a damaged tail, stretches without values.
    std::wstring DamageNotes() const;
    void OnSliderChanged();
    void UpdateSelectionInfo();
    void PlaceSizeLabel();
    std::uint64_t AvailableMemory() const;
    // The line telling that the stretch will be shown at a tenth of its resolution
    // (from the index files); empty when it is shown whole.
    std::wstring ResolutionNotice() const;

    CDataSelection m_Record;
    CRangeSlider m_Slider;
    double m_StartFrac = 0.0;
    double m_EndFrac = 1.0;
    CCustomStatic m_SizeLabel;
    CCustomStatic m_MemoryLabel;
    CCustomStatic m_ColorKey;
    std::wstring m_Warning;
    bool m_DataDamaged = false;
    bool m_ReadsBlockFiles = true;
};
