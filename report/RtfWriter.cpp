#include "report/RtfWriter.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "platform/base/Encoding.h"

std::unique_ptr<CRtfWriter> CRtfWriter::s_Instance;

namespace {

constexpr std::wstring_view kDefaultFonts[] = {
    L"{\\f0\\froman\\fcharset134\\cpg936 Times New Roman}", L"{\\f1\\fswiss\\fcharset134\\cpg936 Arial}",
    L"{\\f2\\fmodern\\fcharset134\\cpg936 Courier New}",    L"{\\f3\\fscript\\fcharset134\\cpg936 Cursive}",
    L"{\\f4\\fdecor\\fcharset134\\cpg936 Old English}",     L"{\\f5\\ftech\\fcharset134\\cpg936 Symbol}",
    L"{\\f6\\fbidi\\fcharset134\\cpg936 Miriam}",
};
constexpr std::wstring_view kDefaultColors =
    L"0;0;0;255;0;0;0;255;0;0;0;255;255;255;0;255;0;255;0;255;255;255;255;255;128;0;0;0;128;0;0;0;128;128;128;0;"
    L"128;0;128;0;128;128;128;128;128";

constexpr const char* kUnderlineWords[] = {
    "\\ulnone",   "\\ul",        "\\uld",        "\\uldash",      "\\uldashd",     "\\uldashdd",
    "\\uldb",     "\\ulhwave",   "\\ulldash",    "\\ulth",        "\\ulthd",       "\\ulthdash",
    "\\ulthdashd", "\\ulthdashdd", "\\ulthldash", "\\ululdbwave", "\\ulw",         "\\ulwave",
};
constexpr const char* kBorderWords[] = {
    "\\brdrs",     "\\brdrth",      "\\brdrsh",     "\\brdrdb",    "\\brdrdot",         "\\brdrdash",
    "\\brdrhair",  "\\brdrinset",   "\\brdrdashsm", "\\brdrdashd", "\\brdrdashdd",      "\\brdroutset",
    "\\brdrtriple", "\\brdrwavy",   "\\brdrwavydb", "\\brdrdashdotstr", "\\brdremboss", "\\brdrengrave",
};
constexpr const char* kPatternNames[] = {
    "bghoriz", "bgvert", "bgfdiag", "bgbdiag", "bgcross", "bgdcross",
    "bgdkhoriz", "bgdkvert", "bgdkfdiag", "bgdkbdiag", "bgdkcross", "bgdkdcross",
};

std::string Number(std::int64_t value)
{
    return std::to_string(value);
}

// The word of `value` in a table starting at 0; nothing outside it.
template <std::size_t N>
std::string_view WordOf(const char* const (&words)[N], std::int64_t value)
{
    return value >= 0 && static_cast<std::uint64_t>(value) < N ? words[value] : std::string_view();
}

std::string_view BreakWord(std::int32_t kind)
{
    switch (kind) {
        case 0: return "\\sbknone";
        case 1: return "\\sbkcol";
        case 2: return "\\sbkpage";
        case 3: return "\\sbkeven";
        case 4: return "\\sbkodd";
        default: return {};
    }
}

// The tokens of a semicolon-separated list; runs of separators count as one.
template <typename Visit>
void ForEachToken(std::wstring_view list, Visit visit)
{
    std::size_t position = 0;
    while (position < list.size()) {
        const std::size_t end = std::min(list.find(L';', position), list.size());
        if (end > position) {
            visit(list.substr(position, end - position));
        }
        position = end + 1;
    }
}

// A font name in the document's code page, as "\'hh" escapes past ASCII; a name the
// code page cannot hold is written as Unicode escapes.
std::string FontName(std::wstring_view name)
{
    const std::optional<std::string> gbk = platform::WideToGbk(name);
    if (!gbk) {
        return CRtfWriter::EscapeText(name);
    }
    std::string text;
    for (const char c : *gbk) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += CRtfWriter::EscapeText(std::wstring(1, static_cast<wchar_t>(byte)));
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", byte);
            text += hex;
        }
    }
    return text;
}

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

constexpr double kTwipsPerHmm = 1440.0 / 2540.0;
// The enlargement the document shows its pictures at.
constexpr int kPictureScale = 120;

// Hundredths of a millimetre in twips (rounded as MulDiv rounds), enlarged by the scale.
std::int64_t GoalTwips(std::int32_t hmm, double scale = 1.0)
{
    return std::llround(static_cast<double>(hmm) * scale * kTwipsPerHmm);
}

}  // namespace

CRtfWriter* CRtfWriter::GetInstance()
{
    if (!s_Instance) {
        s_Instance.reset(new CRtfWriter());
    }
    return s_Instance.get();
}

