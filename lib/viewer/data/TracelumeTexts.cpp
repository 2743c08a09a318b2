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

void LoadLanguageFile() {
    CTinyResourceManager& texts = Texts();
    texts.LoadStrings(texts.GetLanguageDir() / "TracelumeRecord.xml");
}

}  // namespace tracelume
