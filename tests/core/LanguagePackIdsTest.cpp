// Every string id of a language pack names one text. The program takes the first
// text of an id it finds, so a second, different text under the same id (two areas
// adding strings at once) silently loses one of them. The same text twice, as areas
// that share a text keep it, is harmless.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

const fs::path kResources = fs::path(ONDRAVA_SOURCE_DIR) / "resources";

struct Text {
    std::string value;
    std::string file;
};

std::string Attribute(const std::string& element, const char* name)
{
    const std::regex attribute(std::string("\\b") + name + "=\"([^\"]*)\"");
    std::smatch match;
    return std::regex_search(element, match, attribute) ? match[1].str() : std::string("\x01");
}

// "id: 'a' (file) / 'b' (file)" for every id that has two different texts in `files`.
std::vector<std::string> Conflicts(const std::vector<fs::path>& files)
{
    std::map<std::string, Text> seen;
    std::vector<std::string> conflicts;
    const std::regex element("<string\\b[^>]*>");
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (auto it = std::sregex_iterator(text.begin(), text.end(), element); it != std::sregex_iterator(); ++it) {
            const std::string tag = it->str();
            const std::string id = Attribute(tag, "id");
            const std::string value = Attribute(tag, "value");
            const auto [kept, added] = seen.emplace(id, Text{value, file.filename().string()});
            if (!added && kept->second.value != value) {
                conflicts.push_back(id + ": '" + kept->second.value + "' (" + kept->second.file + ") / '" + value +
                                    "' (" + file.filename().string() + ")");
            }
        }
    }
    return conflicts;
}

std::vector<fs::path> XmlFiles(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".xml") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The packs as the program reads them: the built-in resources, each language's
// Ondrava.xml (joined from its area files) and each language's other pack files.
std::map<std::string, std::vector<fs::path>> Packs()
{
    std::map<std::string, std::vector<fs::path>> packs;
    packs["builtin"] = XmlFiles(kResources / "builtin");
    for (const auto& language : fs::directory_iterator(kResources / "Language")) {
        if (!language.is_directory()) {
            continue;
        }
        const std::string name = language.path().filename().string();
        if (fs::is_directory(language.path() / "Ondrava")) {
            packs[name + "/Ondrava.xml"] = XmlFiles(language.path() / "Ondrava");
        }
        for (const fs::path& file : XmlFiles(language.path())) {
            packs[name + "/" + file.filename().string()] = {file};
        }
    }
    return packs;
}

TEST(LanguagePackIds, NoIdHasTwoDifferentTexts)
{
    const std::map<std::string, std::vector<fs::path>> packs = Packs();
    ASSERT_GE(packs.size(), 5u) << "the built-in resources and the Chinese and English packs";
    for (const auto& [pack, files] : packs) {
        ASSERT_FALSE(files.empty()) << pack;
        EXPECT_EQ(Conflicts(files), std::vector<std::string>{}) << pack;
    }
}

TEST(LanguagePackIds, ADifferentTextUnderAnIdIsFound)
{
    struct Case {
        const char* what;
        std::vector<std::string> files;
        std::size_t conflicts;
    };
    const Case cases[] = {
        {"the same text twice", {R"(<string id="1" value="a"/><string id="1" value="a"/>)"}, 0},
        {"two texts in one file", {R"(<string id="1" value="a"/><string id="1" value="b"/>)"}, 1},
        {"two texts in two files", {R"(<string id="1" value="a"/>)", R"(<string value="A" id="1"/>)"}, 1},
        {"other ids", {R"(<string id="1" value="a"/><string id="2" value="b"/>)"}, 0},
    };
    for (const Case& c : cases) {
        testsupport::TempDir folder;
        std::vector<fs::path> files;
        for (std::size_t i = 0; i < c.files.size(); ++i) {
            files.push_back(folder.Path() / (std::to_string(i) + ".xml"));
            std::ofstream(files.back(), std::ios::binary) << "<resource>" << c.files[i] << "</resource>";
        }
        EXPECT_EQ(Conflicts(files).size(), c.conflicts) << c.what;
    }
}

}  // namespace
