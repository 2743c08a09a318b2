#include "app/AboutDlg.h"

#include "app/ModuleDirectory.h"
#include "core/Ini.h"
#include "core/ZVResourceManager.h"

CAboutDlg::CAboutDlg()
    : ui::Dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(kTemplateId)) {}

bool CAboutDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    const CIni settings(GetModuleDirectory() + L"Ondrava.ini");
    SetDlgItemText(kVersionControl, L"_" + settings.GetString(L"Ondrava", L"Version", L"1.0.X"));
    return true;
}
