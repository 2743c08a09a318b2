#include "report/RtfPageOutput.h"

namespace {

// A4 with the narrow margins, in a document or a section record alike.
template <typename Format>
void SetPage(Format& format, std::int32_t& width, std::int32_t& height)
{
    width = rtfpage::kPaperWidth;
    height = rtfpage::kPaperHeight;
    format.marginLeft = rtfpage::kMarginSide;
    format.marginRight = rtfpage::kMarginSide;
    format.marginTop = rtfpage::kMarginEnd;
    format.marginBottom = rtfpage::kMarginEnd;
}

}  // namespace

int CDocFormatNoMargt::Apply(RtfDocFormat& format)
{
    SetPage(format, format.paperWidth, format.paperHeight);
    CRtfWriter* writer = CRtfWriter::GetInstance();
    writer->SetDocFormat(format);
    writer->WriteDocFormat();
    return 1;
}

int CSecFormatNoMargin::Apply(RtfSectionFormat&)
{
    CRtfWriter* writer = CRtfWriter::GetInstance();
    RtfSectionFormat& format = writer->GetSectionFormat();
    format.breakKind = 2;
    SetPage(format, format.pageWidth, format.pageHeight);
    writer->NewSection();
    return 1;
}

int ApplyDocFormat(std::unique_ptr<IDocFormatFactory> format)
{
    if (format) {
        format->Apply(CRtfWriter::GetInstance()->GetDocFormat());
    }
    return 1;
}

int ApplySectionFormat(std::unique_ptr<ISecFormatFactory> format)
{
    if (format) {
        format->Apply(CRtfWriter::GetInstance()->GetSectionFormat());
    }
    return 1;
}

int WritePagePicture(std::string_view picture, std::int32_t width, std::int32_t height)
{
    if (picture.empty()) {
        return 0;
    }
    return CRtfWriter::GetInstance()->WritePicture(picture, width, height);
}
