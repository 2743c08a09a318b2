#include "lib/viewer/data/TracelumeTexts.h"

namespace tracelume {

const CTinyResourceManager::StringTable& BuiltinTexts() {
    static const CTinyResourceManager::StringTable texts = {
        {kTextWindowProperties,
         LR"(<?xml version="1.0" encoding="UTF-8"?>)"
         LR"(<properties><category caption="波形窗口">)"
         LR"(<background caption="背景颜色" type="color" VALUE=""/>)"
         LR"(<font caption="字体" type="font" VALUE=""/>)"
         LR"(</category></properties>)"},
        {kTextMarkProperties,
         LR"(<?xml version="1.0" encoding="UTF-8"?>)"
         LR"(<properties><category caption="标签">)"
         LR"(<name caption="名称" type="text" VALUE=""/>)"
         LR"(<group caption="分组" type="number" VALUE=""/>)"
         LR"(<position caption="位置" type="number" VALUE=""/>)"
         LR"(<background caption="背景颜色" type="color" VALUE=""/>)"
         LR"(<foreground caption="前景颜色" type="color" VALUE=""/>)"
         LR"(<comment caption="备注" type="text" VALUE=""/>)"
         LR"(</category></properties>)"},
        {kTextComment, L"备注"},
        {kTextTime, L"时间"},
        {kTextStartTime, L"开始时间"},
        {kTextEndTime, L"结束时间"},
        {kTextDataWidth, L"数据宽度"},
        {kTextLegendFont, L"宋体"},
        {kTextDisplayMode, L"显示方式"},
        {kTextGoToMark, L"转到标签"},
        {kTextMoveMarkHere, L"移动标签到此处"},
        {kTextSaveFailed, L"无法保存图片。"},
        {kTextViewUpperBound, L"视图上界"},
        {kTextViewLowerBound, L"视图下界"},
        {kTextPageArea, L"页面区域"},
        {kTextViewArea, L"视图区域"},
        {kTextDataArea, L"数据区域"},
        {kTextPosition, L"位置"},
        {kTextPointerPosition, L"指针位置"},
        {kTextMarksTitle, L"标签"},
        {kTextColumnName, L"名称"},
        {kTextColumnGroup, L"分组"},
        {kTextApplyComment, L"应用备注"},
        {kTextOk, L"确定"},
        {kTextCancel, L"取消"},
        {kTextDataStart, L"到数据开始处(&B)"},
        {kTextDataEnd, L"到数据结束处(&E)"},
        {32779, L"十六进制(&H)"},
        {32781, L"二进制(&B)"},
        {32782, L"八进制(&O)"},
        {32783, L"十进制(&D)"},
        {32784, L"字符(&A)"},
        {32789, L"删除(&D)"},
        {32790, L"展开(&T)"},
        {32806, L"增加标签(&Q)"},
        {32810, L"属性(&P)"},
        {32815, L"删除标签(&D)"},
        {32816, L"删除所有标签(&A)"},
        {32817, L"移到底部(&S)"},
        {32818, L"属性(&P)"},
        {32792, L"正常鼠标\n正常鼠标"},
        {32793, L"视图截屏\n视图截屏"},
        {32794, L"放大镜模式"},
        {32795, L"横向缩小\n缩小(&O)"},
        {32796, L"横向放大\n放大(&I)"},
        {32797, L"视图适应窗体\n视图适应窗体(&F)"},
        {32798, L"移动到视图开始处\n到视图开始处(&B)"},
        {32799, L"上一页\n上一页"},
        {32800, L"到触发位置"},
        {32801, L"下一页\n下一页"},
        {32802, L"移动到视图结束处\n到视图结束处(&E)"},
        {kTextTimeOffset, L"时间偏移"},
        {kTextDeleteAllMarks, L"确定删除所有标签吗？"},
        {32813, L"保存成图片(&S)..."},
        {32814, L"复制图片到剪贴板(&C)"},
        {32821, L"纵向缩小\n纵向缩小"},
        {32822, L"纵向放大\n纵向放大"},
        {32823, L"显示纵轴测量线\n显示纵轴测量线"},
        {32824, L"显示背景网格线\n显示背景网格线"},
        {32825, L"选择区域\n选择区域"},
        {32826, L"鼠标选择区域域选择"},
        {kTextFontFace, L"宋体"},
        {kTextCollapse, L"折叠(&T)"},
        {kTextExpand, L"展开(&T)"},
        {40000, L"更多标签..."},
        {41000, L"更多标签..."},
    };
    return texts;
}

CTinyResourceManager& Texts() {
    static CTinyResourceManager texts(BuiltinTexts());
    return texts;
}

std::wstring MenuText(std::uint32_t id) {
    const std::wstring text = Texts().GetString(id);
    const std::wstring menu = CTinyResourceManager::SplitTip(text, false);
    return menu.empty() ? text : menu;
}

void LoadLanguageFile() {
    CTinyResourceManager& texts = Texts();
    texts.LoadStrings(texts.GetLanguageDir() / "TracelumeRecord.xml");
}

}  // namespace tracelume
