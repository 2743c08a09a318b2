#include "platform/base/DynamicLibrary.h"

#include <dlfcn.h>
#include <utility>

#include "platform/base/Encoding.h"

namespace platform {

DynamicLibrary::DynamicLibrary(const std::filesystem::path& file) { Load(file); }

DynamicLibrary::~DynamicLibrary() { Unload(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)), m_error(std::move(other.m_error)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        Unload();
        m_handle = std::exchange(other.m_handle, nullptr);
        m_error = std::move(other.m_error);
    }
    return *this;
}

bool DynamicLibrary::Load(const std::filesystem::path& file) {
    Unload();
    m_handle = ::dlopen(PathToUtf8(file).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle == nullptr) {
        const char* message = ::dlerror();
        m_error = message != nullptr ? message : "cannot load " + PathToUtf8(file);
        return false;
    }
    m_error.clear();
    return true;
}

void DynamicLibrary::Unload() {
    if (m_handle != nullptr) {
        ::dlclose(m_handle);
        m_handle = nullptr;
    }
}

void* DynamicLibrary::Symbol(const char* name) const {
    return m_handle != nullptr ? ::dlsym(m_handle, name) : nullptr;
}

}  // namespace platform
