// The RTF report of PNG pages as its readers see it: LibreOffice converts a report
// of a generated folder, in Chinese and in English, to PDF, and the PDF must hold
// exactly one page per page picture, each page one image of the page's size equal
// to the picture the page canvas drew. The pages' texts are pictures there, so they
// are checked on the canvas: each page is also replayed as vector drawing into a PDF
// whose text poppler extracts, and every text the report handed to the page must be
// there, drawn whole, in fonts that have a glyph for every character. (The
// metafile pages are checked through the program's own start, with the program's
// tests.)

#include <gtest/gtest.h>

#include <cairo-pdf.h>

#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ReportFolderFixture.h"
#include "WordReportFixture.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/Font.h"
#include "report/ReportDrawing.h"
#include "report/ReportPageCanvas.h"
#include "report/RtfReportText.h"
#include "report/WordReporter.h"
#include "tests/support/ProgramFolderFixture.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path)
{
    return "'" + platform::PathToUtf8(path) + "'";
}

int Shell(const std::string& command)
{
    return std::system(command.c_str());
}

// The text without blanks and line breaks: cells wrap their texts over lines.
std::wstring Squeezed(const std::wstring& text)
{
    std::wstring result;
    for (const wchar_t c : text) {
        if (!std::iswspace(c)) {
            result += c;
        }
    }
    return result;
}

// Whether the page picture (PNG) and the image poppler took out of the PDF (PPM:
// "P6", width, height, 255, then red, green and blue bytes) have the same size and
// the same colour in every pixel.
bool SamePixels(const std::string& png, const std::string& ppm, std::string& why)
{
    const gfx::Bitmap page = gfx::Bitmap::FromPng(png);
    std::istringstream header(ppm);
    std::string magic;
    int width = 0, height = 0, depth = 0;
    header >> magic >> width >> height >> depth;
    const std::size_t data = static_cast<std::size_t>(header.tellg()) + 1;
    if (page.IsEmpty() || magic != "P6" || depth != 255 || width != page.Width() || height != page.Height() ||
        ppm.size() != data + 3 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        why = "sizes differ";
        return false;
    }
    cairo_surface_t* surface = page.Surface();
    cairo_surface_flush(surface);
    const unsigned char* pixels = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const auto* rgb = reinterpret_cast<const unsigned char*>(ppm.data() + data);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // The surface holds a 32-bit word per pixel, blue in its lowest byte.
            const std::uint32_t word = *reinterpret_cast<const std::uint32_t*>(pixels + y * stride + 4 * x);
            const unsigned char* expected = rgb + 3 * (static_cast<std::size_t>(y) * width + x);
            if (((word >> 16) & 0xFF) != expected[0] || ((word >> 8) & 0xFF) != expected[1] ||
                (word & 0xFF) != expected[2]) {
                why = "pixel " + std::to_string(x) + "," + std::to_string(y) + " differs";
                return false;
            }
        }
    }
    return true;
}

// The texts the report hands to its table pages, by page; the front page leaves out
// the time the report was made (it moves on between the page and this list).
std::vector<std::vector<std::wstring>> TableTexts(const CWordReporter& reporter)
{
    auto texts = [](const CReportTable& table, bool skipLast) {
        std::vector<std::wstring> result;
        for (const CReportHeader& header : table.Headers()) {
            result.push_back(header.GetName());
            for (const CReportColumn& column : header.Columns()) {
                result.push_back(column.GetName());
            }
        }
        const std::size_t rows = table.Rows().size() - (skipLast ? 1 : 0);
        for (std::size_t r = 0; r < rows; ++r) {
            const CReportRow& row = table.Rows()[r];
            result.push_back(row.GetName());
            for (const CReportRowValues& values : row.Values()) {
                result.push_back(values.GetName());
                result.push_back(values.GetNote());
                for (const CReportColumn& column :
                     table.Headers().empty() ? std::vector<CReportColumn>{} : table.Headers()[0].Columns()) {
                    result.push_back(values.GetText(column.GetKind()));
                }
            }
        }
        return result;
    };
    std::vector<std::vector<std::wstring>> pages(reporttest::kConfiguredPages);
    pages[0] = texts(reporter.BuildBasicInfoTable(), true);
    pages[1] = texts(reporter.BuildParameterTable(), false);
    pages[2] = texts(reporter.BuildHarmTable(false, 0, 13), false);
    pages[3] = texts(reporter.BuildHarmTable(false, 13, 25), false);
    pages[5] = texts(reporter.BuildHarmTable(true, 0, 13), false);
    pages[6] = texts(reporter.BuildHarmTable(true, 13, 25), false);
    pages[16] = texts(reporter.BuildEventSummaryTable(), false);
    pages[17] = texts(reporter.BuildComtradeEventTable(), false);
    pages[18] = texts(reporter.BuildSoeEventTable(), false);
    return pages;
}

