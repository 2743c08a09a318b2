#pragma once
// The program's own resources: the XML files of resources/builtin (language-pack
// schema), embedded into the library when it is built. They stand in for the
// resources a Windows program carries in its executable.

#include <span>
#include <string_view>

struct BuiltinResourceFile {
    std::string_view name;   // file name, e.g. "Ondrava.xml"
    std::string_view bytes;  // the file as written
};

// Sorted by file name.
std::span<const BuiltinResourceFile> BuiltinResourceFiles();
