#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Context.h"
#include "platform/gfx/EmfWriter.h"
#include "platform/gfx/Recording.h"
#include "report/RtfPageOutput.h"
#include "report/RtfTempFile.h"
#include "report/RtfWriter.h"

namespace {

// Collects every write; fails the writes after `failAfter` of them, or the close.
class BufferOutput : public IRtfOutput {
public:
    bool Write(std::string_view bytes) override
    {
        if (writes.size() >= failAfter) {
            return false;
        }
        writes.emplace_back(bytes);
        text += bytes;
        return true;
    }
    bool Close() override
    {
        ++closes;
        return closeResult;
    }

    std::string text;
    std::vector<std::string> writes;
    std::size_t failAfter = SIZE_MAX;
    bool closeResult = true;
    int closes = 0;
};

// The writer is process-wide: every test starts and ends without one.
class RtfWriterTest : public ::testing::Test {
protected:
    void SetUp() override { CRtfWriter::DestroyInstance(); }
    void TearDown() override { CRtfWriter::DestroyInstance(); }

    CRtfWriter& Writer() { return *CRtfWriter::GetInstance(); }
    // Opens on a fresh buffer with the report's lists and forgets the header.
    BufferOutput& OpenReportDocument()
    {
        EXPECT_EQ(Writer().Open(&out, CRtfTempFile::kFonts, CRtfTempFile::kColors), CRtfWriter::kOk);
        out.text.clear();
        out.writes.clear();
        return out;
    }

    BufferOutput out;
};

const std::string kHeaderTail =
    "}{\\*\\generator Ondrava Report ver. 1.0;}\n{\\info{\\author TARNEL ver. 1.0}{\\company KORVATH Company LTD.}}";

// A picture of 3 x 2 pixels as far as its header goes, with the bytes 00 ab 0f
// between its header and end chunks.
const std::string kSignatureHex = "89504e470d0a1a0a";
const std::string kHeaderHex = "0000000d49484452000000030000000208020000001216f11b";
const std::string kEndHex = "0000000049454e44ae426082";

std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

std::string ToHex(const std::string& bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        hex += kDigits[static_cast<unsigned char>(c) >> 4];
        hex += kDigits[static_cast<unsigned char>(c) & 0x0F];
    }
    return hex;
}

// A small metafile: one filled square.
std::string SmallMetafile()
{
    gfx::Recording picture(20, 20);
    picture.NewContext()->FillRect(gfx::Rect{5, 5, 15, 15}, gfx::Color{0, 0, 255});
    return gfx::EmfWriter(150).Write(picture);
}

TEST_F(RtfWriterTest, HeaderWithTheReportsFontsAndColours)
{
    ASSERT_EQ(Writer().Open(&out, CRtfTempFile::kFonts, CRtfTempFile::kColors), CRtfWriter::kOk);
    EXPECT_EQ(out.text,
              "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134\\cpg936 Times New Roman}"
              "{\\f1\\fnil\\fcharset134\\cpg936 Arial}{\\f2\\fnil\\fcharset134\\cpg936 \\'cb\\'ce\\'cc\\'e5}}"
              "{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red192\\green192\\blue192;"
              "\\red255\\green255\\blue255;" +
                  kHeaderTail);
    EXPECT_EQ(out.writes.size(), 1u);
}