class WordReportDocument : public ::testing::TestWithParam<const char*> {};

TEST_P(WordReportDocument, EveryPagePictureIsOnePageOfTheConvertedDocument)
{
    ASSERT_EQ(Shell("command -v soffice > /dev/null 2>&1 && command -v pdfimages > /dev/null 2>&1"), 0)
        << "LibreOffice and poppler-utils are installed by scripts/install-deps.sh";
    const std::string language = GetParam();
    CRtfReportText& wording = CRtfReportText::Instance();
    ASSERT_EQ(wording.LoadFile(testsupport::BuildProgramFolder() / "Language" / language / "RtfReport.xml"), 1);

    reporttest::OpenedReportFolder& folder = reporttest::SharedReportFolder();
    reporttest::ConfigureSections(folder.config);
    testsupport::TempDir work;
    CWordReporter reporter;
    ASSERT_TRUE(folder.Init(reporter));
    reporter.GetCanvas()->SetPageFormat(CReportPageCanvas::PageFormat::Png);
    reporter.KeepPages(true);
    reporter.SetSections(1, 1);
    int page = 0;
    // Every page also as vector drawing into a PDF of its own, for its text.
    const std::string drawings = platform::PathToUtf8(work / "drawings.pdf");
    cairo_surface_t* canvasPdf =
        cairo_pdf_surface_create(drawings.c_str(), CReportPageCanvas::kPageWidth, CReportPageCanvas::kPageHeight);
    reporter.SetPageObserver([&](CReportPageCanvas& canvas) {
        cairo_surface_t* drawing = cairo_get_target(canvas.GetGraphics()->Cairo());
        cairo_surface_flush(drawing);
        cairo_t* cr = cairo_create(canvasPdf);
        cairo_set_source_surface(cr, drawing, 0, 0);
        cairo_paint(cr);
        cairo_show_page(cr);
        cairo_destroy(cr);
        ++page;
    });
    const fs::path rtf = work / "report.rtf";
    ASSERT_EQ(reporter.ReportOutput(platform::FromPath(rtf), 0), 1) << platform::WideToUtf8(reporter.GetReportName());
    cairo_surface_finish(canvasPdf);
    cairo_surface_destroy(canvasPdf);
    const std::vector<std::string>& pages = reporter.GetKeptPages();
    ASSERT_EQ(pages.size(), reporttest::kConfiguredPages);

    // One conversion at a time, in a profile of its own.
    const std::string convert =
        "cd " + Quoted(work.Path()) + " && flock /tmp/ondrava-libreoffice.lock soffice -env:UserInstallation=file://" +
        platform::PathToUtf8(work / "profile") +
        " --headless --convert-to 'pdf:writer_pdf_Export:{\"UseLosslessCompression\":{\"type\":\"boolean\",\"value\":"
        "\"true\"},\"ReduceImageResolution\":{\"type\":\"boolean\",\"value\":\"false\"}}' --outdir out report.rtf"
        " > convert.log 2>&1";
    ASSERT_EQ(Shell(convert), 0) << testsupport::ReadAll(work / "convert.log");
    const fs::path pdf = work / "out" / "report.pdf";
    ASSERT_EQ(Shell("pdfinfo " + Quoted(pdf) + " > " + Quoted(work / "info.txt")), 0);
    const std::string info = testsupport::ReadAll(work / "info.txt");
    const std::size_t pagesAt = info.find("Pages:");
    ASSERT_NE(pagesAt, std::string::npos) << info;
    EXPECT_EQ(std::stoul(info.substr(pagesAt + 6)), pages.size()) << "one page per page picture";

    ASSERT_EQ(Shell("pdfimages -list " + Quoted(pdf) + " > " + Quoted(work / "images.txt")), 0);
    std::istringstream list(testsupport::ReadAll(work / "images.txt"));
    std::string line;
    std::getline(list, line);
    std::getline(list, line);
    std::vector<int> imagePages;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        int onPage = 0, number = 0, width = 0, height = 0;
        std::string type;
        fields >> onPage >> number >> type >> width >> height;
        EXPECT_EQ(type, "image") << line;
        EXPECT_EQ(width, 1240) << line;
        EXPECT_EQ(height, 1754) << line;
        imagePages.push_back(onPage);
    }
    std::vector<int> expectedPages;
    for (std::size_t p = 1; p <= pages.size(); ++p) {
        expectedPages.push_back(static_cast<int>(p));
    }
    EXPECT_EQ(imagePages, expectedPages) << "one image on every page";

    ASSERT_EQ(Shell("pdfimages " + Quoted(pdf) + " " + Quoted(work / "image")), 0);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        char name[32];
        std::snprintf(name, sizeof name, "image-%03zu.ppm", p);
        std::string why;
        EXPECT_TRUE(SamePixels(pages[p], testsupport::ReadAll(work / name), why)) << "page " << p + 1 << ": " << why;
    }

    // Every text of the table pages drawn whole, every character with a glyph.
    const std::vector<std::vector<std::wstring>> expected = TableTexts(reporter);
    ASSERT_EQ(page, static_cast<int>(pages.size()));
    const std::wstring heading = reporter.GetPeriodLabel();
    ASSERT_EQ(Shell("pdftotext -raw -enc UTF-8 " + Quoted(work / "drawings.pdf") + " " + Quoted(work / "drawings.txt")),
              0);
    // One page of text after another, each ended by a form feed.
    const std::wstring text = platform::Utf8ToWide(testsupport::ReadAll(work / "drawings.txt"));
    std::vector<std::wstring> pageTexts;
    for (std::size_t at = 0, end = 0; (end = text.find(L'\f', at)) != std::wstring::npos; at = end + 1) {
        pageTexts.push_back(Squeezed(text.substr(at, end - at)));
    }
    ASSERT_EQ(pageTexts.size(), pages.size());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const std::wstring& drawn = pageTexts[p];
        std::vector<std::wstring> wanted = expected[p];
        if (p != 0) {
            wanted.push_back(heading);
            wanted.push_back(reporter.GetFileName());
        }
        for (const std::wstring& item : wanted) {
            if (item.empty()) {
                continue;
            }
            EXPECT_NE(drawn.find(Squeezed(item)), std::wstring::npos)
                << language << " page " << p + 1 << ": " << platform::WideToUtf8(item);
            EXPECT_EQ(gfx::MissingGlyphCount(item, report::PointFont(L"黑体", 12)), 0) << platform::WideToUtf8(item);
            EXPECT_EQ(gfx::MissingGlyphCount(item, report::PointFont(L"Arial", 12)), 0) << platform::WideToUtf8(item);
        }
    }
    wording.Load();
}

INSTANTIATE_TEST_SUITE_P(Languages, WordReportDocument, ::testing::Values("Chinese", "English"));

}  // namespace
