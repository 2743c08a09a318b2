#include "core/ZVResourceManager.h"

#include <atomic>
#include <cwctype>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/BuiltinResources.h"
#include "core/LanguagePack.h"
#include "core/ZVResourceManagerXML.h"
#include "platform/base/DynamicLibrary.h"
#include "platform/base/Encoding.h"

namespace {

constexpr LanguageInfoRow kLanguageRows[] = {
    {0x0419, 1251, "windows-1251", "Russian", "LANG_RUSSIAN", "SUBLANG_DEFAULT", 204},
    {0x0411, 932, "shift-jis", "Japanese", "LANG_JAPANESE", "SUBLANG_DEFAULT", 128},
    {0x0401, 1256, "windows-1256", "Arabic (Saudi Arabia)", "LANG_ARABIC", "SUBLANG_ARABIC_SAUDI_ARABIA", 178},
    {0x0405, 1250, "windows-1250", "Czech", "LANG_CZECH", "SUBLANG_DEFAULT", 238},
    {0x0406, 1252, "windows-1252", "Danish", "LANG_DANISH", "SUBLANG_DEFAULT", 0},
    {0x0407, 1252, "windows-1252", "German (Germany)", "LANG_GERMAN", "SUBLANG_GERMAN", 0},
    {0x0408, 1253, "windows-1253", "Greek", "LANG_GREEK", "SUBLANG_DEFAULT", 161},
    {0x0409, 0, "windows-1252", "English (United States)", "LANG_ENGLISH", "SUBLANG_ENGLISH_US", 0},
    {0x0C0A, 1252, "windows-1252", "Spanish (Spain - Modern Sort)", "LANG_SPANISH", "SUBLANG_SPANISH_MODERN", 0},
    {0x0425, 1257, "windows-1257", "Estonian", "LANG_ESTONIAN", "SUBLANG_DEFAULT", 186},
    {0x040B, 1252, "windows-1252", "Finnish", "LANG_FINNISH", "SUBLANG_DEFAULT", 0},
    {0x040C, 1252, "windows-1252", "French (France)", "LANG_FRENCH", "SUBLANG_FRENCH", 0},
    {0x040D, 1255, "windows-1255", "Hebrew", "LANG_HEBREW", "SUBLANG_DEFAULT", 177},
    {0x041A, 1250, "windows-1250", "Croatian", "LANG_CROATIAN", "SUBLANG_DEFAULT", 238},
    {0x040E, 1250, "windows-1250", "Hungarian", "LANG_HUNGARIAN", "SUBLANG_DEFAULT", 238},
    {0x0410, 1252, "windows-1252", "Italian (Italy)", "LANG_ITALIAN", "SUBLANG_ITALIAN", 0},
    {0x0412, 949, "ks_c_5601", "Korean", "LANG_KOREAN", "SUBLANG_DEFAULT", 129},
    {0x0427, 1257, "windows-1257", "Lithuanian", "LANG_LITHUANIAN", "SUBLANG_LITHUANIAN", 186},
    {0x0426, 1257, "windows-1257", "Latvian", "LANG_LATVIAN", "SUBLANG_DEFAULT", 186},
    {0x0413, 1252, "windows-1252", "Dutch", "LANG_DUTCH", "SUBLANG_DUTCH", 0},
    {0x0414, 1252, "windows-1252", "Norwegian (Bokmal)", "LANG_NORWEGIAN", "SUBLANG_NORWEGIAN_BOKMAL", 0},
    {0x0415, 1250, "windows-1250", "Polish", "LANG_POLISH", "SUBLANG_DEFAULT", 238},
    {0x0816, 1252, "windows-1252", "Portuguese (Portugal)", "LANG_PORTUGUESE", "SUBLANG_PORTUGUESE", 0},
    {0x0416, 1252, "windows-1252", "Portuguese (Brazil)", "LANG_PORTUGUESE", "SUBLANG_PORTUGUESE_BRAZILIAN", 0},
    {0x0418, 1250, "windows-1250", "Romanian", "LANG_ROMANIAN", "SUBLANG_DEFAULT", 238},
    {0x081A, 1250, "windows-1250", "Serbian", "LANG_SERBIAN", "SUBLANG_SERBIAN_LATIN", 238},
    {0x041B, 1250, "windows-1250", "Slovak", "LANG_SLOVAK", "SUBLANG_DEFAULT", 238},
    {0x0424, 1250, "windows-1250", "Slovenian", "LANG_SLOVENIAN", "SUBLANG_DEFAULT", 238},
    {0x041D, 1252, "windows-1252", "Swedish", "LANG_SWEDISH", "SUBLANG_DEFAULT", 0},
    {0x041E, 874, "windows-874", "Thai", "LANG_THAI", "SUBLANG_DEFAULT", 222},
    {0x041F, 1254, "windows-1254", "Turkish", "LANG_TURKISH", "SUBLANG_DEFAULT", 162},
    {0x0422, 1251, "windows-1251", "Ukrainian ", "LANG_UKRAINIAN", "SUBLANG_DEFAULT", 204},
    {0x0402, 1251, "windows-1251", "Bulgarian", "LANG_BULGARIAN", "SUBLANG_DEFAULT", 204},
    {0x0804, 936, "gb2312", "Chinese (PRC)", "LANG_CHINESE", "SUBLANG_CHINESE_SIMPLIFIED", 134},
    {0x0404, 950, "big5", "Chinese (Taiwan)", "LANG_CHINESE", "SUBLANG_CHINESE_TRADITIONAL", 136},
};

// Dialog templates read from a pack, each built once and kept while the pack lives.
class CDialogCache {
public:
    const DialogTemplateInfo* Find(unsigned int id) {
        std::lock_guard lock(m_lock);
        const auto found = m_templates.find(id);
        return found != m_templates.end() ? found->second.get() : nullptr;
    }
    const DialogTemplateInfo* Add(unsigned int id, DialogTemplateInfo info) {
        std::lock_guard lock(m_lock);
        auto& slot = m_templates[id];
        if (!slot) {
            slot = std::make_unique<DialogTemplateInfo>(std::move(info));
        }
        return slot.get();
    }

private:
    std::mutex m_lock;
    std::unordered_map<unsigned int, std::unique_ptr<DialogTemplateInfo>> m_templates;
};

const DialogTemplateInfo* CachedDialog(const CLanguagePack& pack, CDialogCache& cache, unsigned int id) {
    if (const DialogTemplateInfo* cached = cache.Find(id)) {
        return cached;
    }
    auto info = pack.FindDialog(id);
    return info ? cache.Add(id, std::move(*info)) : nullptr;
}

// The program's own resources, parsed once, living as long as the process.
class CBuiltinResources {
public:
    static CBuiltinResources& Instance() {
        static CBuiltinResources instance;
        return instance;
    }
    const std::vector<std::unique_ptr<CLanguagePack>>& Packs() const { return m_packs; }
    CDialogCache& Dialogs() { return m_dialogs; }

private:
    CBuiltinResources() {
        for (const BuiltinResourceFile& file : BuiltinResourceFiles()) {
            auto pack = std::make_unique<CLanguagePack>();
            if (pack->LoadText(file.bytes)) {
                m_packs.push_back(std::move(pack));
            }
        }
    }
    std::vector<std::unique_ptr<CLanguagePack>> m_packs;
    CDialogCache m_dialogs;
};

}  // namespace

