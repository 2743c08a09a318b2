#pragma once
// Helpers of the spreadsheet report tests: the language the program runs in, checks
// of cells read back from a written workbook, and a statistic model whose series
// the test gives.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "XlsxReader.h"
#include "terminal/DataModel.h"

namespace exporttest {

// The program in the language of the list's id (0 Chinese, 1 English): the language
// list, the language pack and the report wording, as the program has them after a
// start in that language. Chinese again at the end.
class LanguageScope {
public:
    explicit LanguageScope(int id);
    ~LanguageScope();
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    static void Select(int id);
};

// The cell holds the number that "%f" of the value, typed in, stands for.
void ExpectFloatCell(const XlsxSheet& sheet, const std::string& ref, float value, const std::string& what);
void ExpectCountCell(const XlsxSheet& sheet, const std::string& ref, std::uint32_t value, const std::string& what);
// The cell holds the text as typed in: a number when the text is one.
void ExpectTypedCell(const XlsxSheet& sheet, const std::string& ref, const std::wstring& text, const std::string& what);
// The cell still holds the template's placeholder.
void ExpectPlaceholder(const XlsxSheet& sheet, const std::string& ref, const std::string& what);

// "C14" of a column and a row.
std::string Ref(const char* column, int row);

// A statistic model whose reader answers every request with the series the test
// gives (empty: the data holds no such series) and reports `readerResult`.
class SeriesModel : public IDataModel {
public:
    using Source = std::function<std::vector<float>(std::uint32_t item, std::uint32_t channel,
                                                    std::uint32_t statistic, std::int32_t orderIndex)>;
    explicit SeriesModel(Source source);
    ~SeriesModel() override;

    int CreateAnalysis(std::uint32_t) override { return 1; }
    int GetSource(std::uint32_t* source) override;
    int OpenData(void*) override { return 1; }
    int QueryBasicInfo(BasicInfo* info) override;

    int readerResult = 1;
    int readerCalls = 0;

private:
    class Reader;
    std::unique_ptr<Reader> m_Reader;
};

}  // namespace exporttest
