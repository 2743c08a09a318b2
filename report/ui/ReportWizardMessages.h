#pragma once
// The messages the report wizard's pages send each other, and the language texts
// they share. The trend page and the harmonic pages send the first page of the
// sheet kMsgChooseOutputFolder, kMsgExchangeConfig and kMsgQueryState; the harmonic
// pages post kMsgRebuildRows to the selector of the tab shown.

#include <string>

#include "platform/ui/Message.h"

// At a harmonic-order selector: show the item it was last given (0, 0).
inline constexpr unsigned kMsgRebuildRows = 0x0465;
// At the first page: make sure an output folder was chosen in this run, asking
// once; non-zero when one was.
inline constexpr unsigned kMsgChooseOutputFolder = 0x0466;
// At the first page: wParam the CReportConfig*, lParam non-zero to store the page's
// texts into it, 0 to load them from it. Sent only (the pointer lives in the sender).
inline constexpr unsigned kMsgExchangeConfig = 0x0467;
// At the first page: wParam one of the kQuery* codes; the answer.
inline constexpr unsigned kMsgQueryState = 0x0468;
// At the spreadsheet report's first page, posted to itself once it is shown:
// check that the workbook can be written.
inline constexpr unsigned kMsgCheckWorkbook = 0x0469;

// The questions of kMsgQueryState.
inline constexpr ui::WParam kQueryWorkbook = 1;
inline constexpr ui::WParam kQueryTrend = 2;
inline constexpr ui::WParam kQueryHarmTrend = 3;
inline constexpr ui::WParam kQuerySpectrum = 4;
inline constexpr ui::WParam kQueryItic = 5;
inline constexpr ui::WParam kQueryOther = 6;

// Language texts of the wizard.
inline constexpr unsigned kTextGenerateReport = 6093;  // the RTF report's wizard and Finish
inline constexpr unsigned kTextExportReport = 6096;    // the spreadsheet report's
inline constexpr unsigned kTextPrompt = 10285;         // caption of the pages' questions

std::wstring WizardText(unsigned id);
// The text with its first "%d" replaced by the number.
std::wstring WizardFormat(unsigned id, int number);
