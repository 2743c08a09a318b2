#include "waverecord/ui/WaveAnalysisSetupDlg.h"

#include <cwctype>
#include <optional>

#include <wx/window.h>

#include "core/ZVResourceManager.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/SpinArrows.h"
#include "waverecord/WaveText.h"

namespace {

constexpr unsigned kMsgCheckFirst = 0x7E9;
constexpr unsigned kCycleLabel = 6931;
constexpr unsigned kOk = 6907;
constexpr unsigned kCancel = 6908;
constexpr unsigned kSpins[3] = {6936, 9543, 32944};
constexpr unsigned kRangeTexts[3] = {10094, 10095, 10096};
constexpr unsigned kErrorTexts[5] = {0, 10100, 10101, 10102, 10103};
constexpr WaveSetting kSettings[3] = {WaveSetting::Rms, WaveSetting::Harm, WaveSetting::Pst};
constexpr unsigned kRowNames[3] = {10331, 10332, 10333};
constexpr unsigned kTextRefused = 10330;
constexpr unsigned kTextNotSaved = 10334;
constexpr unsigned kTextNotice = 10231;

constexpr gfx::Color kRed{255, 0, 0};
constexpr gfx::Color kBlack{0, 0, 0};
constexpr gfx::Color kBlue{0, 0, 255};
constexpr gfx::Color kGrey{125, 125, 125};

// A whole number as typed (an optional sign and digits, blanks around); nothing
// otherwise or when it does not fit.
std::optional<std::int64_t> ReadWhole(const std::wstring& text)
{
    std::size_t at = 0;
    while (at < text.size() && std::iswspace(text[at])) {
        ++at;
    }
    std::size_t end = text.size();
    while (end > at && std::iswspace(text[end - 1])) {
        --end;
    }
    const std::wstring body = text.substr(at, end - at);
    if (body.empty() || body.size() > 12) {
        return std::nullopt;
    }
    std::size_t digits = (body[0] == L'-' || body[0] == L'+') ? 1 : 0;
    if (digits == body.size()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (std::size_t i = digits; i < body.size(); ++i) {
        if (body[i] < L'0' || body[i] > L'9') {
            return std::nullopt;
        }
        value = value * 10 + (body[i] - L'0');
    }
    return body[0] == L'-' ? -value : value;
}

std::wstring Decimal(double value)
{
    std::wstring text = std::to_wstring(value);
    while (!text.empty() && text.back() == L'0') {
        text.pop_back();
    }
    if (!text.empty() && text.back() == L'.') {
        text.pop_back();
    }
    return text;
}

}  // namespace

CWaveAnalysisSetupDlg::CWaveAnalysisSetupDlg(std::int64_t intervals, double nominalFrequency)
    : ui::Dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(kTemplateId)),
      m_bounds(WaveSettingBounds::For(intervals, nominalFrequency))
{
}

bool CWaveAnalysisSetupDlg::OnInitDialog()
{
    SetDlgItemText(kCycleLabel, WaveFillField(WaveText(10299), std::to_wstring(m_bounds.cyclesPerInterval)));
    const WaveAnalysisSettings stored = CWaveSettings::Instance().Stored();
    const std::int64_t values[3] = {stored.rms, stored.harm, stored.pst};
    const std::int64_t maxima[3] = {m_bounds.rmsMax, m_bounds.harmMax, m_bounds.pstMax};
    for (int row = 0; row < 3; ++row) {
        m_values[row] = m_bounds.Correct(kSettings[row], values[row]);
        SetDlgItemText(kEdits[row], std::to_wstring(m_values[row]));
        if (auto* spin = GetItem<ui::SpinArrows>(kSpins[row])) {
            spin->SetRange(-2147483647 - 1, 2147483647);
            spin->SetValue(static_cast<int>(m_values[row]));
        }
        SetDlgItemText(kRangeLabels[row], WaveFillField(WaveText(kRangeTexts[row]), std::to_wstring(maxima[row])));
        const unsigned message = kMsgCheckFirst + static_cast<unsigned>(row);
        OnControlNotify(kEdits[row], static_cast<int>(ui::kNotifyEditChange),
                        [this, message] { ui::PostMessage(this, message, 0, 0); });
        OnMessage(message, [this, row](ui::WParam, ui::LParam) {
            Check(row);
            return 0;
        });
        Check(row);
    }
    OnCommand(kOk, [this] { OnOK(); });
    OnCommand(kCancel, [this] { OnCancel(); });
    return ui::Dialog::OnInitDialog();
}

void CWaveAnalysisSetupDlg::Check(int row)
{
    const std::wstring text = GetDlgItemText(kEdits[row]);
    const std::optional<std::int64_t> value = ReadWhole(text);
    Entry entry = Entry::Valid;
    if (!value) {
        entry = text.empty() ? Entry::Empty : Entry::NotANumber;
    } else {
        entry = static_cast<Entry>(m_bounds.Check(kSettings[row], *value));
    }
    m_entries[static_cast<std::size_t>(row)] = entry;
    const bool wrong = entry != Entry::Valid;
    if (!wrong) {
        m_values[row] = *value;
        std::wstring shown;
        switch (row) {
        case 0: shown = WaveFillField(WaveText(10097), Decimal(static_cast<double>(*value) * 0.5)); break;
        case 1:
            shown = WaveFillField(WaveText(10098), std::to_wstring(*value * m_bounds.cyclesPerInterval));
            break;
        default: shown = WaveFillField(WaveText(10099), std::to_wstring(*value)); break;
        }
        SetDlgItemText(kValueLabels[row], shown);
    } else {
        SetDlgItemText(kValueLabels[row], WaveText(kErrorTexts[static_cast<int>(entry)]));
    }
    SetItemTextColor(kValueLabels[row], wrong ? kRed : kBlack);
    SetItemTextColor(kRangeLabels[row], wrong ? kBlue : kGrey);
}

std::wstring CWaveAnalysisSetupDlg::Refusal()
{
    std::wstring lines;
    for (int row = 0; row < 3; ++row) {
        Check(row);
        const Entry entry = m_entries[static_cast<std::size_t>(row)];
        if (entry != Entry::Valid) {
            lines += L"\n" + WaveText(kRowNames[row]) + L": " + WaveText(kErrorTexts[static_cast<int>(entry)]) + L"  " +
                     GetDlgItemText(kRangeLabels[row]);
        }
    }
    return lines.empty() ? lines : WaveText(kTextRefused) + lines;
}

void CWaveAnalysisSetupDlg::OnOK()
{
    // A value outside its range is not stored, and the user hears why: the dialog
    // stays open with the entry to correct.
    if (const std::wstring refusal = Refusal(); !refusal.empty()) {
        ui::MessageBox(this, refusal, WaveText(kTextNotice), ui::kMbOk | ui::kMbIconExclamation);
        for (int row = 0; row < 3; ++row) {
            if (m_entries[static_cast<std::size_t>(row)] != Entry::Valid) {
                if (wxWindow* edit = GetDlgItem(kEdits[row])) {
                    edit->SetFocus();
                }
                break;
            }
        }
        return;
    }
    if (!CWaveSettings::Instance().Write(m_values[0], m_values[1], m_values[2])) {
        ui::MessageBox(this, WaveFillField(WaveText(kTextNotSaved), CWaveSettings::Instance().Path()),
                       WaveText(kTextNotice), ui::kMbOk | ui::kMbIconExclamation);
        return;
    }
    EndDialog(ui::kIdOk);
}
