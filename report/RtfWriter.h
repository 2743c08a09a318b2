#pragma once
// CRtfWriter: writes a Rich Text Format document piece by piece into an output: the
// header with its font and colour tables, the document format, section breaks,
// formatted paragraphs, pictures and the closing trailer. It holds the current
// document, section, paragraph and character formats (RtfFormat.h); every write uses
// what they hold at that moment.
//
// The report writes a document made of nothing but full-page pictures, one per
// section, each preceded by one empty formatted paragraph. The document declares
// code page 936 and every font character set 134 (GB2312); paragraph text is
// escaped, so any text reaches the document as text. Pictures are embedded as
// enhanced metafiles ("\emfblip": "\picw"/"\pich" the size given in hundredths
// of a millimetre, "\picwgoal"/"\pichgoal" the same in twips, and "\picscalex"/
// "\picscaley" the enlargement to 120 %) or as PNG ("\pngblip": "\picw"/"\pich"
// the pixels, "\picwgoal"/"\pichgoal" the size shown, already enlarged). The
// picture data go out as hexadecimal text in chunks, never as one copy of the
// whole picture.
//
// One process-wide writer serves one report at a time, on the thread that runs it:
// Open (header), WriteDocFormat, for each page an optional NewSection and one
// WritePicture, Close, DestroyInstance.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "report/RtfFormat.h"

// Where the document goes: the report's temporary file, or a buffer in a test.
class IRtfOutput {
public:
    virtual ~IRtfOutput() = default;
    // Writes all the bytes; false when they could not all be written.
    virtual bool Write(std::string_view bytes) = 0;
    // Ends the output; false when what was written may not all be kept.
    virtual bool Close() = 0;
};

class CRtfWriter {
public:
    // Status values.
    static constexpr int kOk = 4096;
    static constexpr int kNoOutput = 1;     // opened without an output
    static constexpr int kCloseFailed = 2;  // the output could not be closed
    static constexpr int kHeaderShort = 3;  // the header was not written whole
    static constexpr int kSectionShort = 5; // a section was not written whole
    static constexpr int kBadPicture = 7;   // neither metafile nor PNG, or its group not written whole

    // Bytes of picture data turned into hexadecimal text per write.
    static constexpr std::size_t kHexChunk = 32 * 1024;

    static CRtfWriter* GetInstance();
    // Discards what is open and forgets the writer.
    static void DestroyInstance();
    // The same, only when the writer writes to `output` (whose owner is going away).
    static void DestroyInstanceFor(const IRtfOutput* output);

    // Resets the tables and formats to the defaults, takes the font list and the
    // colour list (semicolon-separated; empty keeps the defaults) and writes the
    // header to the output. kNoOutput, with nothing written, without an output.
    int Open(IRtfOutput* output, std::wstring_view fonts, std::wstring_view colors);
    void ResetDefaults();
    // Font names: each its own entry, numbered from 0 ("\fnil"); runs of semicolons
    // count as one separator.
    void SetFontTable(std::wstring_view fonts);
    // Numbers three at a time: red, green, blue; a last incomplete triple is written
    // as far as it goes, without its closing semicolon.
    void SetColorTable(std::wstring_view colors);
    bool WriteHeader();

    RtfDocFormat& GetDocFormat() { return m_DocFormat; }
    void SetDocFormat(const RtfDocFormat& format) { m_DocFormat = format; }
    bool WriteDocFormat();

    RtfSectionFormat& GetSectionFormat() { return m_SectionFormat; }
    // Sets the new-section flag and writes the section format; kOk or kSectionShort.
    int NewSection();

    RtfParagraphFormat& GetParagraphFormat() { return m_ParagraphFormat; }
    bool WriteParagraph();

    // One picture paragraph: an empty paragraph, then the picture group, shown at
    // `widthHmm` x `heightHmm` hundredths of a millimetre enlarged to 120 %. Bytes
    // that are neither a whole enhanced metafile nor a whole PNG picture write
    // "*** Error! Wrong image data ***" as a paragraph of its own and give
    // kBadPicture; so does a picture group that could not be written whole. kOk
    // otherwise.
    int WritePicture(std::string_view picture, std::int32_t widthHmm, std::int32_t heightHmm);

    // Writes the trailer and closes the output; kOk, or kCloseFailed when the output
    // could not keep the document (kNoOutput when none was open).
    int Close();
    // Closes the output without writing anything; false when none was open or closing failed.
    bool Discard();
    bool IsOpen() const { return m_Output != nullptr; }

    // Text as RTF: "\", "{" and "}" escaped, tabs and line breaks as their control
    // words, every other character outside printable ASCII as "\uN?" (UTF-16 units).
    static std::string EscapeText(std::wstring_view text);

    // Pixel width and height of whole PNG bytes (signature, header chunk first, end
    // chunk last); none for anything else.
    struct PixelSize {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
    };
    static std::optional<PixelSize> ReadPngSize(std::string_view bytes);
    // Whether the bytes are a whole enhanced metafile: its header first, as many
    // bytes as the header says, the end-of-file record last.
    static bool IsEnhancedMetafile(std::string_view bytes);

private:
    CRtfWriter() = default;
    bool Put(std::string_view bytes);

    static std::unique_ptr<CRtfWriter> s_Instance;

    IRtfOutput* m_Output = nullptr;
    std::string m_FontTable;
    std::string m_ColorTable;
    RtfDocFormat m_DocFormat;
    RtfSectionFormat m_SectionFormat;
    RtfParagraphFormat m_ParagraphFormat;
};
