#pragma once
// Language text ids of the spreadsheet report's messages, and the name of its
// template in the language's folder.

namespace exceltext {

inline constexpr unsigned kTemplateMissing = 6300;  // "没有发现Excel报表模板文件，请重新安装软件。"
inline constexpr unsigned kOutOfMemory = 6301;      // "空余的内存不足，导致不能生成报告。…"
inline constexpr unsigned kReaderFailed = 6302;     // "读取统计数据失败，不能生成报告。"
inline constexpr unsigned kCellWriteFailed = 6303;  // "写入Excel报表失败，报表模板可能已损坏，…"
inline constexpr unsigned kSaveFailed = 6304;       // "保存Excel报表文件失败，请检查输出文件夹能否写入。"

inline constexpr const wchar_t* kTemplateFile = L"ExcelTemplate.xml";

}  // namespace exceltext
