// The markup parser and the language list read through it: any bytes as
// "Language/Language.xml". Walking the index never leaves the document; saving the
// selected language changes the file only when it can read it. In a document that is
// XML (valid UTF-8 that tinyxml2 reads), an edited attribute reads back as set, also after the
// text is parsed again. (In damaged start tags an added attribute may be taken for
// the value of a stray "=" before it: the parser tolerates such tags, it does not
// repair them.)

#include <tinyxml2.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/LanguageInfo.h"
#include "core/ZVLanguageList.h"
#include "core/ZVMarkup.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

constexpr const wchar_t* kAttributes[] = {L"Id", L"name", L"selectedId", L"dirName", L"value"};

void ReadAttributes(const CZVMarkup& markup) {
    for (const wchar_t* name : kAttributes) {
        (void)markup.GetAttrib(name);
    }
}

// Depth first through the children of the current element.
void Walk(CZVMarkup& markup, int depth) {
    while (markup.FindChildElem()) {
        markup.IntoElem();
        ReadAttributes(markup);
        if (depth < 64) {
            Walk(markup, depth + 1);
        }
        markup.OutOfElem();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzz::FuzzFolder::Get();  // the program folder the list lies in
    const std::filesystem::path list = CZVLanguageList::ListFile();
    std::filesystem::create_directories(list.parent_path());
    if (!platform::AtomicWriteFile(list, bytes)) {
        fuzz::PropertyBroken("markup", "cannot write the input");
    }

    CZVMarkup markup;
    const bool wellFormed = markup.Load(list);
    while (markup.FindElem()) {
        ReadAttributes(markup);
        Walk(markup, 0);
    }

    tinyxml2::XMLDocument strict;
    const bool xml = wellFormed && platform::IsValidUtf8(bytes) &&
                     strict.Parse(bytes.data(), bytes.size()) == tinyxml2::XML_SUCCESS;
    CZVMarkup edited;
    edited.Load(list);
    const std::wstring value = L"v <&\"'> \U0001F600";
    if (xml && edited.FindElem()) {
        edited.SetAttrib(L"selectedId", value.c_str());
        if (edited.GetAttrib(L"selectedId") != value) {
            fuzz::PropertyBroken("markup", "an attribute set does not read back");
        }
        CZVMarkup again;
        if (!again.SetDoc(edited.GetDoc())) {
            fuzz::PropertyBroken("markup", "an edit made a well-formed document malformed");
        }
        if (!again.FindElem() || again.GetAttrib(L"selectedId") != value) {
            fuzz::PropertyBroken("markup", "an attribute set does not read back from the edited text");
        }
    }

    // GetLanguageDir loads the selected language itself.
    CLanguageInfo info;
    (void)CZVLanguageList::Load(info, 2);
    LanguageChoices choices;
    (void)CZVLanguageList::ReadChoices(choices);
    (void)CZVLanguageList::GetLanguageDir();
    if (!CZVLanguageList::SaveSelectedId(5)) {
        if (platform::ReadFileBytes(list) != bytes) {
            fuzz::PropertyBroken("markup", "a refused save changed the list");
        }
    } else if (xml) {
        CZVMarkup saved;
        if (!saved.Load(list) || !saved.FindElem(L"Languages") || saved.GetAttrib(L"selectedId") != L"5") {
            fuzz::PropertyBroken("markup", "the saved selection does not read back");
        }
    }
    return 0;
}
