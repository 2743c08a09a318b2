#pragma once
// The process-wide resource manager: every user-visible text, menu and dialog
// template is fetched by identifier through CZVResourceManager::GetResourceManager().
// The base manager serves a resource module when one is set, then the program's
// built-in resources; CZVResourceManagerXML reads a language pack first.
//
// A resource module is a shared library exporting
//   extern "C" const char* OndravaResourceXml(std::size_t* size);
// which returns a document in the language-pack schema.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/DialogTemplate.h"
#include "platform/base/MenuTemplate.h"

class CResourceModule;

inline constexpr const char* kResourceModuleSymbol = "OndravaResourceXml";
using ResourceModuleEntry = const char* (*)(std::size_t* size);

// One row of the table of languages the resources may be written in.
struct LanguageInfoRow {
    std::uint16_t langId;
    std::uint16_t codePage;  // 0: the system's ANSI code page
    const char* charsetName;
    const char* englishName;
    const char* language;
    const char* subLanguage;
    std::uint8_t gdiCharset;
};

inline constexpr std::uint16_t kLangIdEnglishUs = 1033;

class CZVResourceManager {
public:
    CZVResourceManager();
    virtual ~CZVResourceManager();
    CZVResourceManager(const CZVResourceManager&) = delete;
    CZVResourceManager& operator=(const CZVResourceManager&) = delete;

    // The text, empty when not found; *notFound (when given) is 1 then, else 0.
    virtual std::wstring LoadString(unsigned int id, int* notFound = nullptr);
    virtual bool LoadString(std::wstring& text, unsigned int id);
    // Fills the menu's items; false when the menu exists nowhere.
    virtual bool LoadMenu(MenuTemplate& menu, unsigned int id);
    // A template owned by the manager (or, for built-in ones, by the process); the
    // same pointer each time. Null for identifier 0 and when the dialog exists nowhere.
    virtual const DialogTemplateInfo* LoadDialogTemplate(unsigned int id);
    // Frees the resource module (and, in the XML manager, the pack and its templates).
    virtual void Close();
    virtual std::uint16_t GetResourcesLangID() const;
    // Sets the current language row from the resources and returns it.
    virtual const LanguageInfoRow* UpdateResourcesLangID();

    bool IsValid() const { return m_valid != 0; }

    // The installed manager; a base manager is made on first use.
    static CZVResourceManager* GetResourceManager();
    // "….xml" (by its last three characters, any case): an XML manager for the file;
    // anything else: a base manager with the path as resource module (none when empty
    // or not loadable). Returns whether the new manager was installed.
    static bool SetResourceFile(std::wstring_view path);
    // Installs a valid manager in place of the current one (which is destroyed);
    // an invalid one is destroyed and the current one stays.
    static bool SetResourceManager(std::unique_ptr<CZVResourceManager> manager);
    static const LanguageInfoRow* FindLanguageInfo(std::uint16_t langId);

protected:
    // Look-ups of the base: the process's resource module, then the built-in resources.
    bool LoadBaseString(std::wstring& text, unsigned int id);
    bool LoadBaseMenu(MenuTemplate& menu, unsigned int id);
    const DialogTemplateInfo* LoadBaseDialogTemplate(unsigned int id);
    void SetLanguage(std::uint16_t langId);

    int m_valid = 1;
    const LanguageInfoRow* m_language;

private:
    // The resource module this manager loaded and frees.
    std::unique_ptr<CResourceModule> m_module;
};
