// ondrava-gen: writes terminal data folders for tests, benchmarks and the sample
// folder that run.sh offers a new user.
//
//   ondrava-gen COMMAND ARGUMENTS... [--option value]...
//
// Each data format adds one line to kCommands (a command of its own) and, when the
// sample folder should hold it, one line to kSampleSteps.

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Encoding.h"
#include "tools/gen/DescriptionFiles.h"
#include "tools/gen/StatisticFolder.h"

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

// The sample folder: each step writes one kind of data into it.
struct SampleStep {
    const char* what;
    bool (*write)(const std::filesystem::path& folder);
};

bool WriteSampleDescription(const std::filesystem::path& folder) {
    return gen::WriteDescriptionFiles(folder, gen::DescriptionFiles{});
}

constexpr SampleStep kSampleSteps[] = {
    {"description files", WriteSampleDescription},
    // After the description files: it rewrites statistic.cfg to match its items.
    {"statistic data", gen::WriteSampleStatisticFolder},
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
