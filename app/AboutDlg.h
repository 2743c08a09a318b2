#pragma once
// CAboutDlg: the modal about box (dialog 100 of the language resources). It shows
// the product title and, in control 9513, an underscore and the version recorded in
// "Ondrava.ini" (section "Ondrava", key "Version"; "1.0.X" when absent).

#include "platform/ui/Dialog.h"

class CAboutDlg : public ui::Dialog {
public:
    CAboutDlg();

    bool OnInitDialog() override;

    static constexpr unsigned kTemplateId = 100;
    static constexpr unsigned kVersionControl = 9513;
};