TEST_F(RtfWriterTest, FontAndColourLists)
{
    struct Case {
        const char* name;
        std::wstring fonts;
        std::wstring colors;
        std::string fontTable;
        std::string colorTable;
    };
    const std::string defaultFonts =
        "{\\f0\\froman\\fcharset134\\cpg936 Times New Roman}{\\f1\\fswiss\\fcharset134\\cpg936 Arial}"
        "{\\f2\\fmodern\\fcharset134\\cpg936 Courier New}{\\f3\\fscript\\fcharset134\\cpg936 Cursive}"
        "{\\f4\\fdecor\\fcharset134\\cpg936 Old English}{\\f5\\ftech\\fcharset134\\cpg936 Symbol}"
        "{\\f6\\fbidi\\fcharset134\\cpg936 Miriam}";
    const std::string defaultColors =
        "\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green255\\blue0;\\red0\\green0\\blue255;"
        "\\red255\\green255\\blue0;\\red255\\green0\\blue255;\\red0\\green255\\blue255;\\red255\\green255\\blue255;"
        "\\red128\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue128;\\red128\\green128\\blue0;"
        "\\red128\\green0\\blue128;\\red0\\green128\\blue128;\\red128\\green128\\blue128;";
    const Case cases[] = {
        {"empty lists keep the defaults", L"", L"", defaultFonts, defaultColors},
        {"two semicolons are one separator", L"A;;B", L"1;2;3",
         "{\\f0\\fnil\\fcharset134\\cpg936 A}{\\f1\\fnil\\fcharset134\\cpg936 B}", "\\red1\\green2\\blue3;"},
        {"a trailing semicolon adds nothing", L"A;B;", L"1;2;3;",
         "{\\f0\\fnil\\fcharset134\\cpg936 A}{\\f1\\fnil\\fcharset134\\cpg936 B}", "\\red1\\green2\\blue3;"},
        {"an incomplete triple has no semicolon", L"A", L"1;2", "{\\f0\\fnil\\fcharset134\\cpg936 A}",
         "\\red1\\green2"},
        // A name the document's code page cannot hold still reaches the document.
        {"font names outside the code page", L"Ünïcødé {x}", L"9;9;9",
         "{\\f0\\fnil\\fcharset134\\cpg936 \\u220?n\\u239?c\\u248?d\\u233? \\{x\\}}", "\\red9\\green9\\blue9;"},
    };
    for (const Case& c : cases) {
        out.text.clear();
        ASSERT_EQ(Writer().Open(&out, c.fonts, c.colors), CRtfWriter::kOk) << c.name;
        EXPECT_EQ(out.text, "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl" + c.fontTable + "}{\\colortbl" + c.colorTable +
                                kHeaderTail)
            << c.name;
    }
}

TEST_F(RtfWriterTest, OpeningWithoutOutputWritesNothingAndResets)
{
    Writer().GetDocFormat().paperWidth = 1;
    Writer().GetParagraphFormat().character.bold = true;
    EXPECT_EQ(Writer().Open(nullptr, L"A", L"1;2;3"), CRtfWriter::kNoOutput);
    EXPECT_EQ(Writer().GetDocFormat().paperWidth, 12240);
    EXPECT_FALSE(Writer().GetParagraphFormat().character.bold);
    EXPECT_FALSE(Writer().WriteParagraph());
    EXPECT_EQ(Writer().Close(), CRtfWriter::kNoOutput);
}

