#include "core/LanguageInfo.h"

CLanguageInfo CLanguageInfo::Defaults() {
    CLanguageInfo info;
    info.id = 0;
    info.name = L"简体中文";
    info.dirName = L"Chinese";
    info.usPrimaryLanguage = 4;
    info.usSubLanguage = 2;
    info.switchTip = L"切换软件语言成功，重启软件生效!\n重启请点击‘确定’";
    return info;
}

std::uint16_t CLanguageInfo::LangId() const {
    return static_cast<std::uint16_t>((usSubLanguage << 10) | usPrimaryLanguage);
}
