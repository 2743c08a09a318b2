// fuzz-seeds DIR: writes the seed corpus of every fuzz target into DIR/<target>/,
// each seed one file in the target's input form. The terminal data come from the
// generator (its valid folders and its broken variants); markup, language packs and
// INI files also from the shipped resources; report configurations from the
// configuration's own writer; discovery replies as terminals send them; drives from
// the generator's marker block.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "report/ReportConfig.h"
#include "tests/fuzz/FuzzInput.h"
#include "tools/gen/ComtradeRecord.h"
#include "tools/gen/DescriptionFiles.h"
#include "tools/gen/ItemFiles.h"
#include "tools/gen/SoeFile.h"
#include "tools/gen/StatisticFolder.h"
#include "tools/gen/TerminalMedium.h"
#include "tools/gen/WaveRecord.h"

namespace {

namespace fs = std::filesystem;

// Seeds of one target: name -> input.
using Seeds = std::map<std::string, std::string>;

// A scratch folder for the generator, removed afterwards.
class Scratch {
public:
    Scratch() : m_path(fs::temp_directory_path() / ("ondrava-fuzz-seeds-" + std::to_string(::getpid()))) {
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~Scratch() {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    // A new empty folder inside.
    fs::path Fresh(const std::string& name) const {
        const fs::path folder = m_path / name;
        fs::remove_all(folder);
        fs::create_directories(folder);
        return folder;
    }

private:
    fs::path m_path;
};

std::string Read(const fs::path& file) {
    const std::optional<std::string> bytes = platform::ReadFileBytes(file);
    if (!bytes) {
        throw std::runtime_error("cannot read " + platform::PathToUtf8(file));
    }
    return *bytes;
}

fs::path Source(const std::string& relative) { return fs::path(ONDRAVA_SOURCE_DIR) / relative; }

// Every file below the folder, by its path relative to it, in name order.
std::vector<fuzz::NamedFile> Harvest(const fs::path& folder) {
    std::vector<fuzz::NamedFile> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.push_back({platform::PathToUtf8(fs::relative(entry.path(), folder)), Read(entry.path())});
        }
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    return files;
}

// An input of a target that takes a control file and then the folder's files.
std::string WithControl(const std::string& control, const std::vector<fuzz::NamedFile>& files) {
    std::vector<std::optional<std::string>> pieces{control};
    for (const fuzz::NamedFile& file : files) {
        pieces.emplace_back(file.path + "\n" + file.bytes);
    }
    return fuzz::JoinFiles(pieces);
}

std::string Bytes(const gen::IniDocument& document, const gen::FileFormat& format) {
    return document.Bytes(format).value();
}

const std::pair<const char*, gen::FileFormat> kFormats[] = {
    {"gbk-crlf", {platform::TextEncoding::Gbk, gen::LineEnd::CrLf}},
    {"utf8-lf", {platform::TextEncoding::Utf8, gen::LineEnd::Lf}},
    {"utf8bom-crlf", {platform::TextEncoding::Utf8Bom, gen::LineEnd::CrLf}},
    {"utf16le-crlf", {platform::TextEncoding::Utf16LE, gen::LineEnd::CrLf}},
};

gen::DescriptionFiles K7900Description() {
    gen::DescriptionFiles files;
    files.recordInfo.deviceType = L"K7900";
    files.recordInfo.end = gen::DateTime{2024, 3, 16, 9, 0, 0, 0};
    files.recordInfo.cffc = 20;
    files.recordSet.pt1 = L"0.5";
    files.recordSet.pt1Right = L"0";
    return files;
}

Seeds IniSeeds() {
    Seeds seeds;
    const std::string entries = platform::WideToUtf8(L"cfg\x1fUserName\x1f李四\x1f新节\x1fKey\x1f  \"quoted\" ");
    const auto add = [&](const std::string& name, const std::string& file) {
        seeds[name] = fuzz::JoinFiles({file, entries});
    };
    for (const auto& [name, format] : kFormats) {
        const gen::DescriptionFiles files;
        add(std::string("recordinfo-") + name, Bytes(gen::RecordInfoDocument(files.recordInfo), format));
        add(std::string("recordset-") + name, Bytes(gen::RecordSetDocument(files.recordSet), format));
        add(std::string("statistic-") + name, Bytes(gen::StatisticCfgDocument(files.statistic), format));
    }
    add("recordinfo-k7900", Bytes(gen::RecordInfoDocument(K7900Description().recordInfo), {}));
    add("itemInfo", Read(Source("resources/itemInfo.ini")));
    add("color", Read(Source("resources/color.cfg")));
    seeds["empty"] = fuzz::JoinFiles({std::string(), entries});
    return seeds;
}

// The shipped XML files: the language list, the built-in resources and the language
// packs as the build joined them.
std::vector<fs::path> XmlResources() {
    std::vector<fs::path> files{Source("resources/Language/Language.xml")};
    for (const auto& folder : {Source("resources/builtin"), fs::path(ONDRAVA_BUILD_PROGRAM_DIR) / "Language"}) {
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file() && entry.path().extension() == ".xml") {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string SeedName(const fs::path& file) {
    return platform::PathToUtf8(file.parent_path().filename()) + "-" + platform::PathToUtf8(file.filename());
}

Seeds MarkupSeeds() {
    Seeds seeds;
    for (const fs::path& file : XmlResources()) {
        seeds[SeedName(file)] = Read(file);
    }
    return seeds;
}

Seeds LanguagePackSeeds() {
    Seeds seeds = MarkupSeeds();
    // A pack saved by a Windows editor, in UTF-16.
    const std::string english = Read(fs::path(ONDRAVA_BUILD_PROGRAM_DIR) / "Language/English/Ondrava.xml");
    seeds["English-Ondrava-utf16.xml"] = *platform::Encode(platform::Utf8ToWide(english), platform::TextEncoding::Utf16LE);
    return seeds;
}

Seeds DescriptionSeeds(const Scratch& scratch) {
    Seeds seeds;
    for (const auto& [name, format] : kFormats) {
        const fs::path folder = scratch.Fresh("description");
        gen::WriteDescriptionFiles(folder, gen::DescriptionFiles{}, format);
        seeds[std::string("k7700-") + name] = fuzz::JoinNamedFiles(Harvest(folder));
    }
    const fs::path folder = scratch.Fresh("description");
    gen::WriteDescriptionFiles(folder, K7900Description());
    seeds["k7900"] = fuzz::JoinNamedFiles(Harvest(folder));
    return seeds;
}

// The query of the statistic and item targets: first record, record count, and for
// the statistic target whether it reads the ".data" files and whether it streams,
// for the item target the kind of terminal.
std::string Query(unsigned char first, unsigned char count, unsigned char flags) {
    return std::string{static_cast<char>(first), static_cast<char>(count), static_cast<char>(flags)};
}

gen::StatisticFolderOptions SmallStatistic() {
    gen::StatisticFolderOptions options;
    options.items = {1, 7, 25};
    options.records = 7;
    options.blockCountPerFile = 2;
    options.filesPerFolder = 2;
    return options;
}

Seeds StatisticSeeds(const Scratch& scratch) {
    Seeds seeds;
    const std::pair<const char*, gen::StatisticDefect> variants[] = {
        {"valid", gen::StatisticDefect::None},
        {"truncated", gen::StatisticDefect::TruncatedFile},
        {"misnamed", gen::StatisticDefect::MisnamedFiles},
        {"layout-mismatch", gen::StatisticDefect::LayoutMismatch},
        {"empty-item-piece", gen::StatisticDefect::EmptyItemPiece},
        {"zero-ratio", gen::StatisticDefect::ZeroRatioDivisor},
    };
    for (const auto& [name, defect] : variants) {
        gen::StatisticFolderOptions options = SmallStatistic();
        options.defect = defect;
        const fs::path folder = scratch.Fresh("statistic");
        gen::WriteStatisticFolder(folder, options);
        const std::vector<fuzz::NamedFile> files = Harvest(folder);
        seeds[std::string(name) + "-data"] = WithControl(Query(0, 7, 1), files);
        seeds[std::string(name) + "-streaming"] = WithControl(Query(2, 4, 3), files);
    }
    gen::StatisticFolderOptions indexed = SmallStatistic();
    indexed.records = 40;
    indexed.blockCountPerFile = 20;
    indexed.items = {1, 461};
    const fs::path folder = scratch.Fresh("statistic");
    gen::WriteStatisticFolder(folder, indexed);
    seeds["index-files"] = WithControl(Query(0, 4, 0), Harvest(folder));
    return seeds;
}

Seeds ItemSeeds(const Scratch& scratch) {
    Seeds seeds;
    for (const std::vector<std::uint32_t>& items :
         {std::vector<std::uint32_t>{1, 7}, std::vector<std::uint32_t>{25, 212}, std::vector<std::uint32_t>{461}}) {
        gen::StatisticFolderOptions options = SmallStatistic();
        options.items = items;
        options.records = 5;
        const fs::path folder = scratch.Fresh("items");
        gen::WriteStatisticFolder(folder, options);
        gen::WriteItemFiles(folder / "Statistic" / "newfiles", options);
        // The item reader reads the description and the item files, not the blocks.
        std::vector<fuzz::NamedFile> files;
        for (fuzz::NamedFile& file : Harvest(folder)) {
            if (file.path.find("Statistic/0") != 0) {
                files.push_back(std::move(file));
            }
        }
        std::string name = "items";
        for (const std::uint32_t item : items) {
            name += "-" + std::to_string(item);
        }
        // The third byte: the kind of terminal (K7700 keeps its item files in "Statistic/newfiles").
        seeds[name] = WithControl(Query(0, 5, 1), files);
        seeds[name + "-later"] = WithControl(Query(3, 9, 2), files);
    }
    return seeds;
}

Seeds ComtradeSeeds(const Scratch& scratch) {
    Seeds seeds;
    const std::pair<const char*, gen::ComtradeDefect> variants[] = {
        {"valid", gen::ComtradeDefect::None},
        {"lf", gen::ComtradeDefect::LfLineEnds},
        {"eof-padding", gen::ComtradeDefect::EofPadding},
        {"old-first-line", gen::ComtradeDefect::OldFirstLine},
        {"ten-field-analog", gen::ComtradeDefect::TenFieldAnalog},
        {"wrong-total", gen::ComtradeDefect::WrongTotal},
        {"no-line-frequency", gen::ComtradeDefect::NoLineFrequency},
        {"truncated-dat", gen::ComtradeDefect::TruncatedDat},
        {"huge-sample-count", gen::ComtradeDefect::HugeSampleCount},
        {"long-digital-field", gen::ComtradeDefect::LongDigitalField},
        {"missing-inf", gen::ComtradeDefect::MissingInf},
    };
    for (const auto format : {gen::ComtradeFormat::Ascii, gen::ComtradeFormat::Binary}) {
        for (const auto& [name, defect] : variants) {
            gen::ComtradeOptions options;
            options.format = format;
            options.samples = 48;
            options.sampleRate = 1600.0;
            options.defect = defect;
            const fs::path folder = scratch.Fresh("comtrade");
            gen::WriteComtradeRecord(folder / "rec", options);
            seeds[std::string(format == gen::ComtradeFormat::Ascii ? "ascii-" : "binary-") + name] =
                fuzz::JoinNamedFiles(Harvest(folder));
        }
    }
    return seeds;
}

Seeds SoeSeeds() {
    Seeds seeds;
    const std::vector<gen::SoeBlock> blocks = gen::MakeSoeBlocks({3, 0, 5, 2});
    const std::pair<const char*, gen::SoeDefect> variants[] = {
        {"valid", gen::SoeDefect::None},
        {"wrong-trailer", gen::SoeDefect::WrongTrailerTotal},
        {"huge-count", gen::SoeDefect::HugeRecordCount},
        {"cut", gen::SoeDefect::CutInBlock},
        {"head-only", gen::SoeDefect::HeadOnly},
        {"short-head", gen::SoeDefect::ShortHead},
    };
    for (const auto& [name, defect] : variants) {
        seeds[name] = gen::SoeFileBytes(blocks, {defect, 1});
    }
    return seeds;
}

Seeds WaveRecordSeeds(const Scratch& scratch) {
    Seeds seeds;
    const auto add = [&](const std::string& name, gen::WaveRecordOptions options) {
        const fs::path folder = scratch.Fresh("wave");
        gen::WriteWaveRecord(folder, options);
        std::vector<fuzz::NamedFile> files;
        for (fuzz::NamedFile& file : Harvest(folder)) {
            if (!file.path.ends_with(".expected")) {
                files.push_back(std::move(file));
            }
        }
        seeds[name] = fuzz::JoinNamedFiles(files);
    };
    add("6400", gen::ThreePhaseWaveRecord(6400, 0.2));
    gen::WaveRecordOptions sixty = gen::ThreePhaseWaveRecord(6400, 0.2);
    sixty.nominalFrequency = 60;
    sixty.cyclesPerFrame = 12;
    add("6400-60hz", sixty);
    gen::WaveRecordOptions gap = gen::ThreePhaseWaveRecord(6400, 0.2);
    gap.dataGap = 16;
    gap.wiring = 49;
    add("6400-gap", gap);
    gen::WaveRecordOptions wrong = gen::ThreePhaseWaveRecord(6400, 0.2);
    wrong.header.channelCount = 7;
    add("wrong-channels", wrong);
    return seeds;
}

Seeds ReportConfigSeeds(const Scratch& scratch) {
    Seeds seeds;
    const fs::path folder = scratch.Fresh("rcg");
    const auto saved = [&](const CReportConfig& config) {
        const fs::path file = folder / "config.rcg";
        config.Save(platform::FromPath(file));
        return Read(file);
    };
    seeds["default"] = saved(CReportConfig());
    CReportConfig edited;
    CReportBasicInfo info;
    info.place = "北京 <东> & \"西\"";
    info.operatorName = "张三";
    edited.SetBasicInfo(info);
    CReportHarmPart harm = edited.GetHarmPart();
    CHarmTrendItem trend("ZVTrendUHarmL2");
    trend.AddGroup({2, 3, 50});
    harm.SetTrendItem(trend);
    CHarmTableItem table("ZVTableURatioL3");
    table.orderCounts[9] = 5;
    harm.SetTableItem(table);
    edited.SetHarmPart(harm);
    seeds["edited"] = saved(edited);
    // Older copies wrote their texts in the GBK code page.
    seeds["edited-gbk"] = platform::WideToGbk(platform::Utf8ToWide(seeds["edited"])).value();
    return seeds;
}

// Tooltip markup as the viewer's panes and the renderer's tests write it: styles,
// fonts and colours, lines and tabs, tables, links, pictures and a style sheet.
Seeds TooltipSeeds() {
    const std::pair<const char*, const wchar_t*> markups[] = {
        {"styles", L"<b>粗体</b> <i>italic</i> <u>u</u> <s>s</s> <font color=red size=+1 face=Arial>x</font>"
                   L"<font color=#00ff00 bkgnd=yellow style=bus weight=600>y</font><h2>h</h2><small>s</small>"},
        {"lines", L"first<br>second<br=2>third<t>tab<t=3>x<hr width=50% size=2><center>c</center><right>r</right>"
                  L"<p align=justify>one two three</p>&lt;&amp;&gt;&nbsp;&#65;&#x4e2d;"},
        {"table", L"<table border=1 cellspacing=2 cellpadding=3 bgcolor=#eeeeee width=200>"
                  L"<tr><td colspan=2 align=center><b>U<sub>a</sub></b></td></tr>"
                  L"<tr><td width=50%>230.0 V</td><td rowspan=2 valign=bottom bgeffect=metal>x</td></tr>"
                  L"<tr><td><table><tr><td>nested</td></tr></table></td></tr></table>"},
        {"links", L"<a href=http://example.org/>link</a> <a href=\"https://example.org/a?b=c\">quoted</a> "
                  L"<a href=mailto:x@example.org>mail</a>"},
        {"pictures", L"<bmp idres=1 width=16 height=16><icon idres=2 width=32><ilst idres=3 cx=16 cy=16 "
                     L"index=1 speed=2><string id=100>"},
        {"style-sheet", L"<span class=title style=\"color: blue; font-size: 12pt; font-weight: bold\">t</span>"
                        L"<div style=\"text-align: right; background-color: #ffcc00\">d</div><code>c</code>"},
    };
    Seeds seeds;
    for (const auto& [name, markup] : markups) {
        seeds[name] = platform::WideToUtf8(markup);
    }
    return seeds;
}

// Replies to the discovery probe, in the terminal's code page.
Seeds DiscoverySeeds() {
    const std::pair<const char*, const wchar_t*> replies[] = {
        {"k7800", L"respone=ok;devname=Site A;devtype=K7800;version=V1.2.4;IpCount=1;"
                  L"ipaddress0=192.168.1.20;gateway0=192.168.1.1;mask0=255.255.255.0;"},
        {"k7700-two-addresses", L"respone=ok;devname=变电站 1#;devtype=K7700;version=V2.0;IpCount=2;"
                                L"ipaddress0=10.0.0.5;gateway0=10.0.0.1;mask0=255.0.0.0;"
                                L"ipaddress1=172.16.0.5;gateway1=172.16.0.1;mask1=255.255.0.0;"},
        {"k7900-no-addresses", L"respone=ok;devtype=K7900 机柜;devname=柜;version=V3;"},
        {"unknown-model", L"respone=ok;devtype=K7600;devname=x;"},
    };
    Seeds seeds;
    for (const auto& [name, reply] : replies) {
        seeds[name] = platform::WideToGbk(reply).value();
    }
    return seeds;
}

// A mount table line for a drive below "$ROOT" (the fuzz target's input folder).
std::string MountLine(int id, const std::string& mountPoint, const std::string& type, const std::string& source) {
    return std::to_string(id) + " 1 8:" + std::to_string(id) + " / " + mountPoint + " rw,nosuid shared:" +
           std::to_string(id) + " - " + type + " " + source + " rw\n";
}

Seeds DriveSeeds() {
    const std::string block = gen::DeviceInfoBlock(7800123456, L"K7800 电能质量分析仪", L"V1.2.4");
    const std::string other = gen::DeviceInfoBlock(42, L"K7900 机柜", L"V3.0");
    const std::string system = MountLine(1, "/", "ext4", "/dev/sda1") + MountLine(2, "/proc", "proc", "proc");
    Seeds seeds;
    const auto add = [&](const std::string& name, const std::string& table, const std::vector<fuzz::NamedFile>& files) {
        seeds[name] = WithControl(table, files);
    };
    add("one-drive", system + MountLine(3, "$ROOT/usb", "vfat", "/dev/sdb1"),
        {{"usb/jmr_zv.verify", block}, {"jmr_zv.verify", block}});
    add("two-drives-escaped", system + MountLine(3, "$ROOT/usb\\040stick", "vfat", "/dev/sdb1") +
                                  MountLine(4, "$ROOT/exfat", "fuseblk", "exfat-drive") +
                                  MountLine(5, "$ROOT/exfat", "fuseblk", "exfat-drive"),
        {{"usb stick/JMR_ZV.VERIFY", block}, {"exfat/jmr_zv.verify", other}});
    add("short-marker", MountLine(3, "$ROOT", "vfat", "/dev/sdc1"), {{"jmr_zv.verify", block.substr(0, 1543)}});
    add("no-marker", system + MountLine(3, "$ROOT/usb", "vfat", "/dev/sdb1"), {{"usb/readme.txt", "x"}});
    return seeds;
}

void WriteSeeds(const fs::path& folder, const Seeds& seeds) {
    fs::create_directories(folder);
    for (const auto& [name, input] : seeds) {
        if (!platform::AtomicWriteFile(folder / name, input)) {
            throw std::runtime_error("cannot write " + platform::PathToUtf8(folder / name));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz-seeds DIR\n");
        return 2;
    }
    try {
        const fs::path out = argv[1];
        const Scratch scratch;
        const std::map<std::string, std::function<Seeds()>> targets = {
            {"ini", IniSeeds},
            {"markup", MarkupSeeds},
            {"langpack", LanguagePackSeeds},
            {"description", [&] { return DescriptionSeeds(scratch); }},
            {"statistic", [&] { return StatisticSeeds(scratch); }},
            {"items", [&] { return ItemSeeds(scratch); }},
            {"comtrade", [&] { return ComtradeSeeds(scratch); }},
            {"soe", SoeSeeds},
            {"waverecord", [&] { return WaveRecordSeeds(scratch); }},
            {"reportconfig", [&] { return ReportConfigSeeds(scratch); }},
            {"tooltip", TooltipSeeds},
            {"discovery", DiscoverySeeds},
            {"drive", DriveSeeds},
        };
        for (const auto& [target, make] : targets) {
            WriteSeeds(out / target, make());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "fuzz-seeds: %s\n", error.what());
        return 1;
    }
    return 0;
}
