#pragma once
// A shared library loaded at run time; unloaded when the object goes.

#include <filesystem>
#include <string>

namespace platform {

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    explicit DynamicLibrary(const std::filesystem::path& file);
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    bool Load(const std::filesystem::path& file);
    void Unload();
    bool IsLoaded() const { return m_handle != nullptr; }
    void* Symbol(const char* name) const;
    // The loader's message for the last failure.
    const std::string& Error() const { return m_error; }

private:
    void* m_handle = nullptr;
    std::string m_error;
};

}  // namespace platform
