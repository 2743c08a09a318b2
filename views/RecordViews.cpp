#include "views/RecordViews.h"

#include "platform/ui/PaneViewRegistry.h"
#include "views/RecordFrameProfile.h"
#include "views/RecordFrameWnd.h"
#include "views/RecordHarmTrendFrm.h"

void RegisterRecordViews()
{
    for (const RecordFrameProfile* profile : RecordFrameProfiles()) {
        ui::RegisterPaneView(profile->viewId, [profile](ui::Window& host) {
            return CRecordFrameWnd::CreateObject(*profile, host);
        });
    }
    ui::RegisterPaneView(HarmTrendProfile().viewId, CRecordHarmTrendFrm::CreateObject);
}
