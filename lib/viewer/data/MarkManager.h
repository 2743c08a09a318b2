#pragma once
// The marks of one viewer: named positions on the sample axis (cursors "M1", "M2",
// ...; the search mark "Find"; the region marks "Begin" and "End"). The store keeps
// them as "mark" elements under a root "marks" (version "1.0") of an XML document,
// in order; a mark's index is its place among the root's elements. Everything else
// (mark bar, waveform control, marks dialog) reads and writes marks only through
// IMarkManager, by index and attribute name, with every value as text:
//   "name"        unique name
//   "group"       decimal; marks of the same group above 0 move together
//   "position"    sample index, signed 64-bit decimal
//   "snap"        "1" on cursor marks and "Find"
//   "background", "foreground"  colours "red;green;blue"
//   "comment"     free text
//   "ref"         name of the partner mark (the second mark of a cursor pair)

#include <string>

#include <tinyxml2.h>

class IMarkManager {
protected:
    virtual ~IMarkManager() = default;

public:
    // The whole document as XML text; 1.
    virtual int GetXml(std::wstring* xml) = 0;
    // Replaces all marks by those of the text; 1. When the text is not a well-formed
    // marks document the marks stay exactly as they were, *reason (when given) says
    // why, and the result is 0.
    virtual int LoadXml(const std::wstring& xml, std::wstring* reason) = 0;
    // Appends a mark of that name; its index, or -1 when a mark of that name exists
    // (nothing changes then).
    virtual int AddMark(const std::wstring& name) = 0;
    // 0 when there is no mark at the index.
    virtual int RemoveMark(int index) = 0;
    virtual int RemoveAllMarks() = 0;
    // Moves the mark to the first (drawn first, so beneath the others) or last place.
    virtual int MoveMarkFirst(int index) = 0;
    virtual int MoveMarkLast(int index) = 0;
    virtual int GetCount() = 0;
    // 0, value untouched, when the mark or the attribute does not exist.
    virtual int GetMarkAttribute(int index, const std::wstring& name, std::wstring* value) = 0;
    // Creates or sets the attribute; 0 when there is no mark at the index or the name
    // cannot be an XML attribute name.
    virtual int SetMarkAttribute(int index, const std::wstring& name, const std::wstring& value) = 0;
    // The index of the first mark whose name equals the name exactly; -1 for none.
    virtual int FindMark(const std::wstring& name) = 0;
};

class CMarkManager final : public IMarkManager {
public:
    // Starts with no marks.
    CMarkManager();
    ~CMarkManager() override = default;
    CMarkManager(const CMarkManager&) = delete;
    CMarkManager& operator=(const CMarkManager&) = delete;

    int GetXml(std::wstring* xml) override;
    int LoadXml(const std::wstring& xml, std::wstring* reason) override;
    int AddMark(const std::wstring& name) override;
    int RemoveMark(int index) override;
    int RemoveAllMarks() override;
    int MoveMarkFirst(int index) override;
    int MoveMarkLast(int index) override;
    int GetCount() override;
    int GetMarkAttribute(int index, const std::wstring& name, std::wstring* value) override;
    int SetMarkAttribute(int index, const std::wstring& name, const std::wstring& value) override;
    int FindMark(const std::wstring& name) override;

private:
    tinyxml2::XMLElement* Root();
    tinyxml2::XMLElement* MarkAt(int index);

    tinyxml2::XMLDocument m_document;
};
