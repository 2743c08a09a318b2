#pragma once
// The language list "Language/Language.xml" in the program folder: which languages
// exist, in which folders, and which one is selected. The file is the only store:
// every call reads it anew, so a selection saved by the language dialog is seen by
// the next call (the running program keeps the resources it loaded at start).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/LanguageInfo.h"

// One entry as the language dialog lists it.
struct LanguageChoice {
    std::int32_t id = 0;
    std::wstring name;
};

struct LanguageChoices {
    std::vector<LanguageChoice> items;  // in file order
    int selected = -1;                  // the first item whose id is "selectedId", or -1
};

class CZVLanguageList {
public:
    // Fills the record of the wanted id (-1: the list's "selectedId"). Returns true
    // when the list gave it; otherwise the built-in defaults are filled in.
    static bool Load(CLanguageInfo& info, std::int32_t wantedId);
    // Program folder, "Language", the selected language's folder name, each followed
    // by the platform separator.
    static std::wstring GetLanguageDir();
    // The part of a switch tip before (left) or after its separator: a newline, or
    // else a backslash (with the letter after it). Empty without a separator or when
    // the text starts with it.
    static std::wstring SplitText(const std::wstring& text, bool left);

    // What the language dialog shows; false (and nothing) when the list is unusable.
    static bool ReadChoices(LanguageChoices& choices);
    // Records the chosen language in the list, changing only "selectedId". False when
    // the list cannot be read or has no "Languages" root; a failed save is not reported.
    static bool SaveSelectedId(std::int32_t id);

    static std::filesystem::path ListFile();
};
