#include "platform/ui/DockLayout.h"

#include <charconv>
#include <set>

#include "platform/base/Encoding.h"

namespace ui {
namespace {

// "1|L:140:40001:40001,!40004|F:600:40002:40002,40003" - the version, then one
// field per group: place, size, front pane (0: none), panes ("!" before a closed one).
constexpr std::wstring_view kVersion = L"1";
constexpr int kLargestSize = 20000;

constexpr std::wstring_view kPlaces = L"LRTBF";

std::vector<std::wstring_view> Split(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start));
        if (end == std::wstring_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::optional<unsigned long> Number(std::wstring_view text) {
    const std::string ascii = platform::WideToUtf8(text);
    unsigned long value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ascii.empty() || error != std::errc() || end != ascii.data() + ascii.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<DockLayout::Group> ParseGroup(std::wstring_view text, std::set<unsigned>& seen, std::wstring& problem) {
    const auto fields = Split(text, L':');
    if (fields.size() != 4 || fields[0].size() != 1 || kPlaces.find(fields[0][0]) == std::wstring_view::npos) {
        problem = L"a group is not place:size:front:panes";
        return std::nullopt;
    }
    DockLayout::Group group;
    group.place = static_cast<DockPlace>(kPlaces.find(fields[0][0]));
    const auto size = Number(fields[1]);
    const auto selected = Number(fields[2]);
    if (!size || *size == 0 || *size > kLargestSize || !selected || *selected > 0xFFFFFFFFul) {
        problem = L"a group's size or front pane is out of range";
        return std::nullopt;
    }
    group.size = static_cast<int>(*size);
    group.selected = static_cast<unsigned>(*selected);
    bool frontShown = group.selected == 0;
    for (std::wstring_view item : Split(fields[3], L',')) {
        DockLayout::Pane pane;
        if (!item.empty() && item[0] == L'!') {
            pane.shown = false;
            item.remove_prefix(1);
        }
        const auto id = Number(item);
        if (!id || *id == 0 || *id > 0xFFFFFFFFul || !seen.insert(static_cast<unsigned>(*id)).second) {
            problem = L"a pane id is missing, out of range or given twice";
            return std::nullopt;
        }
        pane.id = static_cast<unsigned>(*id);
        frontShown = frontShown || (pane.id == group.selected && pane.shown);
        group.panes.push_back(pane);
    }
    if (!frontShown) {
        problem = L"a group's front pane is not shown in it";
        return std::nullopt;
    }
    return group;
}

}  // namespace

std::wstring DockLayout::ToText() const {
    std::wstring text(kVersion);
    for (const Group& group : groups) {
        text += L'|';
        text += kPlaces[static_cast<std::size_t>(group.place)];
        text += L':' + std::to_wstring(group.size) + L':' + std::to_wstring(group.selected) + L':';
        for (std::size_t i = 0; i < group.panes.size(); ++i) {
            text += (i == 0 ? L"" : L",") + std::wstring(group.panes[i].shown ? L"" : L"!") +
                    std::to_wstring(group.panes[i].id);
        }
    }
    return text;
}

std::optional<DockLayout> DockLayout::FromText(std::wstring_view text, std::wstring& problem) {
    const auto fields = Split(text, L'|');
    if (fields[0] != kVersion) {
        problem = L"not a layout of version " + std::wstring(kVersion);
        return std::nullopt;
    }
    DockLayout layout;
    std::set<unsigned> seen;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        auto group = ParseGroup(fields[i], seen, problem);
        if (!group) {
            return std::nullopt;
        }
        layout.groups.push_back(std::move(*group));
    }
    return layout;
}

}  // namespace ui
