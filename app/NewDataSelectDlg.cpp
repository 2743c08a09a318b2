#include "app/NewDataSelectDlg.h"

#include <tuple>

#include <wx/button.h>
#include <wx/window.h>

#include "app/AppText.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/MemoryStatus.h"
#include "platform/ui/MessageBox.h"
#include "terminal/GlobalModel.h"

namespace {

constexpr unsigned kStringDaySpan = 10283;
constexpr unsigned kStringSizeLabel = 10284;
constexpr unsigned kStringNotice = 10285;
constexpr unsigned kStringDamagedTail = 10286;
constexpr unsigned kStringZeroSpan = 10287;
constexpr unsigned kStringSlowYes = 10288;
constexpr unsigned kStringSlowNo = 10289;
constexpr unsigned kStringSelectedDays = 10290;
constexpr unsigned kStringSelectedSpan = 10291;
constexpr unsigned kStringSelectedSize = 10292;
constexpr unsigned kStringMemoryNeeded = 10293;
constexpr unsigned kStringMemoryAvailable = 10294;
constexpr unsigned kStringMemoryShort = 10295;
constexpr unsigned kStringEmptyRange = 10296;
constexpr unsigned kStringNoRecordData = 10297;
constexpr unsigned kStringOpenAnyway = 10298;
constexpr unsigned kStringIndexResolution = 10430;
constexpr unsigned kStringMissingStretches = 10405;
constexpr unsigned kStringIrregularFile = 10400;
constexpr unsigned kStringMissingFolder = 10406;

constexpr std::int64_t kDay = 86400;

constexpr std::uint32_t Rgb(unsigned red, unsigned green, unsigned blue) { return red | green << 8 | blue << 16; }
constexpr std::uint32_t kWhite = Rgb(255, 255, 255);
constexpr std::uint32_t kBlack = Rgb(0, 0, 0);
constexpr std::uint32_t kSizeLabelColor = Rgb(113, 169, 208);
constexpr std::uint32_t kMemoryLabelColor = Rgb(238, 138, 85);
constexpr std::uint32_t kColorKeyColor = Rgb(182, 194, 205);

using apptext::String;

// A span as the dialog shows it: with days from one day on.
std::wstring SpanText(std::int64_t seconds) {
    return FormatSpan(seconds >= kDay ? String(kStringDaySpan) : std::wstring(L"%H:%M:%S"), seconds);
}

}  // namespace

CNewDataSelectDlg::CNewDataSelectDlg()
    : ui::Dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(kTemplateId)) {
    OnMessage(kMsgRangeChanged, [this](ui::WParam, ui::LParam) {
        OnSliderChanged();
        return 0;
    });
}

platform::MemoryStatus CNewDataSelectDlg::QueryMemory() const { return platform::GetMemoryStatus(); }

std::uint64_t CNewDataSelectDlg::AvailableMemory() const { return QueryMemory().availablePhysical; }

std::wstring CNewDataSelectDlg::ResolutionNotice() const {
    if (!m_ReadsBlockFiles || !m_Record.ShownAtIndexResolution(m_StartFrac, m_EndFrac, QueryMemory())) {
        return std::wstring();
    }
    return String(kStringIndexResolution);
}

bool CNewDataSelectDlg::SetDataPath(const std::wstring& path) {
    m_DataDamaged = false;
    switch (m_Record.Read(path)) {
    case CDataSelection::Description::Damaged:
        m_DataDamaged = true;
        return false;
    case CDataSelection::Description::NoBlocks:
        // Transient or alarm events may still be there.
        if (ui::MessageBox(nullptr, String(kStringNoRecordData) + String(kStringOpenAnyway), String(kStringNotice),
                           ui::kMbYesNo | ui::kMbIconInformation) != ui::kIdYes) {
            return false;
        }
        break;
    case CDataSelection::Description::Usable:
        break;
    }
    m_Record.SetPresentBlocks(CGlobalModel::CountRecords(path, &m_ReadsBlockFiles));
    m_Record.FindGaps(path);
    if (!m_Record.GetIrregularFile().empty()) {
        // A pipe would block the load and a device never end it: refused, by name.
        ui::MessageBox(nullptr, String(kStringIrregularFile) + L"\n" + platform::FromPath(m_Record.GetIrregularFile()),
                       String(kStringNotice), ui::kMbOk | ui::kMbIconExclamation);
        return false;
    }
    std::tie(m_StartFrac, m_EndFrac) = m_Record.ProposedRange(AvailableMemory());
    return true;
}

