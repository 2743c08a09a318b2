#include "export/ExportTexts.h"

#include <utility>

#include "core/OndravaLog.h"
#include "core/ZVResourceManager.h"

namespace {

// Texts of the exporters: the export captions, the COMTRADE table titles and the
// titles of the statistic items.
constexpr std::pair<unsigned, const wchar_t*> kTexts[] = {
    {6040, L"波动Dc"},
    {6041, L"最大波动值Dmax"},
    {6042, L"波动越限持续时间TD"},
    {6043, L"短闪变Pst"},
    {6044, L"长闪变Plt"},
    {6045, L"瞬时闪变s(t)"},
    {6131, L"电压谐波"},
    {6132, L"电流谐波"},
    {6133, L"谐波功率"},
    {6134, L"电压间谐波"},
    {6135, L"电流间谐波"},
    {6136, L"电压高次谐波"},
    {6137, L"电流高次谐波"},
    {6138, L"电压谐波子组"},
    {6139, L"电流谐波子组"},
    {6151, L"有功功率"},
    {6155, L"无功功率"},
    {6156, L"视在功率"},
    {6162, L"相位角"},
    {6164, L"基波电压"},
    {6165, L"基波电流"},
    {6166, L"零序电压"},
    {6167, L"零序电流"},
    {6168, L"正序电压"},
    {6169, L"正序电流"},
    {6170, L"负序电压"},
    {6171, L"负序电流"},
    {6172, L"电压负序不平衡度"},
    {6173, L"电流负序不平衡度"},
    {6174, L"电压零序不平衡度"},
    {6175, L"电流零序不平衡度"},
    {6177, L"电流K系数"},
    {6235, L"电压有效值"},
    {6236, L"电压半波有效值"},
    {6237, L"电压正峰值"},
    {6238, L"电压负峰值"},
    {6239, L"电流有效值"},
    {6240, L"电流半波有效值"},
    {6241, L"电流正峰值"},
    {6242, L"电流负峰值"},
    {6243, L"电压平均值"},
    {6244, L"电流平均值"},
    {6245, L"电压谐波总畸变率"},
    {6246, L"电流谐波总畸变率"},
    {6247, L"有功电能"},
    {6248, L"无功电能"},
    {6249, L"视在电能"},
    {6260, L"电压峰值因数"},
    {6261, L"电压相位角"},
    {6262, L"电流峰值因数"},
    {6263, L"电流相位角"},
    {6264, L"电压谐波直流分量"},
    {6265, L"电流谐波直流分量"},
    {6266, L"谐波功率总畸变率"},
    {6267, L"谐波功率直流分量"},
    {6268, L"含有率"},
    {6269, L"电流波形值"},
    {6270, L"电流波形有效值"},
    {6271, L"电压波形值"},
    {6272, L"电压波形有效值"},
    {9999, L"频率"},
    {10087, L"功率因数"},
    {10088, L"位移功率因数"},
    {10104, L"正在导出"},
    {10105, L" 单位"},
    {10106, L"无"},
    {10111, L"有效值"},
    {22846, L"不平衡度"},
};

}  // namespace

std::wstring ExportText(unsigned int id)
{
    int notFound = 1;
    if (CZVResourceManager* resources = CZVResourceManager::GetResourceManager()) {
        std::wstring text = resources->LoadString(id, &notFound);
        if (notFound == 0) {
            return text;
        }
    }
    for (const auto& [textId, text] : kTexts) {
        if (textId == id) {
            return text;
        }
    }
    return {};
}

void ExportLog(const std::wstring& line)
{
    if (COndravaLog* log = COndravaLog::GetInstance()) {
        log->Write(line);
    }
}