// A shared library holding resources, loaded by SetResourceFile.
class CResourceModule {
public:
    bool Load(const std::filesystem::path& file) {
        if (!m_library.Load(file)) {
            return false;
        }
        if (auto entry = reinterpret_cast<ResourceModuleEntry>(m_library.Symbol(kResourceModuleSymbol))) {
            std::size_t size = 0;
            const char* bytes = entry(&size);
            if (bytes != nullptr && m_pack.LoadText(std::string_view(bytes, size))) {
                m_hasResources = true;
            }
        }
        return true;
    }
    // Null when the library holds no resources.
    const CLanguagePack* Pack() const { return m_hasResources ? &m_pack : nullptr; }
    CDialogCache& Dialogs() { return m_dialogs; }

private:
    platform::DynamicLibrary m_library;
    CLanguagePack m_pack;
    bool m_hasResources = false;
    CDialogCache m_dialogs;
};

namespace {

// The resource module the base look-ups use: none (the built-in resources) until
// SetResourceFile takes the resource-module road.
std::atomic<CResourceModule*> g_resourceModule{nullptr};

std::mutex g_managerLock;
std::unique_ptr<CZVResourceManager> g_manager;

}  // namespace

CZVResourceManager::CZVResourceManager() : m_language(FindLanguageInfo(kLangIdEnglishUs)) {}

CZVResourceManager::~CZVResourceManager() { CZVResourceManager::Close(); }

const LanguageInfoRow* CZVResourceManager::FindLanguageInfo(std::uint16_t langId) {
    for (const LanguageInfoRow& row : kLanguageRows) {
        if (row.langId == langId) {
            return &row;
        }
    }
    return nullptr;
}

void CZVResourceManager::SetLanguage(std::uint16_t langId) {
    const LanguageInfoRow* row = FindLanguageInfo(langId);
    m_language = row != nullptr ? row : FindLanguageInfo(kLangIdEnglishUs);
}

std::uint16_t CZVResourceManager::GetResourcesLangID() const { return m_language->langId; }

