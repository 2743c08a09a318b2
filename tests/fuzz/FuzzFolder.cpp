#include "tests/fuzz/FuzzFolder.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/ProgramFolder.h"

namespace fuzz {
namespace fs = std::filesystem;

namespace {

fs::path MemoryRoot() {
    if (const char* chosen = std::getenv("ONDRAVA_FUZZ_TMP"); chosen != nullptr && *chosen != '\0') {
        return chosen;
    }
    std::error_code error;
    if (fs::is_directory("/dev/shm", error)) {
        return "/dev/shm";
    }
    return fs::temp_directory_path();
}

// The busy indicator of a process without windows keeps every note it is given; over
// a million inputs that is memory growing without end, and every input would look
// like a leak to the fuzzer.
class QuietHourglaze : public platform::IHourglaze {
public:
    void Start(void*) override {}
    void Update(double) override {}
    void Increase(double) override {}
    void Notify(const std::wstring&) override {}
    double GetPos() override { return 0.0; }
    void End() override {}
};

void WriteBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

}  // namespace

FuzzFolder& FuzzFolder::Get() {
    static FuzzFolder folder;
    return folder;
}

FuzzFolder::FuzzFolder()
    : m_root(MemoryRoot() / ("ondrava-fuzz-" + std::to_string(::getpid()))),
      m_input(m_root / "input"),
      m_program(m_root / "program") {
    fs::remove_all(m_root);
    fs::create_directories(m_input);
    fs::create_directories(m_program);
    fs::create_symlink("/dev/null", m_program / "OndravaLog.log");
    ::setenv(platform::kProgramFolderVariable, m_program.c_str(), 1);
    static QuietHourglaze quiet;
    platform::SetHourglaze(&quiet);
}

FuzzFolder::~FuzzFolder() {
    std::error_code error;
    fs::remove_all(m_root, error);
}

const fs::path& FuzzFolder::Fresh() {
    std::error_code error;
    fs::remove_all(m_input, error);
    fs::create_directories(m_input);
    return m_input;
}

void FuzzFolder::Write(std::string_view relativeUtf8, const std::optional<std::string>& bytes) const {
    if (!bytes) {
        return;
    }
    const fs::path file = m_input / platform::ToPath(relativeUtf8);
    fs::create_directories(file.parent_path());
    WriteBytes(file, *bytes);
}

std::size_t FuzzFolder::Write(const std::vector<NamedFile>& files) const {
    std::size_t written = 0;
    for (const NamedFile& file : files) {
        const fs::path relative = platform::ToPath(std::string_view(file.path));
        std::size_t levels = 0;
        bool inside = !file.path.empty() && relative.is_relative() && file.path.find('\0') == std::string::npos;
        for (const fs::path& part : relative) {
            inside = inside && part != ".." && part != "." && !part.empty() && ++levels <= 4;
        }
        if (!inside) {
            continue;
        }
        const fs::path path = m_input / relative;
        std::error_code error;
        fs::create_directories(path.parent_path(), error);
        if (error || fs::is_directory(path, error)) {
            continue;
        }
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
        written += out ? 1 : 0;
    }
    return written;
}

void FuzzFolder::ProvideResource(std::string_view sourceRelativeUtf8) const {
    const fs::path source = platform::ToPath(std::string_view(ONDRAVA_SOURCE_DIR)) / platform::ToPath(sourceRelativeUtf8);
    fs::copy_file(source, m_program / source.filename(), fs::copy_options::overwrite_existing);
}

}  // namespace fuzz
