#include "waverecord/WaveText.h"

#include <cwctype>

#include "core/ZVResourceManager.h"

std::wstring WaveText(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

std::wstring WaveFillField(std::wstring_view format, std::wstring_view value)
{
    for (std::size_t at = 0; at + 1 < format.size(); ++at) {
        if (format[at] != L'%') {
            continue;
        }
        if (format[at + 1] == L'%') {
            ++at;
            continue;
        }
        std::size_t end = at + 1;
        while (end < format.size() && (std::iswdigit(format[end]) || format[end] == L'.' || format[end] == L'-')) {
            ++end;
        }
        if (end < format.size() && std::wcschr(L"dsgiuf", format[end]) != nullptr) {
            std::wstring text(format.substr(0, at));
            text += value;
            text += format.substr(end + 1);
            return text;
        }
    }
    return std::wstring(format);
}
