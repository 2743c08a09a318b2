#pragma once
// CEventView: what the transient-event and alarm-event views share: a child dialog
// from the language pack's template that is an observer view, which Enter and
// Escape never close and which the pane showing it destroys through Release.

#include "core/ZVResourceManager.h"
#include "platform/ui/Dialog.h"
#include "views/ObserverView.h"

class CEventView : public ui::Dialog, public IObserverView {
public:
    explicit CEventView(unsigned templateId)
        : ui::Dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(templateId))
    {
    }

    void OnOK() override {}
    void OnCancel() override {}
    // The pane that shows the view owns the object; its window goes now.
    void Release() override { DestroyWindow(); }
};
