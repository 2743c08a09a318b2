#include "report/RtfPageOutput.h"

int CDocFormatNoMargt::Apply(RtfDocFormat& format)
{
    format.paperWidth = rtfpage::kPaperWidth;
    format.paperHeight = rtfpage::kPaperHeight;
    format.marginLeft = rtfpage::kMarginSide;
    format.marginRight = rtfpage::kMarginSide;
    format.marginTop = rtfpage::kMarginEnd;
    format.marginBottom = rtfpage::kMarginEnd;
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
    format.pageWidth = rtfpage::kPaperWidth;
    format.pageHeight = rtfpage::kPaperHeight;
    format.marginLeft = rtfpage::kMarginSide;
    format.marginRight = rtfpage::kMarginSide;
    format.marginTop = rtfpage::kMarginEnd;
    format.marginBottom = rtfpage::kMarginEnd;
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

int WritePagePicture(std::string_view png, std::int32_t width, std::int32_t height)
{
    if (png.empty()) {
        return 0;
    }
    return CRtfWriter::GetInstance()->WritePicture(png, width, height);
}
