#pragma once
// CXTPPropertyColorSheet: the modal colour-scheme sheet ("配色方案"), a list of
// colour pages (CXTPPropertyPageEx) with three buttons of its own:
// - restore (33): every opened page shows the file's colours again;
// - save (32): the colours of every opened page are written to "color.cfg" in one
//   replace of the file; only when that succeeded do they become the saved colours,
//   and when any had changed the sheet says so and records it (IsSaved). A failed
//   write leaves the file as it was, says so, and keeps the changes on screen;
// - exit (2, also the title bar and Escape): with unsaved changes, asks whether to
//   save them; only Yes saves, and a save that fails keeps the sheet open.
// Pages never opened are not written.

#include "core/ColorPicker.h"
#include "platform/ui/PropertySheet.h"

class CXTPPropertyPageEx;

class CXTPPropertyColorSheet : public ui::PropertySheet {
public:
    static constexpr unsigned kRestoreButton = 33;
    static constexpr unsigned kSaveButton = 32;
    static constexpr unsigned kExitButton = 2;

    // The access is the file access of the save (tests make it fail).
    explicit CXTPPropertyColorSheet(CColorPicker::FileAccess access = CColorPicker::DefaultFileAccess());
    ~CXTPPropertyColorSheet() override;

    bool OnInitDialog() override;
    void OnCancel() override;

    // True once a save wrote changed colours.
    bool IsSaved() const { return m_saved != 0; }
    // The save button: false when the file could not be written.
    bool Save();
    // The restore button.
    void Restore();

protected:
    bool CreateButtons() override;

private:
    // The pages that have a window, in page order.
    std::vector<CXTPPropertyPageEx*> OpenedPages() const;
    bool AnyModified() const;

    int m_saved = 0;
    CColorPicker m_store;
};
