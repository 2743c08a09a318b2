#include "core/ZVResourceManagerXML.h"

#include "core/LanguagePack.h"

CZVResourceManagerXML::CZVResourceManagerXML(const std::filesystem::path& file)
    : m_document(std::make_unique<CLanguagePack>()) {
    m_valid = m_document->LoadFile(file) ? 1 : 0;
    if (!m_valid) {
        m_document.reset();
    }
}

CZVResourceManagerXML::~CZVResourceManagerXML() { CZVResourceManagerXML::Close(); }

bool CZVResourceManagerXML::LoadString(std::wstring& text, unsigned int id) {
    if (m_valid && m_document) {
        if (auto found = m_document->FindString(id)) {
            text = std::move(*found);
            return true;
        }
    }
    return LoadBaseString(text, id);
}

bool CZVResourceManagerXML::LoadMenu(MenuTemplate& menu, unsigned int id) {
    if (m_valid && m_document) {
        MenuTemplate items = m_document->FindMenu(id);
        if (!items.empty()) {
            menu = std::move(items);
            return true;
        }
    }
    return LoadBaseMenu(menu, id);
}

const DialogTemplateInfo* CZVResourceManagerXML::LoadDialogTemplate(unsigned int id) {
    if (id == 0) {
        return nullptr;
    }
    if (m_valid && m_document) {
        std::lock_guard lock(m_dialogCacheLock);
        auto& slot = m_dialogCache[id];
        if (!slot) {
            if (auto info = m_document->FindDialog(id)) {
                slot = std::make_unique<DialogTemplateInfo>(std::move(*info));
            }
        }
        if (slot) {
            return slot.get();
        }
        m_dialogCache.erase(id);
    }
    return LoadBaseDialogTemplate(id);
}

void CZVResourceManagerXML::Close() {
    {
        std::lock_guard lock(m_dialogCacheLock);
        m_dialogCache.clear();
    }
    m_document.reset();
    m_valid = 0;
    CZVResourceManager::Close();
}

const LanguageInfoRow* CZVResourceManagerXML::UpdateResourcesLangID() {
    SetLanguage(m_document ? m_document->LangId() : kLangIdEnglishUs);
    return m_language;
}
