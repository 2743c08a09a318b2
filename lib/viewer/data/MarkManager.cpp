#include "lib/viewer/data/MarkManager.h"

#include <memory>
#include <string_view>

#include "lib/viewer/data/XmlText.h"
#include "platform/base/Encoding.h"

namespace {

constexpr const char* kRoot = "marks";
constexpr const char* kMark = "mark";
constexpr const char* kName = "name";

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// An XML name (ASCII rules; any character beyond ASCII is let through), so that a
// written document always reads back.
bool IsXmlName(std::string_view name) {
    if (name.empty() || !IsNameStart(name.front())) {
        return false;
    }
    for (const char c : name.substr(1)) {
        if (!IsNameStart(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

void MakeEmpty(tinyxml2::XMLDocument& document) {
    document.Clear();
    tinyxml2::XMLElement* root = document.NewElement(kRoot);
    root->SetAttribute("version", "1.0");
    document.InsertEndChild(root);
}

}  // namespace

CMarkManager::CMarkManager() { MakeEmpty(m_document); }

tinyxml2::XMLElement* CMarkManager::Root() { return m_document.RootElement(); }

tinyxml2::XMLElement* CMarkManager::MarkAt(int index) {
    if (index < 0) {
        return nullptr;
    }
    tinyxml2::XMLElement* mark = Root()->FirstChildElement();
    for (; mark != nullptr && index > 0; --index) {
        mark = mark->NextSiblingElement();
    }
    return mark;
}

int CMarkManager::GetXml(std::wstring* xml) {
    if (xml != nullptr) {
        *xml = tracelume::XmlText(m_document);
    }
    return 1;
}

int CMarkManager::LoadXml(const std::wstring& xml, std::wstring* reason) {
    // Parsed aside: the marks change only when the whole text is good.
    auto loaded = std::make_unique<tinyxml2::XMLDocument>();
    std::wstring why;
    if (tracelume::ParseXmlText(*loaded, xml, &why) &&
        (loaded->RootElement() == nullptr || std::string_view(loaded->RootElement()->Name()) != kRoot)) {
        why = L"the document's root element is not \"marks\"";
    }
    if (!why.empty()) {
        if (reason != nullptr) {
            *reason = why;
        }
        return 0;
    }
    loaded->DeepCopy(&m_document);
    return 1;
}

int CMarkManager::AddMark(const std::wstring& name) {
    if (FindMark(name) >= 0) {
        return -1;
    }
    tinyxml2::XMLElement* mark = m_document.NewElement(kMark);
    mark->SetAttribute(kName, platform::WideToUtf8(name).c_str());
    Root()->InsertEndChild(mark);
    return GetCount() - 1;
}

int CMarkManager::RemoveMark(int index) {
    tinyxml2::XMLElement* mark = MarkAt(index);
    if (mark == nullptr) {
        return 0;
    }
    Root()->DeleteChild(mark);
    return 1;
}

int CMarkManager::RemoveAllMarks() {
    while (tinyxml2::XMLElement* mark = Root()->LastChildElement()) {
        Root()->DeleteChild(mark);
    }
    return 1;
}

int CMarkManager::MoveMarkFirst(int index) {
    tinyxml2::XMLElement* mark = MarkAt(index);
    if (mark == nullptr) {
        return 0;
    }
    Root()->InsertFirstChild(mark);
    return 1;
}

int CMarkManager::MoveMarkLast(int index) {
    tinyxml2::XMLElement* mark = MarkAt(index);
    if (mark == nullptr) {
        return 0;
    }
    Root()->InsertEndChild(mark);
    return 1;
}

int CMarkManager::GetCount() {
    int count = 0;
    for (const tinyxml2::XMLElement* mark = Root()->FirstChildElement(); mark != nullptr;
         mark = mark->NextSiblingElement()) {
        ++count;
    }
    return count;
}

int CMarkManager::GetMarkAttribute(int index, const std::wstring& name, std::wstring* value) {
    const tinyxml2::XMLElement* mark = MarkAt(index);
    const char* text = mark == nullptr ? nullptr : mark->Attribute(platform::WideToUtf8(name).c_str());
    if (text == nullptr) {
        return 0;
    }
    if (value != nullptr) {
        *value = platform::Utf8ToWide(text);
    }
    return 1;
}

int CMarkManager::SetMarkAttribute(int index, const std::wstring& name, const std::wstring& value) {
    tinyxml2::XMLElement* mark = MarkAt(index);
    const std::string attribute = platform::WideToUtf8(name);
    if (mark == nullptr || !IsXmlName(attribute)) {
        return 0;
    }
    mark->SetAttribute(attribute.c_str(), platform::WideToUtf8(value).c_str());
    return 1;
}

int CMarkManager::FindMark(const std::wstring& name) {
    const std::string wanted = platform::WideToUtf8(name);
    int index = 0;
    for (const tinyxml2::XMLElement* mark = Root()->FirstChildElement(); mark != nullptr;
         mark = mark->NextSiblingElement(), ++index) {
        const char* markName = mark->Attribute(kName);
        if (markName != nullptr && wanted == markName) {
            return index;
        }
    }
    return -1;
}
