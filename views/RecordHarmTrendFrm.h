#pragma once
// CRecordHarmTrendFrm: the window of the harmonic trend frame in its docking pane
// (CRecordFrameWndBase) with its CHarmTrendFrame: the viewer, one row per chosen
// phase, with a wider row-name pane and no legend, and the harmonic trend panel
// (CHarmTrendNewDlg). Alt+F4 inside the frame closes nothing.

#include <memory>

#include "views/HarmTrendFrame.h"
#include "views/RecordFrameWndBase.h"

class CHarmTrendNewDlg;

class CRecordHarmTrendFrm : public CRecordFrameWndBase {
public:
    // Width of the row-name pane.
    static constexpr int kTreeWidth = 138;

    CRecordHarmTrendFrm();

    // The pane factory: the frame as a child of the host, or null when its window
    // could not be made.
    static std::unique_ptr<ui::Window> CreateObject(ui::Window& host);

    CHarmTrendFrame& Frame() const { return static_cast<CHarmTrendFrame&>(FrameBase()); }
    CHarmTrendNewDlg* Panel() const;

private:
    IRowItem* PrepareViewer(ITracelume& viewer) override;
    std::unique_ptr<ui::Dialog> MakePanelDialog(const DialogTemplateInfo* info) override;
};