const LanguageInfoRow* CZVResourceManager::UpdateResourcesLangID() {
    // The first language of the resources that is not US English (0 is neutral).
    std::uint16_t langId = kLangIdEnglishUs;
    const CResourceModule* module = g_resourceModule.load();
    if (module != nullptr && module->Pack() != nullptr) {
        if (module->Pack()->LangId() != 0) {
            langId = module->Pack()->LangId();
        }
    } else {
        for (const auto& pack : CBuiltinResources::Instance().Packs()) {
            if (pack->LangId() != 0 && pack->LangId() != kLangIdEnglishUs) {
                langId = pack->LangId();
                break;
            }
        }
    }
    SetLanguage(langId);
    return m_language;
}

std::wstring CZVResourceManager::LoadString(unsigned int id, int* notFound) {
    std::wstring text;
    const bool found = LoadString(text, id);
    if (notFound != nullptr) {
        *notFound = found ? 0 : 1;
    }
    if (!found) {
        text.clear();
    }
    return text;
}

bool CZVResourceManager::LoadString(std::wstring& text, unsigned int id) { return LoadBaseString(text, id); }

bool CZVResourceManager::LoadMenu(MenuTemplate& menu, unsigned int id) { return LoadBaseMenu(menu, id); }

const DialogTemplateInfo* CZVResourceManager::LoadDialogTemplate(unsigned int id) {
    return LoadBaseDialogTemplate(id);
}

bool CZVResourceManager::LoadBaseString(std::wstring& text, unsigned int id) {
    CResourceModule* module = g_resourceModule.load();
    if (module != nullptr && module->Pack() != nullptr) {
        // An empty string in a resource module counts as missing.
        auto found = module->Pack()->FindString(id);
        if (found && !found->empty()) {
            text = std::move(*found);
            return true;
        }
    }
    for (const auto& pack : CBuiltinResources::Instance().Packs()) {
        if (auto found = pack->FindString(id)) {
            text = std::move(*found);
            return true;
        }
    }
    return false;
}

bool CZVResourceManager::LoadBaseMenu(MenuTemplate& menu, unsigned int id) {
    CResourceModule* module = g_resourceModule.load();
    if (module != nullptr && module->Pack() != nullptr) {
        MenuTemplate items = module->Pack()->FindMenu(id);
        if (!items.empty()) {
            menu = std::move(items);
            return true;
        }
    }
    for (const auto& pack : CBuiltinResources::Instance().Packs()) {
        MenuTemplate items = pack->FindMenu(id);
        if (!items.empty()) {
            menu = std::move(items);
            return true;
        }
    }
    return false;
}

const DialogTemplateInfo* CZVResourceManager::LoadBaseDialogTemplate(unsigned int id) {
    if (id == 0) {
        return nullptr;
    }
    CResourceModule* module = g_resourceModule.load();
    if (module != nullptr && module->Pack() != nullptr) {
        if (const DialogTemplateInfo* info = CachedDialog(*module->Pack(), module->Dialogs(), id)) {
            return info;
        }
    }
    CBuiltinResources& builtin = CBuiltinResources::Instance();
    for (const auto& pack : builtin.Packs()) {
        if (const DialogTemplateInfo* info = CachedDialog(*pack, builtin.Dialogs(), id)) {
            return info;
        }
    }
    return nullptr;
}

void CZVResourceManager::Close() {
    if (m_module) {
        // The base look-ups must not go on using a module that is being freed.
        CResourceModule* expected = m_module.get();
        g_resourceModule.compare_exchange_strong(expected, nullptr);
        m_module.reset();
    }
}

CZVResourceManager* CZVResourceManager::GetResourceManager() {
    std::lock_guard lock(g_managerLock);
    if (!g_manager) {
        g_manager = std::make_unique<CZVResourceManager>();
    }
    return g_manager.get();
}

bool CZVResourceManager::SetResourceManager(std::unique_ptr<CZVResourceManager> manager) {
    if (!manager) {
        return false;
    }
    if (!manager->IsValid()) {
        return false;  // destroyed here; the installed manager stays
    }
    manager->UpdateResourcesLangID();
    std::unique_ptr<CZVResourceManager> previous;
    {
        std::lock_guard lock(g_managerLock);
        previous = std::exchange(g_manager, std::move(manager));
    }
    return true;
}

bool CZVResourceManager::SetResourceFile(std::wstring_view path) {
    std::wstring extension;
    if (path.size() >= 4) {
        for (wchar_t c : path.substr(path.size() - 3)) {
            extension.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))));
        }
    }
    if (extension == L"xml") {
        return SetResourceManager(std::make_unique<CZVResourceManagerXML>(platform::ToPath(path)));
    }
    auto manager = std::make_unique<CZVResourceManager>();
    CResourceModule* module = nullptr;
    if (!path.empty()) {
        auto loaded = std::make_unique<CResourceModule>();
        if (loaded->Load(platform::ToPath(path))) {
            manager->m_module = std::move(loaded);
            module = manager->m_module.get();
        }
    }
    g_resourceModule.store(module);
    return SetResourceManager(std::move(manager));
}
