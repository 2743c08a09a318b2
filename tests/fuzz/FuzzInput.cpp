#include "tests/fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

std::vector<std::optional<std::string>> SplitFiles(std::string_view input, std::size_t count) {
    std::vector<std::optional<std::string>> files(count);
    if (count == 0) {
        return files;
    }
    std::size_t index = 0;
    files[0].emplace();
    for (std::size_t pos = 0; pos < input.size();) {
        const std::size_t slash = std::min(input.find('\\', pos), input.size());
        files[index]->append(input.substr(pos, slash - pos));
        if (slash + 1 < input.size() && input[slash + 1] == '\\') {
            files[index]->push_back('\\');
            pos = slash + 2;
            continue;
        }
        // A lone backslash at the very end closes the last file and opens no other.
        if (slash + 1 >= input.size() || ++index == count) {
            break;
        }
        pos = slash + 2;
        files[index].emplace();
    }
    return files;
}

ControlledInput SplitControl(std::string_view input) {
    ControlledInput split;
    for (std::size_t pos = 0; pos < input.size(); ++pos) {
        if (input[pos] != '\\') {
            split.control.push_back(input[pos]);
        } else if (pos + 1 < input.size() && input[pos + 1] == '\\') {
            split.control.push_back('\\');
            ++pos;
        } else {
            split.files = input.substr(std::min(pos + 2, input.size()));
            break;
        }
    }
    return split;
}

std::string JoinFiles(const std::vector<std::optional<std::string>>& files) {
    std::string input;
    for (std::size_t index = 0; index < files.size() && files[index]; ++index) {
        if (index > 0) {
            input += "\\\n";
        }
        for (const char c : *files[index]) {
            input += c;
            if (c == '\\') {
                input += '\\';
            }
        }
    }
    return input;
}

std::vector<NamedFile> SplitNamedFiles(std::string_view input, std::size_t count) {
    std::vector<NamedFile> named;
    for (const std::optional<std::string>& file : SplitFiles(input, count)) {
        if (!file) {
            break;
        }
        const std::size_t lineEnd = file->find('\n');
        if (lineEnd == std::string::npos) {
            named.push_back({*file, {}});
        } else {
            named.push_back({file->substr(0, lineEnd), file->substr(lineEnd + 1)});
        }
    }
    return named;
}

std::string JoinNamedFiles(const std::vector<NamedFile>& files) {
    std::vector<std::optional<std::string>> joined;
    for (const NamedFile& file : files) {
        joined.emplace_back(file.path + "\n" + file.bytes);
    }
    return JoinFiles(joined);
}

StatisticQuery ReadStatisticQuery(std::string_view control) {
    const auto byte = [&](std::size_t index) {
        return index < control.size() ? static_cast<unsigned char>(control[index]) : 0U;
    };
    return {byte(0), byte(1) % 64, static_cast<unsigned char>(byte(2))};
}

void PropertyBroken(const char* reader, const char* what) {
    std::fprintf(stderr, "%s property broken: %s\n", reader, what);
    std::abort();
}

}  // namespace fuzz