void CRtfWriter::DestroyInstance()
{
    if (s_Instance) {
        s_Instance->Discard();
        s_Instance.reset();
    }
}

void CRtfWriter::DestroyInstanceFor(const IRtfOutput* output)
{
    if (s_Instance && s_Instance->m_Output == output) {
        DestroyInstance();
    }
}

std::string CRtfWriter::EscapeText(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        switch (c) {
            case L'\\': out += "\\\\"; continue;
            case L'{': out += "\\{"; continue;
            case L'}': out += "\\}"; continue;
            case L'\t': out += "\\tab "; continue;
            case L'\n': out += "\\line "; continue;
            case L'\r':
                // CR LF is one line break.
                if (i + 1 >= text.size() || text[i + 1] != L'\n') {
                    out += "\\line ";
                }
                continue;
            default: break;
        }
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
            continue;
        }
        // "\uN" takes a signed 16-bit number; "?" is what readers without Unicode show.
        for (const char16_t unit : platform::WideToUtf16(std::wstring_view(&text[i], 1))) {
            out += "\\u" + Number(static_cast<std::int16_t>(unit)) + "?";
        }
    }
    return out;
}

std::optional<CRtfWriter::PixelSize> CRtfWriter::ReadPngSize(std::string_view bytes)
{
    static constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
    static constexpr std::string_view kHeader("\0\0\0\x0dIHDR", 8);
    static constexpr std::string_view kEnd("\0\0\0\0IEND\xae\x42\x60\x82", 12);
    if (bytes.size() < kSignature.size() + 25 + kEnd.size() || bytes.substr(0, 8) != kSignature ||
        bytes.substr(8, 8) != kHeader || bytes.substr(bytes.size() - kEnd.size()) != kEnd) {
        return std::nullopt;
    }
    const PixelSize size{BigEndian32(bytes, 16), BigEndian32(bytes, 20)};
    // The format allows 1 to 2^31 - 1 pixels each way.
    if (size.width == 0 || size.height == 0 || size.width > 0x7FFFFFFFu || size.height > 0x7FFFFFFFu) {
        return std::nullopt;
    }
    return size;
}

bool CRtfWriter::IsEnhancedMetafile(std::string_view bytes)
{
    constexpr std::size_t kSmallestHeader = 88;
    constexpr std::size_t kEndRecord = 20;
    constexpr std::uint32_t kHeaderType = 1;
    constexpr std::uint32_t kEndType = 14;
    constexpr std::uint32_t kSignature = 0x464D4520;
    if (bytes.size() < kSmallestHeader + kEndRecord || LittleEndian32(bytes, 0) != kHeaderType ||
        LittleEndian32(bytes, 4) < kSmallestHeader || LittleEndian32(bytes, 40) != kSignature) {
        return false;
    }
    // Whole: the size the header gives, ended by the end-of-file record.
    return LittleEndian32(bytes, 48) == bytes.size() &&
           LittleEndian32(bytes, bytes.size() - kEndRecord) == kEndType &&
           LittleEndian32(bytes, bytes.size() - kEndRecord + 4) == kEndRecord;
}

bool CRtfWriter::Put(std::string_view bytes)
{
    return m_Output != nullptr && m_Output->Write(bytes);
}

void CRtfWriter::ResetDefaults()
{
    m_FontTable.clear();
    for (const std::wstring_view font : kDefaultFonts) {
        m_FontTable += platform::WideToUtf8(font);
    }
    SetColorTable(kDefaultColors);
    m_DocFormat = RtfDocFormat{};
    m_SectionFormat = RtfSectionFormat{};
    m_ParagraphFormat = RtfParagraphFormat{};
}

int CRtfWriter::Open(IRtfOutput* output, std::wstring_view fonts, std::wstring_view colors)
{
    ResetDefaults();
    if (!fonts.empty()) {
        SetFontTable(fonts);
    }
    if (!colors.empty()) {
        SetColorTable(colors);
    }
    m_Output = output;
    if (m_Output == nullptr) {
        return kNoOutput;
    }
    return WriteHeader() ? kOk : kHeaderShort;
}

void CRtfWriter::SetFontTable(std::wstring_view fonts)
{
    m_FontTable.clear();
    int index = 0;
    ForEachToken(fonts, [&](std::wstring_view name) {
        m_FontTable += "{\\f" + Number(index++) + "\\fnil\\fcharset134\\cpg936 " + FontName(name) + "}";
    });
}

