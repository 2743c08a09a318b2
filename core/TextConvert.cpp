#include "core/TextConvert.h"

#include "platform/base/Encoding.h"

int WideToAnsi(std::wstring_view text, std::string& result) {
    result = WideToAnsiString(text);
    return result.empty() ? 0 : 1;
}

int Utf8ToWide(std::string_view utf8, std::wstring& result) {
    result.clear();
    if (!platform::IsValidUtf8(utf8)) {
        return 0;
    }
    result = platform::Utf8ToWide(utf8);
    return 1;
}

int WideToMultiByteCP(unsigned codePage, std::wstring_view text, std::string& result) {
    result.clear();
    switch (codePage) {
        case kCodePageAnsi:
        case kCodePageOem:
        case kCodePageThreadAnsi:
        case kCodePageGbk:
            if (auto converted = platform::WideToGbk(text)) {
                result = std::move(*converted);
                return 1;
            }
            return 0;
        case kCodePageUtf8:
            result = platform::WideToUtf8(text);
            return 1;
        default:
            return 0;
    }
}

std::string WideToAnsiString(std::wstring_view text) {
    return platform::WideToGbkLossy(text);
}

std::wstring AnsiToWideString(std::string_view text) {
    return platform::GbkToWide(text);
}
