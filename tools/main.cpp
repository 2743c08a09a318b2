// ondrava-gen: writes terminal data folders for tests, benchmarks and the sample
// folder that run.sh offers a new user.
//
//   ondrava-gen COMMAND ARGUMENTS... [--option value]...
//
// Each data format adds one line to kCommands (a command of its own) and, when the
// sample folder should hold it, one line to kSampleSteps.

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Encoding.h"
#include "tools/gen/ComtradeRecord.h"
#include "tools/gen/DescriptionFiles.h"
#include "tools/gen/SampleSite.h"
#include "tools/gen/SoeFile.h"
#include "tools/gen/StatisticFolder.h"
#include "tools/gen/TerminalMedium.h"
#include "tools/gen/WaveRecord.h"

namespace {

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string, std::less<>> options;  // "--name value", name without dashes

    std::string Option(std::string_view name, std::string_view fallback) const {
        const auto found = options.find(name);
        return found != options.end() ? found->second : std::string(fallback);
    }
};

bool ParseEncoding(std::string_view name, platform::TextEncoding& encoding) {
    static const std::map<std::string_view, platform::TextEncoding> kNames = {
        {"gbk", platform::TextEncoding::Gbk},
        {"utf8", platform::TextEncoding::Utf8},
        {"utf8bom", platform::TextEncoding::Utf8Bom},
        {"utf16le", platform::TextEncoding::Utf16LE},
    };
    const auto found = kNames.find(name);
    if (found == kNames.end()) {
        std::fprintf(stderr, "unknown encoding \"%s\" (gbk, utf8, utf8bom, utf16le)\n", std::string(name).c_str());
        return false;
    }
    encoding = found->second;
    return true;
}

int RunDescription(const Arguments& args) {
    gen::FileFormat format;
    if (!ParseEncoding(args.Option("encoding", "gbk"), format.encoding)) {
        return 2;
    }
    format.lineEnd = args.Option("lines", "crlf") == "lf" ? gen::LineEnd::Lf : gen::LineEnd::CrLf;
    gen::DescriptionFiles files;
    files.recordInfo.deviceType = platform::Utf8ToWide(args.Option("device", "K7700"));
    return gen::WriteDescriptionFiles(platform::ToPath(args.positional.at(0)), files, format) ? 0 : 1;
}

// A number option; false (with a message) when the text is not a whole number.
template <typename T>
bool NumberOption(const Arguments& args, std::string_view name, std::string_view fallback, T& value) {
    const std::string text = args.Option(name, fallback);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        std::fprintf(stderr, "--%s needs a number, not \"%s\"\n", std::string(name).c_str(), text.c_str());
        return false;
    }
    return true;
}

int RunComtrade(const Arguments& args) {
    gen::ComtradeOptions options;
    const std::string format = args.Option("format", "binary");
    if (format != "ascii" && format != "binary") {
        std::fprintf(stderr, "unknown format \"%s\" (ascii, binary)\n", format.c_str());
        return 2;
    }
    options.format = format == "ascii" ? gen::ComtradeFormat::Ascii : gen::ComtradeFormat::Binary;
    if (!NumberOption(args, "samples", "640", options.samples)) {
        return 2;
    }
    return gen::WriteComtradeFolder(platform::ToPath(args.positional.at(0)), options, {1}).empty() ? 1 : 0;
}

int RunSoe(const Arguments& args) {
    return gen::WriteSoeFolder(platform::ToPath(args.positional.at(0)), gen::MakeSoeBlocks({3, 0, 5, 2, 4})) ? 0 : 1;
}

int RunWaveRecord(const Arguments& args) {
    std::uint32_t rate = 0;
    double seconds = 0.0;
    double depth = 0.0;
    if (!NumberOption(args, "rate", "25600", rate) || !NumberOption(args, "seconds", "60", seconds) ||
        !NumberOption(args, "flicker", "0.004", depth)) {
        return 2;
    }
    gen::WaveRecordOptions options = gen::ThreePhaseWaveRecord(rate, seconds, depth);
    options.baseName = args.Option("base", "wave");
    return gen::WriteWaveRecord(platform::ToPath(args.positional.at(0)), options) ? 0 : 1;
}

int RunMedium(const Arguments& args) {
    gen::TerminalMediumOptions options;
    options.deviceName = platform::Utf8ToWide(args.Option("device", "K7800")) + L" 电能质量分析仪";
    int boards = 0;
    if (!NumberOption(args, "boards", "0", boards)) {
        return 2;
    }
    for (gen::MediumRecord& record : options.exportRecords) {
        record.boards = boards;
    }
    return gen::WriteTerminalMedium(platform::ToPath(args.positional.at(0)), options) ? 0 : 1;
}

// The sample folder: each step writes one kind of data into it.
struct SampleStep {
    const char* what;
    bool (*write)(const std::filesystem::path& folder);
};

constexpr SampleStep kSampleSteps[] = {
    // With the description files, which describe the same site.
    {"statistic data", gen::WriteSampleStatisticFolder},
    {"transient events", gen::WriteSampleComtrade},
    {"alarm events", gen::WriteSampleSoe},
};

int RunSample(const Arguments& args) {
    const std::filesystem::path folder = platform::ToPath(args.positional.at(0));
    for (const SampleStep& step : kSampleSteps) {
        if (!step.write(folder)) {
            std::fprintf(stderr, "cannot write the %s into %s\n", step.what, args.positional.at(0).c_str());
            return 1;
        }
    }
    return 0;
}

struct Command {
    const char* name;
    std::size_t positionalCount;
    const char* usage;
    int (*run)(const Arguments& args);
};

constexpr Command kCommands[] = {
    {"sample", 1, "sample DIR                 a sample data folder for a new user", RunSample},
    {"description", 1,
     "description DIR [--encoding gbk|utf8|utf8bom|utf16le] [--lines crlf|lf] [--device K7700]\n"
     "                           recordinfo.cfg, recordset.ini and Statistic/statistic.cfg",
     RunDescription},
    {"comtrade", 1, "comtrade DIR [--format ascii|binary] [--samples N]\n"
     "                           a terminal folder with one COMTRADE record below COMTRADE/001",
     RunComtrade},
    {"waverecord", 1,
     "waverecord DIR [--rate 25600|12800|6400] [--seconds 60] [--flicker 0.004] [--base wave]\n"
     "                           a raw waveform record: <base>.cfg, <base>.data, <base>.expected",
     RunWaveRecord},
    {"medium", 1,
     "medium DIR [--device K7800] [--boards N]\n"
     "                           a terminal's drive: jmr_zv.verify, SCREEN, EXPORT and WAVE records",
     RunMedium},
    {"soe", 1, "soe DIR                    a terminal folder with SOE/K7700.soe of five event blocks", RunSoe},
};

void PrintUsage() {
    std::fprintf(stderr, "usage: ondrava-gen COMMAND ...\n");
    for (const Command& command : kCommands) {
        std::fprintf(stderr, "  %s\n", command.usage);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage();
        return 2;
    }
    Arguments args;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--") && i + 1 < argc) {
            args.options[std::string(arg.substr(2))] = argv[++i];
        } else {
            args.positional.emplace_back(arg);
        }
    }
    for (const Command& command : kCommands) {
        if (argv[1] == std::string_view(command.name)) {
            if (args.positional.size() != command.positionalCount) {
                PrintUsage();
                return 2;
            }
            return command.run(args);
        }
    }
    PrintUsage();
    return 2;
}
