#include "app/colors/ColorPages.h"

#include <initializer_list>
#include <string>
#include <vector>

#include "core/ColorPicker.h"
#include "platform/ui/PropertySheet.h"

namespace {

using Layout = CXTPPropertyPageEx::Layout;
using Button = CXTPPropertyPageEx::Button;

std::vector<std::wstring> Keys(const std::vector<Button>& buttons) {
    std::vector<std::wstring> keys;
    for (const Button& button : buttons) {
        keys.emplace_back(button.key);
    }
    return keys;
}

// A page whose one default button resets every key.
Layout AllDefault(unsigned templateId, const wchar_t* section, std::vector<Button> buttons, unsigned defaultId) {
    Layout layout{templateId, section, std::move(buttons), {}, {}};
    layout.defaults.push_back({defaultId, Keys(layout.buttons)});
    return layout;
}

Layout FreqLayout() {
    return AllDefault(CFreqColorPage::kTemplateId, CColorPicker::kFrequency,
                      {{L"Max", 32864, 6742}, {L"Min", 6813, 6743}, {L"Avg", 6812, 6744}, {L"Cp95", 6814, 6745}},
                      32904);
}

Layout UnbalanceLayout() {
    return AllDefault(CUnbalClrPage::kTemplateId, CColorPicker::kUnbalance,
                      {{L"Max", 6808, 6742}, {L"Min", 6809, 6743}, {L"Avg", 6810, 6744}, {L"Cp95", 6811, 6745}},
                      32906);
}

Layout VoltageCurrentLayout() {
    return AllDefault(CVCClrPage::kTemplateId, CColorPicker::kVoltageCurrent,
                      {
                          {L"Amax", 32865, 6773}, {L"Bmax", 32878, 6777}, {L"Cmax", 32882, 6782}, {L"Nmax", 32895, 6815},
                          {L"Amin", 6707, 6774},  {L"Bmin", 6711, 6778},  {L"Cmin", 32893, 6783}, {L"Nmin", 32900, 6816},
                          {L"Aavg", 32869, 6775}, {L"Bavg", 6710, 6779},  {L"Cavg", 32885, 6784}, {L"Navg", 32898, 6817},
                          {L"Acp95", 32875, 6776}, {L"Bcp95", 32881, 6780}, {L"Ccp95", 32894, 6785},
                          {L"Ncp95", 32901, 6818},
                      },
                      32902);
}

Layout FluctuationLayout() {
    return AllDefault(CFluctColorNewPage::kTemplateId, CColorPicker::kFluctuationFlicker,
                      {
                          {L"Amax", 6793, 6773},  {L"Bmax", 6794, 6777},  {L"Cmax", 6795, 6782},
                          {L"Amin", 6796, 6774},  {L"Bmin", 6797, 6778},  {L"Cmin", 6798, 6783},
                          {L"Aavg", 6799, 6775},  {L"Bavg", 6800, 6779},  {L"Cavg", 6801, 6784},
                          {L"Acp95", 6802, 6776}, {L"Bcp95", 6803, 6780}, {L"Ccp95", 6804, 6785},
                      },
                      6792);
}

Layout PowerEnergyLayout() {
    const std::vector<Button> power = {
        {L"Amax", 6755, 6773},  {L"Bmax", 6756, 6777},  {L"Cmax", 6757, 6782},  {L"ALLmax", 6758, 6787},
        {L"Amin", 6759, 6774},  {L"Bmin", 6760, 6778},  {L"Cmin", 6761, 6783},  {L"ALLmin", 6762, 6788},
        {L"Aavg", 6763, 6775},  {L"Bavg", 6764, 6779},  {L"Cavg", 6765, 6784},  {L"ALLavg", 32905, 6789},
        {L"Acp95", 6766, 6776}, {L"Bcp95", 6767, 6780}, {L"Ccp95", 6768, 6785}, {L"ALLcp95", 32907, 6790},
    };
    const std::vector<Button> energy = {
        {L"Arms", 6769, 6772}, {L"Brms", 6770, 6781}, {L"Crms", 6771, 6786}, {L"ALLrms", 32908, 6791}};
    Layout layout{CPEClrPage::kTemplateId, CColorPicker::kPowerEnergy, power, {}, {}};
    layout.buttons.insert(layout.buttons.end(), energy.begin(), energy.end());
    layout.defaults = {{32910, Keys(power)}, {32912, Keys(energy)}};
    // Power over the statistics, energy over the RMS values.
    layout.titles = {{6822, 6178}, {6823, 6273}};
    return layout;
}

Layout HarmonicLayout() {
    const std::vector<Button> histogram = {
        {L"HARMmax", 6727, 6742}, {L"HARMmin", 6728, 6743}, {L"HARMavg", 6729, 6744}, {L"HARMcp95", 6730, 6745}};
    // The KF curve and the six curves of the trend view's drop-down lists.
    const std::vector<Button> trend = {
        {L"KF", 32918, 6746},    {L"HARM1", 6734, 6749}, {L"HARM2", 6735, 6750}, {L"HARM3", 6736, 6751},
        {L"HARM4", 6737, 6752}, {L"HARM5", 6738, 6753}, {L"HARM6", 6739, 6754}};
    Layout layout{CHarmColorPage::kTemplateId, CColorPicker::kHarmonic, histogram, {}, {}};
    layout.buttons.insert(layout.buttons.end(), trend.begin(), trend.end());
    layout.defaults = {{6740, Keys(histogram)}, {6741, Keys(trend)}};
    // Histogram over the statistics, trend chart over the curves.
    layout.titles = {{6821, 6274}, {6827, 6144}};
    return layout;
}

}  // namespace

CFreqColorPage::CFreqColorPage() : CXTPPropertyPageEx(FreqLayout()) {}

CUnbalClrPage::CUnbalClrPage() : CXTPPropertyPageEx(UnbalanceLayout()) {}

CVCClrPage::CVCClrPage() : CXTPPropertyPageEx(VoltageCurrentLayout()) {}

CFluctColorNewPage::CFluctColorNewPage() : CXTPPropertyPageEx(FluctuationLayout()) {}

CPEClrPage::CPEClrPage() : CXTPPropertyPageEx(PowerEnergyLayout()) {}

CHarmColorPage::CHarmColorPage() : CXTPPropertyPageEx(HarmonicLayout()) {}

void CColorPageSet::AddTo(ui::PropertySheet& sheet) {
    for (CXTPPropertyPageEx* page : std::initializer_list<CXTPPropertyPageEx*>{
             &frequency, &unbalance, &voltageCurrent, &fluctuation, &powerEnergy, &harmonic}) {
        sheet.AddPage(page);
    }
}
