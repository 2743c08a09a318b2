#pragma once
// CPageHeader: the texts of a report page's header: heading, subheading, a spare
// text that is never drawn, and the corner text (the data's file name).

#include <string>

struct CPageHeader {
    std::wstring GetName() const { return heading; }
    std::wstring GetSubheading() const { return subheading; }
    std::wstring GetCorner() const { return corner; }

    std::wstring heading;
    std::wstring subheading;
    std::wstring spare;
    std::wstring corner;
};
