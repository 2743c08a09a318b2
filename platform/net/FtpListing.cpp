#include "platform/net/FtpListing.h"

#include <array>
#include <charconv>
#include <optional>

namespace net {

namespace {

struct Token {
    std::string_view text;
    std::size_t end = 0;  // offset just past the token in the line
};

std::vector<Token> Tokens(std::string_view line, std::size_t maxTokens) {
    std::vector<Token> tokens;
    std::size_t pos = 0;
    while (tokens.size() < maxTokens) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
            ++pos;
        }
        if (pos >= line.size()) {
            break;
        }
        const std::size_t start = pos;
        while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') {
            ++pos;
        }
        tokens.push_back({line.substr(start, pos - start), pos});
    }
    return tokens;
}

bool AllDigits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

std::optional<std::uint64_t> ParseSize(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool IsMonth(std::string_view text) {
    static constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (const std::string_view month : kMonths) {
        if (text.size() == 3 && (text[0] | 0x20) == (month[0] | 0x20) && (text[1] | 0x20) == month[1] &&
            (text[2] | 0x20) == month[2]) {
            return true;
        }
    }
    return false;
}

// "16:44" or "2025".
bool IsTimeOrYear(std::string_view text) {
    if (AllDigits(text)) {
        return text.size() == 4;
    }
    const std::size_t colon = text.find(':');
    return colon != std::string_view::npos && AllDigits(text.substr(0, colon)) && AllDigits(text.substr(colon + 1));
}

// The name starts one blank after the date; servers pad nothing there, and a name
// may itself begin with blanks.
std::string_view NameAfter(std::string_view line, std::size_t end) {
    return end + 1 <= line.size() ? line.substr(end + 1) : std::string_view();
}

// "drwxr-xr-x 2 owner group 4096 Dec 10 16:44 name"; the owner or group column
// may be missing, so the date is found by its shape.
std::optional<FtpEntry> ParseUnixLine(std::string_view line) {
    const char type = line.empty() ? '\0' : line[0];
    if (type != 'd' && type != '-') {
        return std::nullopt;
    }
    const std::vector<Token> tokens = Tokens(line, 9);
    for (std::size_t i = 2; i + 2 < tokens.size(); ++i) {
        if (!IsMonth(tokens[i].text) || !AllDigits(tokens[i + 1].text) || tokens[i + 1].text.size() > 2 ||
            !IsTimeOrYear(tokens[i + 2].text)) {
            continue;
        }
        const std::optional<std::uint64_t> size = ParseSize(tokens[i - 1].text);
        if (!size) {
            return std::nullopt;
        }
        FtpEntry entry;
        entry.name = std::string(NameAfter(line, tokens[i + 2].end));
        entry.directory = type == 'd';
        entry.size = entry.directory ? 0 : *size;
        return entry;
    }
    return std::nullopt;
}

// "12-10-26  04:44PM       <DIR>          name" or "... 1234 name".
std::optional<FtpEntry> ParseDosLine(std::string_view line) {
    const std::vector<Token> tokens = Tokens(line, 3);
    if (tokens.size() < 3 || tokens[0].text.size() < 8 || tokens[0].text[2] != '-' ||
        tokens[1].text.find(':') == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest = line.substr(tokens[2].end);
    while (!rest.empty() && rest.front() == ' ') {
        rest.remove_prefix(1);
    }
    FtpEntry entry;
    if (tokens[2].text == "<DIR>") {
        entry.directory = true;
    } else {
        const std::optional<std::uint64_t> size = ParseSize(tokens[2].text);
        if (!size) {
            return std::nullopt;
        }
        entry.size = *size;
    }
    entry.name = std::string(rest);
    return entry;
}

}  // namespace

std::vector<FtpEntry> ParseFtpListing(std::string_view listing) {
    std::vector<FtpEntry> entries;
    while (!listing.empty()) {
        std::size_t end = listing.find('\n');
        std::string_view line = listing.substr(0, end);
        listing = end == std::string_view::npos ? std::string_view() : listing.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        std::optional<FtpEntry> entry = ParseUnixLine(line);
        if (!entry) {
            entry = ParseDosLine(line);
        }
        if (entry && !entry->name.empty() && entry->name != "." && entry->name != "..") {
            entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

}  // namespace net
