#pragma once
// CWaveStatisticView: what every statistic view of the waveform-record window has in
// common. A view shows the result series of one quantity of the analysed record in
// an embedded viewer (through its CWaveViewHost), with a quantity list pane at its
// right edge where the view has one. The base owns the host, the row, the result
// record of the quantity and the list pane, lays them out, answers the list's
// questions and writes the view's table; the views decide what they show.
//
// Messages the base handles (wParam, lParam):
//   kMsgSize           : layout; the first size after a display posts kMsgFitAll
//   kMsgFitAll  0x590  : refresh and zoom to fit
//   kMsgCurrentItem    (std::uint32_t* out): the item on display; 0
//   kMsgToggleList     : collapses or expands the list pane; 0
// and hands these to the view's virtual handlers:
//   kMsgApply   0x5F5  (item, kind bits): OnApply
//   kMsgPaneCommand 0x5F7 (const WavePaneCommand*): OnPaneCommand
//   kMsgRefresh 0x724  : the colour scheme changed: OnColoursChanged
//   kMsgExport  0x726  (const std::wstring* folder): OnExport; 1 when written
// Requests to the owner (the statistic area): kMsgRetitle (posted: pane id, text
// id), kMsgPhases (sent: std::int32_t* checked channels), kMsgRange (sent: two
// std::int64_t*, the selected samples first, end).

#include <cstdint>
#include <memory>
#include <string>

#include "waverecord/WaveStatisticItems.h"
#include "waverecord/WaveTableExport.h"
#include "waverecord/ui/WavePaneView.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"

class CCurrentViewList;
class CWaveResultStore;
class CWaveViewHost;
class IRowItem;

class CWaveStatisticView : public CWavePaneView {
public:
    static constexpr unsigned kMsgFitAll = 0x590;
    static constexpr unsigned kMsgApply = 0x5F5;
    static constexpr unsigned kMsgPaneCommand = CWaveStatisticMainFrame::kMsgViewEvent;
    static constexpr unsigned kMsgRetitle = CWaveStatisticMainFrame::kMsgRetitle;
    static constexpr unsigned kMsgCurrentItem = 0x5FA;
    static constexpr unsigned kMsgToggleList = 0x5FB;
    static constexpr unsigned kMsgViewerCommand = 0x5FC;
    static constexpr unsigned kMsgPhases = CWaveStatisticMainFrame::kMsgOwnerRequest;
    static constexpr unsigned kMsgRefresh = CWaveStatisticMainFrame::kMsgRefresh;
    static constexpr unsigned kMsgRange = CWaveStatisticMainFrame::kMsgSelectionRequest;
    static constexpr unsigned kMsgExport = CWaveStatisticMainFrame::kMsgExport;
    static constexpr int kListWidth = 220;
    static constexpr int kCollapsedListWidth = 5;

    // Pane command codes.
    static constexpr int kChannelOn = 0, kChannelOff = 1, kRangeSelected = 2, kReanalysed = 4, kSettingsOpened = 5;

    // listKind: the kind of the quantity list (controls::kViewKind*), or -1 for a
    // view without one.
    CWaveStatisticView(int listKind, std::uint32_t firstItem);
    ~CWaveStatisticView() override;

    // Makes the list pane and has the view show its first item (OnCreateView).
    void OnViewCreated() override;
    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

    CWaveViewHost* GetHost() const { return m_host.get(); }
    IRowItem* GetRow() const { return m_row; }
    CWaveResultStore* GetStore() const { return m_store.get(); }
    std::uint32_t GetItemId() const { return m_itemId; }
    CCurrentViewList* GetList() const { return m_list.get(); }
    bool IsListCollapsed() const { return m_listCollapsed; }
    // The file the last export wrote; empty when it wrote none.
    const std::wstring& GetExportedFile() const { return m_exported.path; }
    int GetExportError() const override { return m_exported.error; }

protected:
    // Runs once the window and the list pane exist.
    virtual void OnCreateView() {}
    virtual ui::LResult OnApply(std::uint32_t /*item*/, std::uint32_t /*kindBits*/) { return -1; }
    virtual ui::LResult OnPaneCommand(const WavePaneCommand& /*command*/) { return -1; }
    virtual ui::LResult OnColoursChanged() { return 0; }
    virtual ui::LResult OnExport(const std::wstring& /*folder*/) { return 0; }
    // Lays out the list pane and the viewer for the client size.
    virtual void LayoutView();

    // The channels switched on in the raw-waveform pane.
    std::uint32_t AskPhases();
    // The selected sample range (first, end); both -1 when nobody answered.
    void AskRange(std::int64_t& first, std::int64_t& end);
    // Asks the owner to retitle the view's pane with a language text.
    void PostRetitle(unsigned textId);
    // Makes the host and loads the viewer into the view; false when there is no viewer.
    bool EnsureHost();
    // Takes the row's series off and frees the record.
    void DropStore();
    // Fetches the item's record again and binds it to the row; the old one is freed.
    void FetchStore(std::uint32_t item);
    // The row, made on first use and bound to the record; null without a viewer.
    IRowItem* EnsureRow();
    // The next size event zooms to fit.
    void SetFirstSizePending() { m_firstSizePending = true; }
    // Zooms the new display to fit once the messages queued before it are handled.
    void ZoomWhenShown();

    // Writes what the view shows (the host's masks) into a CSV table in the folder:
    // the item's record fetched again, one row per value from the start of the
    // selected time range. `tableName` names the table inside the file.
    bool ExportTable(const std::wstring& folder, const std::wstring& title, const std::wstring& tableName,
                     const std::wstring& fourthPrefix);
    // Where a view's own export tells what it wrote.
    WaveTableWritten* LastExport() { return &m_exported; }

    std::unique_ptr<CWaveViewHost> m_host;
    std::uint32_t m_itemId;
    IRowItem* m_row = nullptr;
    std::unique_ptr<CWaveResultStore> m_store;
    std::unique_ptr<CCurrentViewList> m_list;
    bool m_listCollapsed = false;
    bool m_firstSizePending = true;

private:
    int m_listKind;
    WaveTableWritten m_exported;
};