void CRtfWriter::SetColorTable(std::wstring_view colors)
{
    static constexpr const char* kWords[] = {"\\red", "\\green", "\\blue"};
    m_ColorTable.clear();
    int position = 0;
    ForEachToken(colors, [&](std::wstring_view number) {
        m_ColorTable += kWords[position] + EscapeText(number);
        if (position == 2) {
            m_ColorTable += ";";
        }
        position = (position + 1) % 3;
    });
}

bool CRtfWriter::WriteHeader()
{
    return Put("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl" + m_FontTable + "}{\\colortbl" + m_ColorTable +
               "}{\\*\\generator Ondrava Report ver. 1.0;}"
               "\n{\\info{\\author TARNEL ver. 1.0}{\\company KORVATH Company LTD.}}");
}

bool CRtfWriter::WriteDocFormat()
{
    const RtfDocFormat& f = m_DocFormat;
    std::string text = "\\viewkind" + Number(f.viewKind) + "\\viewscale" + Number(f.viewScale) + "\\paperw" +
                       Number(f.paperWidth) + "\\paperh" + Number(f.paperHeight) + "\\margl" + Number(f.marginLeft) +
                       "\\margr" + Number(f.marginRight) + "\\margt" + Number(f.marginTop) + "\\margb" +
                       Number(f.marginBottom) + "\\gutter" + Number(f.gutter);
    if (f.facingPages) {
        text += "\\facingp";
    }
    if (f.annotationsProtected) {
        text += "\\annotprot";
    }
    return Put(text);
}

int CRtfWriter::NewSection()
{
    RtfSectionFormat& f = m_SectionFormat;
    f.newSection = true;
    std::string text = "\n";
    if (f.newSection) {
        text += "\\sect";
    }
    if (f.resetSection) {
        text += "\\sectd";
    }
    if (f.pageNumbers) {
        text += "\\pgnx" + Number(f.pageNumberX) + "\\pgny" + Number(f.pageNumberY);
    }
    text += BreakWord(f.breakKind);
    if (f.columns == 1) {
        text += "\\cols" + Number(f.columnCount) + "\\colsx" + Number(f.columnSpacing);
        if (f.lineBetweenColumns) {
            text += "\\linebetcol";
        }
    }
    text += "\\pgwsxn" + Number(f.pageWidth) + "\\pghsxn" + Number(f.pageHeight) + "\\marglsxn" +
            Number(f.marginLeft) + "\\margrsxn" + Number(f.marginRight) + "\\margtsxn" + Number(f.marginTop) +
            "\\margbsxn" + Number(f.marginBottom) + "\\guttersxn" + Number(f.gutter) + "\\headery" +
            Number(f.headerDistance) + "\\footery" + Number(f.footerDistance);
    return Put(text) ? kOk : kSectionShort;
}

