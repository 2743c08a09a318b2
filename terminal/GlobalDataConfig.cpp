#include "terminal/GlobalDataConfig.h"

std::wstring CGlobalDataConfig::GetStatisticPath(bool withSeparator) const
{
    std::wstring path;
    switch (m_Kind) {
    case Unknown:
    case K7900:
        path = L"Statistic";
        break;
    case K7700:
    case K7800:
        path = L"Statistic/newfiles";
        break;
    default:
        break;
    }
    if (withSeparator) {
        path += L'/';
    }
    return path;
}
