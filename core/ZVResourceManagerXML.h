#pragma once
// A resource manager that reads strings, menus and dialog templates from a language
// pack ("Ondrava.xml" of the selected language) and falls back to the base look-ups
// (resource module, built-in resources) for whatever the pack lacks.

#include <filesystem>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "core/ZVResourceManager.h"

class CLanguagePack;

class CZVResourceManagerXML : public CZVResourceManager {
public:
    using MENUITEMTEMPLATEINFO = MenuItemTemplateInfo;
    using DLGITEMTEMPLATEINFO = DialogItemTemplateInfo;

    // Valid only when the file loads and its root is "resource".
    explicit CZVResourceManagerXML(const std::filesystem::path& file);
    ~CZVResourceManagerXML() override;

    using CZVResourceManager::LoadString;
    bool LoadString(std::wstring& text, unsigned int id) override;
    // A "menu" element without items falls back to the base look-ups.
    bool LoadMenu(MenuTemplate& menu, unsigned int id) override;
    const DialogTemplateInfo* LoadDialogTemplate(unsigned int id) override;
    void Close() override;
    // The pack's "LANGID" (1033 when absent or not in the language table).
    const LanguageInfoRow* UpdateResourcesLangID() override;

private:
    std::unique_ptr<CLanguagePack> m_document;
    std::mutex m_dialogCacheLock;
    std::unordered_map<unsigned int, std::unique_ptr<DialogTemplateInfo>> m_dialogCache;
};
