// The ITIC picture of ImageReporter: the transient events of the COMTRADE records
// within the report's span, placed by duration and magnitude over the tolerance curve.

#include <string>
#include <vector>

#include "core/OndravaLog.h"
#include "report/ComtradeEvents.h"
#include "report/ITICImpl.h"
#include "report/ImageReporter.h"
#include "report/RtfReportText.h"
#include "report/SaveImageByExtension.h"

std::vector<CIticEvent> ImageReporter::CollectIticEvents()
{
    CComtradeEvents events;
    CollectComtradeEvents(*this, events);
    return std::move(events.points);
}

int ImageReporter::BuildIticPicture(const std::wstring& path)
{
    const CRtfReportText& texts = CRtfReportText::Instance();
    CITICImpl chart(texts.Text(RtfSection::ComtradeEvent, "ITIC_X"), texts.Text(RtfSection::ComtradeEvent, "ITIC_Y"),
                    texts.Text(RtfSection::ComtradeEvent, "ITIC_EventNum"),
                    texts.Text(RtfSection::ComtradeEvent, "ITIC_Over"));
    chart.AddEvents(CollectIticEvents());
    if (chart.GetLeftOutCount() != 0) {
        COndravaLog::GetInstance()->Write(L"ITIC chart: " + std::to_wstring(chart.GetLeftOutCount()) +
                                          L" events without a usable duration or magnitude left out");
    }
    chart.SetShowLabels(1);
    chart.GetDecade(chart.GetLongestDuration());
    gfx::Bitmap bitmap(kIticWidth, kIticHeight);
    {
        gfx::Context dc(bitmap);
        chart.Draw(dc, kIticWidth, kIticHeight);
    }
    if (!SaveImageByExtension(bitmap, kIticWidth, kIticHeight, L"png", nullptr, path)) {
        NoteWriteFailure(path);
        return 0;
    }
    m_Written.push_back(path);
    return 1;
}
