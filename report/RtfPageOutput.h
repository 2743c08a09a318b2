#pragma once
// The page geometry of the RTF report and the writing of its pages: the document
// and every section get an A4 page (11905 x 16781 twips) with narrow margins (500
// left and right, 707 top and bottom); every page is one picture, shown 16000 x
// 22575 hundredths of a millimetre (enlarged to 120 % by the writer, so it fills
// the space inside the margins). The first page follows the document format; every
// later one opens a section of its own.

#include <cstdint>
#include <memory>
#include <string_view>

#include "report/RtfWriter.h"

namespace rtfpage {
inline constexpr std::int32_t kPaperWidth = 11905;
inline constexpr std::int32_t kPaperHeight = 16781;
inline constexpr std::int32_t kMarginSide = 500;
inline constexpr std::int32_t kMarginEnd = 707;
inline constexpr std::int32_t kPictureWidth = 16000;   // hundredths of a millimetre
inline constexpr std::int32_t kPictureHeight = 22575;
}  // namespace rtfpage

class IDocFormatFactory {
public:
    virtual ~IDocFormatFactory() = default;
    virtual int Apply(RtfDocFormat& format) = 0;
};

// Sets A4 and the narrow margins in the record (the other fields keep their
// values), hands it to the writer and writes it; 1.
class CDocFormatNoMargt : public IDocFormatFactory {
public:
    int Apply(RtfDocFormat& format) override;
};

class ISecFormatFactory {
public:
    virtual ~ISecFormatFactory() = default;
    virtual int Apply(RtfSectionFormat& format) = 0;
};

// Starts a new section on a new page with A4 and the narrow margins; 1.
class CSecFormatNoMargin : public ISecFormatFactory {
public:
    int Apply(RtfSectionFormat& format) override;
};

// Apply the format with the writer's own record; nothing for none. 1.
int ApplyDocFormat(std::unique_ptr<IDocFormatFactory> format);
int ApplySectionFormat(std::unique_ptr<ISecFormatFactory> format);

// One page picture (metafile or PNG bytes) at the page size: the writer's status
// (CRtfWriter::kOk when written), or 0 without bytes, when nothing is written.
int WritePagePicture(std::string_view picture, std::int32_t width = rtfpage::kPictureWidth,
                     std::int32_t height = rtfpage::kPictureHeight);