bool CRtfWriter::WriteParagraph()
{
    const RtfParagraphFormat& p = m_ParagraphFormat;
    std::string words;
    if (p.endPrevious) {
        words += "\\par";
    }
    if (p.reset) {
        words += "\\pard";
    }
    words += p.inTable ? "\\intbl" : "\\plain";
    switch (p.breakKind) {
        case 1: words += "\\page"; break;
        case 2: words += "\\column"; break;
        case 3: words += "\\line"; break;
        default: break;
    }
    static constexpr const char* kAlignments[] = {"\\ql", "\\qc", "\\qr", "\\qj"};
    words += WordOf(kAlignments, p.alignment);
    if (p.tabStop == 1) {
        static constexpr const char* kTabKinds[] = {"", "\\tqc", "\\tqr", "\\tqdec"};
        static constexpr const char* kLeaders[] = {"", "\\tldot", "\\tlmdot", "\\tlhyph", "\\tlul", "\\tlth", "\\tleq"};
        words += WordOf(kTabKinds, p.tabKind);
        words += WordOf(kLeaders, p.tabLeader);
        words += "\\tx" + Number(p.tabPosition);
    }
    if (p.numbering == 1) {
        const auto mark = static_cast<unsigned char>(p.numberingText);
        char text[8];
        if (mark >= 0x20 && mark < 0x7F && mark != '\\' && mark != '{' && mark != '}') {
            std::snprintf(text, sizeof text, "%c", mark);
        } else {
            std::snprintf(text, sizeof text, "\\'%02x", mark);
        }
        words += "{\\*\\pn\\pnlvl" + Number(p.numberingLevel) + "\\pnsp" + Number(p.numberingIndent) + "\\pntxtb " +
                 text + "}";
    }
    if (p.border == 1) {
        static constexpr const char* kSides[] = {"", "\\brdrt", "\\brdrb", "\\brdrl", "\\brdrr", "\\box"};
        words += WordOf(kSides, p.borderSide);
        words += WordOf(kBorderWords, p.borderStyle);
        words += "\\brdrw" + Number(p.borderWidth) + "\\brsp" + Number(p.borderSpacing) + "\\brdrcf" +
                 Number(p.borderColor);
    }
    if (p.shading == 1) {
        words += "\\shading" + Number(p.shadingPercent);
        if (p.shadingPattern >= 1 && p.shadingPattern <= std::size(kPatternNames)) {
            words += std::string("\\") + kPatternNames[p.shadingPattern - 1];
        }
        words += "\\cfpat" + Number(p.patternForeground) + "\\cbpat" + Number(p.patternBackground);
    }

    const RtfCharFormat& c = p.character;
    std::string chars = "\\animtext" + Number(c.animation) + "\\expndtw" + Number(c.expansion) + "\\kerning" +
                        Number(c.kerning) + "\\charscalex" + Number(c.scaleX) + "\\f" + Number(c.font) + "\\fs" +
                        Number(c.size) + "\\cf" + Number(c.color);
    chars += c.bold ? "\\b" : "\\b0";
    chars += c.capitals ? "\\caps" : "\\caps0";
    chars += c.doubleStrike ? "\\striked1" : "\\striked0";
    if (c.embossed) {
        chars += "\\embo";
    }
    if (c.engraved) {
        chars += "\\impr";
    }
    chars += c.italic ? "\\i" : "\\i0";
    chars += c.outline ? "\\outl" : "\\outl0";
    chars += c.shadow ? "\\shad" : "\\shad0";
    chars += c.smallCapitals ? "\\scaps" : "\\scaps0";
    chars += c.strike ? "\\strike" : "\\strike0";
    if (c.subscript) {
        chars += "\\sub";
    }
    if (c.superscript) {
        chars += "\\super";
    }
    chars += WordOf(kUnderlineWords, c.underline);

    const std::string text = EscapeText(p.text);
    if (p.tabOnly) {
        return Put("\\tab" + chars + " " + text);
    }
    return Put("\n" + words + "\\fi" + Number(p.firstIndent) + "\\li" + Number(p.leftIndent) + "\\ri" +
               Number(p.rightIndent) + "\\sb" + Number(p.spaceBefore) + "\\sa" + Number(p.spaceAfter) + "\\sl" +
               Number(p.lineSpacing) + chars + " " + text);
}

int CRtfWriter::WritePicture(std::string_view picture, std::int32_t widthHmm, std::int32_t heightHmm)
{
    std::string opening;
    if (const std::optional<PixelSize> size = ReadPngSize(picture)) {
        opening = "\\pngblip\\picw" + Number(size->width) + "\\pich" + Number(size->height) + "\\picwgoal" +
                  Number(GoalTwips(widthHmm, kPictureScale / 100.0)) + "\\pichgoal" +
                  Number(GoalTwips(heightHmm, kPictureScale / 100.0));
    } else if (IsEnhancedMetafile(picture)) {
        // A metafile keeps its size and is enlarged by the reader, as the scaling words say.
        opening = "\\emfblip\\picw" + Number(widthHmm) + "\\pich" + Number(heightHmm) + "\\picwgoal" +
                  Number(GoalTwips(widthHmm)) + "\\pichgoal" + Number(GoalTwips(heightHmm)) + "\\picscalex" +
                  Number(kPictureScale) + "\\picscaley" + Number(kPictureScale);
    } else {
        Put("\n\\par\\pard *** Error! Wrong image data ***\\par");
        return kBadPicture;
    }
    m_ParagraphFormat.text.clear();
    WriteParagraph();
    bool whole = Put("\n{\\pict" + opening + "\n");
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (std::size_t at = 0; whole && at < picture.size(); at += kHexChunk) {
        const std::string_view chunk = picture.substr(at, kHexChunk);
        hex.resize(chunk.size() * 2);
        for (std::size_t i = 0; i < chunk.size(); ++i) {
            const auto byte = static_cast<unsigned char>(chunk[i]);
            hex[2 * i] = kDigits[byte >> 4];
            hex[2 * i + 1] = kDigits[byte & 0x0F];
        }
        whole = Put(hex);
    }
    whole = whole && Put("}");
    return whole ? kOk : kBadPicture;
}

int CRtfWriter::Close()
{
    if (m_Output == nullptr) {
        return kNoOutput;
    }
    const bool trailer = Put("\n\\par}");
    const bool closed = m_Output->Close();
    m_Output = nullptr;
    return trailer && closed ? kOk : kCloseFailed;
}

bool CRtfWriter::Discard()
{
    if (m_Output == nullptr) {
        return false;
    }
    const bool closed = m_Output->Close();
    m_Output = nullptr;
    return closed;
}
