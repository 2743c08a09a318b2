#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>

#include "tests/support/ProgramFolderFixture.h"

namespace {

// The program loads the library as Tracelume and, for waveform records, as
// TracelumeRecord; both must load completely and be the one library.
TEST(TracelumeLibraryTest, BothNamesLoadOneInstance) {
    const std::filesystem::path folder = testsupport::BuildProgramFolder();
    void* library = ::dlopen((folder / "libTracelume.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    void* record = ::dlopen((folder / "libTracelumeRecord.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(record, nullptr) << ::dlerror();
    EXPECT_EQ(record, library);
    ::dlclose(record);
    ::dlclose(library);
}

}  // namespace
