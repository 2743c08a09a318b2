#include "lib/tables/TabulistTexts.h"

namespace tabulist {

namespace {

CTinyResourceManager MakeTexts() {
    CTinyResourceManager texts({
        {kTextReservedColumn, L"日期"},
        {kTextTimeMilliseconds, L"日期(年-月-日 时:分:秒.毫秒)"},
        {kTextTimeMicroseconds, L"日期(年-月-日 时:分:秒.毫秒.微秒)"},
    });
    texts.LoadStrings(texts.GetLanguageDir() / "Tabulist.xml");
    return texts;
}

}  // namespace

const CTinyResourceManager& Texts() {
    static const CTinyResourceManager texts = MakeTexts();
    return texts;
}

}  // namespace tabulist
