// Language packs and the dialog templates, menus and strings read from them: any
// bytes as a pack, loaded directly and through the XML resource manager, and every
// string, menu and dialog that names an identifier looked up.

#include <tinyxml2.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

#include "core/LanguagePack.h"
#include "core/ZVResourceManagerXML.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

// The identifiers the root's children give, as the pack reads them.
std::set<unsigned int> Identifiers(const std::string& text) {
    std::set<unsigned int> ids;
    tinyxml2::XMLDocument document;
    if (document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS || document.RootElement() == nullptr) {
        return ids;
    }
    for (auto* element = document.RootElement()->FirstChildElement(); element != nullptr && ids.size() < 200;
         element = element->NextSiblingElement()) {
        if (const char* id = element->Attribute("id")) {
            if (const auto number = CLanguagePack::ParseNumber(id)) {
                ids.insert(static_cast<unsigned int>(*number));
            }
        }
    }
    return ids;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& folder = fuzz::FuzzFolder::Get();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::set<unsigned int> ids = Identifiers(bytes);
    if (platform::DetectEncoding(bytes) == platform::TextEncoding::Utf16LE) {
        ids.merge(Identifiers(platform::WideToUtf8(platform::Decode(bytes, platform::TextEncoding::Utf16LE))));
    }
    ids.insert(0);

    CLanguagePack pack;
    if (pack.LoadText(bytes)) {
        (void)pack.LangId();
        for (const unsigned int id : ids) {
            (void)pack.FindString(id);
            (void)pack.FindMenu(id);
            (void)pack.FindDialog(id);
        }
    }

    folder.Fresh();
    folder.Write("Ondrava.xml", bytes);
    CZVResourceManagerXML manager(folder.Input() / "Ondrava.xml");
    if (manager.IsValid()) {
        (void)manager.UpdateResourcesLangID();
        for (const unsigned int id : ids) {
            std::wstring text;
            (void)manager.LoadString(text, id);
            MenuTemplate menu;
            (void)manager.LoadMenu(menu, id);
            const DialogTemplateInfo* dialog = manager.LoadDialogTemplate(id);
            if (dialog != manager.LoadDialogTemplate(id)) {
                fuzz::PropertyBroken("language pack", "a dialog template is not the same record each time");
            }
        }
        manager.Close();
    }
    return 0;
}