TEST_F(RtfWriterTest, DocumentSectionAndParagraphWords)
{
    OpenReportDocument();
    ApplyDocFormat(std::make_unique<CDocFormatNoMargt>());
    EXPECT_EQ(out.text, "\\viewkind1\\viewscale100\\paperw11905\\paperh16781\\margl500\\margr500\\margt707\\margb707"
                        "\\gutter0");
    out.text.clear();
    ApplySectionFormat(std::make_unique<CSecFormatNoMargin>());
    EXPECT_EQ(out.text, "\n\\sect\\sectd\\sbkpage\\pgwsxn11905\\pghsxn16781\\marglsxn500\\margrsxn500\\margtsxn707"
                        "\\margbsxn707\\guttersxn0\\headery720\\footery720");
    out.text.clear();
    ASSERT_TRUE(Writer().WriteParagraph());
    EXPECT_EQ(out.text, "\n\\pard\\plain\\ql\\fi0\\li0\\ri0\\sb0\\sa0\\sl0\\animtext0\\expndtw0\\kerning0"
                        "\\charscalex100\\f2\\fs18\\cf0\\b0\\caps0\\striked0\\i0\\outl0\\shad0\\scaps0\\strike0"
                        "\\ulnone ");

    // Every optional group, once.
    out.text.clear();
    RtfParagraphFormat& p = Writer().GetParagraphFormat();
    p.endPrevious = true;
    p.inTable = true;
    p.breakKind = 1;
    p.alignment = 1;
    p.tabStop = 1;
    p.tabKind = 2;
    p.tabLeader = 1;
    p.tabPosition = 100;
    p.numbering = 1;
    p.border = 1;
    p.borderSide = 5;
    p.borderStyle = 17;
    p.shading = 1;
    p.shadingPercent = 2500;
    p.shadingPattern = 12;
    p.character.bold = true;
    p.character.subscript = true;
    p.character.underline = 17;
    p.text = L"x";
    ASSERT_TRUE(Writer().WriteParagraph());
    EXPECT_EQ(out.text, "\n\\par\\pard\\intbl\\page\\qc\\tqr\\tldot\\tx100{\\*\\pn\\pnlvl11\\pnsp360\\pntxtb \\'95}"
                        "\\box\\brdrengrave\\brdrw0\\brsp0\\brdrcf0\\shading2500\\bgdkdcross\\cfpat0\\cbpat0"
                        "\\fi0\\li0\\ri0\\sb0\\sa0\\sl0\\animtext0\\expndtw0\\kerning0\\charscalex100\\f2\\fs18\\cf0"
                        "\\b\\caps0\\striked0\\i0\\outl0\\shad0\\scaps0\\strike0\\sub\\ulwave x");
}

TEST_F(RtfWriterTest, ParagraphTextReachesTheDocumentEscaped)
{
    struct Case {
        std::wstring text;
        std::string written;
    };
    const Case cases[] = {
        {L"C:\\data\\{a}", "C:\\\\data\\\\\\{a\\}"},
        {L"电压", "\\u30005?\\u21387?"},
        {L"€ 😀", "\\u8364? \\u-10179?\\u-8704?"},
        {L"a\tb\r\nc\nd\re", "a\\tab b\\line c\\line d\\line e"},
        {L"\x01\x7f", "\\u1?\\u127?"},
        {std::wstring(3000, L'x'), std::string(3000, 'x')},
    };
    for (const Case& c : cases) {
        OpenReportDocument();
        Writer().GetParagraphFormat().text = c.text;
        ASSERT_TRUE(Writer().WriteParagraph());
        const std::string written = out.text.substr(out.text.rfind("\\ulnone ") + 8);
        EXPECT_EQ(written, c.written) << out.text.substr(0, 200);
    }
}

TEST_F(RtfWriterTest, PictureGroupAndHexadecimalData)
{
    OpenReportDocument();
    const std::string png = FromHex(kSignatureHex + kHeaderHex + "00ab0f" + kEndHex);
    ASSERT_EQ(WritePagePicture(png), CRtfWriter::kOk);
    const std::string paragraph = out.writes.at(0);
    EXPECT_EQ(out.text.substr(paragraph.size()), "\n{\\pict\\pngblip\\picw3\\pich2\\picwgoal10885\\pichgoal15358\n" +
                                                     kSignatureHex + kHeaderHex + "00ab0f" + kEndHex + "}");
    EXPECT_EQ(paragraph.substr(0, 7), "\n\\pard\\");
}

TEST_F(RtfWriterTest, MetafilePicturesKeepTheirSizeAndAreEnlargedByTheScalingWords)
{
    OpenReportDocument();
    const std::string emf = SmallMetafile();
    ASSERT_EQ(WritePagePicture(emf), CRtfWriter::kOk);
    const std::string paragraph = out.writes.at(0);
    EXPECT_EQ(paragraph.substr(0, 7), "\n\\pard\\");
    // 16000 x 22575 hundredths of a millimetre are 9071 x 12798 twips, shown at 120 %.
    EXPECT_EQ(out.text.substr(paragraph.size()),
              "\n{\\pict\\emfblip\\picw16000\\pich22575\\picwgoal9071\\pichgoal12798\\picscalex120\\picscaley120\n" +
                  ToHex(emf) + "}");
}