bool CNewDataSelectDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    SetDlgItemText(kStartText, FormatSelectionTime(m_Record.GetStartTime()));
    SetDlgItemText(kRecordSpan, SpanText(m_Record.GetEndTime() - m_Record.GetStartTime()));
    SetDlgItemText(kRecordSize, FormatDataSize(static_cast<double>(m_Record.GetTotalSize())));
    if (m_Slider.SubclassDlgItem(kSliderId, this)) {
        m_Slider.SetRange(0.0, 1.0);
        m_Slider.SetPosition(m_StartFrac, m_EndFrac);
    }
    if (m_SizeLabel.SubclassDlgItem(kSizeLabelId, this)) {
        m_SizeLabel.SetBkColor(kSizeLabelColor);
        m_SizeLabel.SetText(String(kStringSizeLabel), kWhite);
    }
    if (m_MemoryLabel.SubclassDlgItem(kMemoryLabelId, this)) {
        m_MemoryLabel.SetBkColor(kMemoryLabelColor);
        m_MemoryLabel.SetText(String(kStringNotice), kBlack);
    }
    if (m_ColorKey.SubclassDlgItem(kColorKeyId, this)) {
        m_ColorKey.SetBkColor(kColorKeyColor);
        m_ColorKey.SetText(L"", kBlack);
    }
    const std::wstring damage = DamageNotes();
    for (const unsigned id : {kDamagedTailMark, kDamagedTailText}) {
        if (wxWindow* item = GetDlgItem(id)) {
            item->Show(!damage.empty());
        }
    }
    if (!damage.empty()) {
        SetDlgItemText(kDamagedTailText, damage);
    }
    for (const unsigned id : {static_cast<unsigned>(ui::kIdOk), static_cast<unsigned>(ui::kIdCancel)}) {
        if (wxWindow* button = GetDlgItem(id)) {
            button->SetBackgroundColour(wxColour(182, 194, 205));
        }
    }
    UpdateSelectionInfo();
    PlaceSizeLabel();
    return true;
}

std::wstring CNewDataSelectDlg::DamageNotes() const {
    std::wstring text;
    if (!m_Record.GetMissingFolder().empty()) {
        // The data after a missing block folder are not read: the record ends before it.
        text = String(kStringMissingFolder);
        const std::size_t at = text.find(L"%s");
        if (at != std::wstring::npos) {
            text.replace(at, 2, m_Record.GetMissingFolder());
        }
    } else if (m_Record.IsTruncated()) {
        text = String(kStringDamagedTail);
    }
    const auto& missing = m_Record.GetMissing();
    if (!missing.empty()) {
        if (!text.empty()) {
            text += L"\n";
        }
        text += String(kStringMissingStretches);
        constexpr std::size_t kShown = 2;
        for (std::size_t i = 0; i < missing.size() && i < kShown; ++i) {
            const auto [first, end] = m_Record.StretchTimes(missing[i]);
            text += (i == 0 ? L"" : L", ") + FormatSelectionTime(first) + L" ~ " + FormatSelectionTime(end);
        }
        if (missing.size() > kShown) {
            text += L" …";
        }
    }
    return text;
}

void CNewDataSelectDlg::OnSliderChanged() {
    if (m_Slider.IsInverted()) {
        m_StartFrac = -m_Slider.GetSelHigh();
        m_EndFrac = -m_Slider.GetSelLow();
    } else {
        m_StartFrac = m_Slider.GetSelLow();
        m_EndFrac = m_Slider.GetSelHigh();
    }
    UpdateSelectionInfo();
    PlaceSizeLabel();
}

void CNewDataSelectDlg::UpdateSelectionInfo() {
    const CDataSelection::Figures figures = m_Record.Describe(m_StartFrac, m_EndFrac, AvailableMemory());
    SetDlgItemText(kSelectedStart, L"[" + FormatSelectionTime(figures.start));
    SetDlgItemText(kSelectedEnd, FormatSelectionTime(figures.end) + L"]");

    const std::int64_t span = figures.end - figures.start;
    std::wstring sizeText = FormatSpan(String(span >= kDay ? kStringSelectedDays : kStringSelectedSpan), span);
    sizeText += String(kStringSelectedSize) + FormatDataSize(figures.selectedBytes);
    m_SizeLabel.SetText(sizeText, kWhite);

    m_Warning.clear();
    std::wstring memoryText = String(kStringMemoryNeeded) + FormatDataSize(figures.neededBytes) +
                              String(kStringMemoryAvailable) + FormatDataSize(figures.availableBytes);
    if (figures.memoryShort) {
        m_Warning = String(kStringMemoryShort);
        memoryText += L"\n" + m_Warning;
    }
    if (const std::wstring notice = ResolutionNotice(); !notice.empty()) {
        memoryText += L"\n" + notice;
    }
    SetDlgItemText(kShownSpan, SpanText(figures.shownSpan));

    if (wxWindow* ok = GetDlgItem(ui::kIdOk)) {
        ok->Enable(figures.canOpen);
    }
    m_MemoryLabel.SetText(figures.canOpen ? memoryText : String(kStringEmptyRange), kBlack);
}

void CNewDataSelectDlg::PlaceSizeLabel() {
    if (!m_SizeLabel.IsWindow() || !m_Slider.IsWindow()) {
        return;
    }
    const wxRect slider = m_Slider.GetWx()->GetRect();
    wxRect label = m_SizeLabel.GetWx()->GetRect();
    label.x = SelectionLabelLeft(slider.x, slider.width, m_StartFrac, m_EndFrac, label.width,
                                 GetWx()->GetClientSize().GetWidth());
    m_SizeLabel.GetWx()->SetSize(label);
}

void CNewDataSelectDlg::OnOK() {
    const auto [start, end] = m_Record.SelectedTimes(m_StartFrac, m_EndFrac);
    if (start == end) {
        // Nothing to choose between: a notice, and the dialog stays.
        ui::MessageBox(this, String(kStringZeroSpan), String(kStringNotice), ui::kMbOk | ui::kMbIconInformation);
        return;
    }
    if (!m_Warning.empty() &&
        ui::MessageBox(this, m_Warning + L"\n\n" + String(kStringSlowYes) + String(kStringSlowNo),
                       String(kStringNotice), ui::kMbYesNo) != ui::kIdYes) {
        return;
    }
    EndDialog(ui::kIdOk);
}
