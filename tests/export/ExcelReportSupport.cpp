#include "ExcelReportSupport.h"

#include <gtest/gtest.h>

#include <charconv>

#include "core/ZVLanguageList.h"
#include "core/ZVResourceManager.h"
#include "export/ExcelWorkbook.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "report/RtfReportText.h"

namespace exporttest {

class SeriesModel::Reader : public IDevFileAnalysis {
public:
    Reader(SeriesModel& model, Source source) : m_Model(model), m_Source(std::move(source)) {}
    int LoadFile(std::wstring, std::uint32_t) override { return 1; }
    int ReleaseFile() override { return 1; }
    int GetBasicInfo(BasicInfo* info) override
    {
        *info = BasicInfo();
        return 1;
    }
    int GetData(QueryWord, QueryWord, QueryWord, QueryWord, QueryWord, QueryWord) override { return 1; }
    int GetItemData(std::vector<ItemRequest*>& requests) override
    {
        ++m_Model.readerCalls;
        for (ItemRequest* request : requests) {
            request->values = m_Source(request->viewId, request->phase, request->blockType, request->order);
        }
        return m_Model.readerResult;
    }
    int SetQueryParams(const std::array<std::uint32_t, 10>&) override { return 1; }
    int SetOption(std::uint32_t) override { return 1; }

private:
    SeriesModel& m_Model;
    Source m_Source;
};

SeriesModel::SeriesModel(Source source) : m_Reader(std::make_unique<Reader>(*this, std::move(source)))
{
    analysis = m_Reader.get();
}

SeriesModel::~SeriesModel()
{
    analysis = nullptr;  // the reader goes with this model, before the base would release it
}

int SeriesModel::GetSource(std::uint32_t* source)
{
    *source = 1;
    return 1;
}

int SeriesModel::QueryBasicInfo(BasicInfo* info)
{
    *info = BasicInfo();
    info->recordCount = 20;
    return 1;
}

LanguageScope::LanguageScope(int id)
{
    Select(id);
}

LanguageScope::~LanguageScope()
{
    Select(0);
}

void LanguageScope::Select(int id)
{
    ASSERT_TRUE(CZVLanguageList::SaveSelectedId(id));
    const std::filesystem::path folder = platform::ToPath(CZVLanguageList::GetLanguageDir());
    ASSERT_TRUE(CZVResourceManager::SetResourceFile(platform::FromPath(folder / "Ondrava.xml")));
    ASSERT_EQ(CRtfReportText::Instance().LoadFile(folder / "RtfReport.xml"), 1);
}

void ExpectFloatCell(const XlsxSheet& sheet, const std::string& ref, float value, const std::string& what)
{
    char text[400];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    EXPECT_EQ(sheet.At(ref), XlsxValue(std::stod(text)))
        << platform::WideToUtf8(sheet.name) << " " << ref << " (" << what << "): " << Describe(sheet.At(ref));
}

void ExpectCountCell(const XlsxSheet& sheet, const std::string& ref, std::uint32_t value, const std::string& what)
{
    EXPECT_EQ(sheet.At(ref), XlsxValue(static_cast<double>(value)))
        << platform::WideToUtf8(sheet.name) << " " << ref << " (" << what << "): " << Describe(sheet.At(ref));
}

void ExpectTypedCell(const XlsxSheet& sheet, const std::string& ref, const std::wstring& text, const std::string& what)
{
    const std::optional<double> number = ParseCellNumber(text);
    const XlsxValue expected = number ? XlsxValue(*number) : XlsxValue(text);
    EXPECT_EQ(sheet.At(ref), expected) << platform::WideToUtf8(sheet.name) << " " << ref << " (" << what
                                       << "): " << Describe(sheet.At(ref));
}

void ExpectPlaceholder(const XlsxSheet& sheet, const std::string& ref, const std::string& what)
{
    EXPECT_EQ(sheet.At(ref), XlsxValue(std::wstring(L"——")))
        << platform::WideToUtf8(sheet.name) << " " << ref << " (" << what << "): " << Describe(sheet.At(ref));
}

std::string Ref(const char* column, int row)
{
    return column + std::to_string(row);
}

}  // namespace exporttest