TEST_F(RtfWriterTest, LargePicturesAreWrittenInChunks)
{
    OpenReportDocument();
    std::string png = FromHex(kSignatureHex + kHeaderHex);
    for (std::size_t i = 0; png.size() < 3 * CRtfWriter::kHexChunk; ++i) {
        png += static_cast<char>(i * 7);
    }
    png += FromHex(kEndHex);
    ASSERT_EQ(WritePagePicture(png), CRtfWriter::kOk);
    std::string hex;
    for (std::size_t i = 2; i + 1 < out.writes.size(); ++i) {
        EXPECT_LE(out.writes[i].size(), 2 * CRtfWriter::kHexChunk);
        hex += out.writes[i];
    }
    EXPECT_EQ(out.writes.size(), 2 + 4 + 1u);  // paragraph, opening, four chunks, brace
    EXPECT_EQ(FromHex(hex), png);
}

TEST_F(RtfWriterTest, BadPicturesWriteTheErrorParagraph)
{
    const std::string whole = FromHex(kSignatureHex + kHeaderHex + kEndHex);
    const std::string emf = SmallMetafile();
    std::string wrongSize = emf;
    wrongSize[48] = static_cast<char>(wrongSize[48] + 4);
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"a metafile cut short", emf.substr(0, emf.size() - 4)},
        {"a metafile without its end record", emf.substr(0, emf.size() - 20)},
        {"a metafile whose header gives another size", wrongSize},
        {"a metafile header alone", emf.substr(0, 108)},
        {"not a picture", "GIF89a not a png at all, but long enough to be one........"},
        {"cut short", whole.substr(0, whole.size() - 1)},
        {"no width", FromHex(kSignatureHex + "0000000d49484452000000000000000208020000001216f11b" + kEndHex)},
        {"another first chunk", FromHex(kSignatureHex + "0000000d49444154000000030000000208020000001216f11b" + kEndHex)},
    };
    for (const Case& c : cases) {
        OpenReportDocument();
        EXPECT_EQ(WritePagePicture(c.bytes), CRtfWriter::kBadPicture) << c.name;
        EXPECT_EQ(out.text, "\n\\par\\pard *** Error! Wrong image data ***\\par") << c.name;
    }
    OpenReportDocument();
    EXPECT_EQ(WritePagePicture(""), 0);
    EXPECT_EQ(out.text, "");
}

TEST_F(RtfWriterTest, WritesThatFallShortAreReported)
{
    const std::string png = FromHex(kSignatureHex + kHeaderHex + kEndHex);
    OpenReportDocument().failAfter = 1;  // the paragraph goes, the picture group does not
    EXPECT_EQ(WritePagePicture(png), CRtfWriter::kBadPicture);
    EXPECT_EQ(Writer().NewSection(), CRtfWriter::kSectionShort);
    EXPECT_EQ(Writer().Close(), CRtfWriter::kCloseFailed);
    EXPECT_EQ(out.closes, 1);

    BufferOutput header;
    header.failAfter = 0;
    EXPECT_EQ(Writer().Open(&header, L"", L""), CRtfWriter::kHeaderShort);

    BufferOutput closing;
    closing.closeResult = false;
    ASSERT_EQ(Writer().Open(&closing, L"", L""), CRtfWriter::kOk);
    EXPECT_EQ(Writer().Close(), CRtfWriter::kCloseFailed);
}

TEST_F(RtfWriterTest, ClosingRightAfterOpeningEndsTheHeader)
{
    ASSERT_EQ(Writer().Open(&out, L"", L""), CRtfWriter::kOk);
    const std::string header = out.text;
    EXPECT_EQ(Writer().Close(), CRtfWriter::kOk);
    EXPECT_EQ(out.text, header + "\n\\par}");
    EXPECT_FALSE(Writer().IsOpen());
}

}  // namespace
