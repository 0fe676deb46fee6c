#pragma once
// A small markup document: one wide text, an index of its elements, a current position,
// attribute and content accessors, and in-place edits that insert into the text.
// Ours, not a general XML library: the exact texts it writes and reads are part of the setup and remote formats.
//
// Navigation keeps three places: the parent, the current element and the current child
// (0 = none). Walking with FindNode may also stop on a node that is not an element (text,
// CDATA, comment, ...); the current element is then the last element before it.

#include "CvxMarkupElement.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CvxMarkupDocument {
public:
    CvxMarkupDocument();
    // Parses `text` (see Parse).
    explicit CvxMarkupDocument(std::u16string text);
    ~CvxMarkupDocument();

    // Replaces the text and rebuilds the index; false (with GetLastError set) when the
    // text holds no well-formed root element. The navigation goes back to the start.
    bool Parse(std::u16string text);
    const std::u16string& GetText() const { return m_text; }
    bool HasRoot() const { return m_index[0].firstChild != 0; }
    // The error of the last failed parse; empty after a successful one.
    const std::u16string& GetLastError() const { return m_lastError; }

    // ---- Navigation ----
    // Back to the start of the document: no parent, no current element.
    void ResetPosition();
    // Finds the next element after the current one at this level whose name matches and
    // makes it current. An empty name matches any element, as does a "*" segment; "a/b"
    // descends into the matching a's children; a leading "/" starts at the document, so
    // that its first segment names the root.
    bool FindElement(std::u16string_view name = {});
    // The same among the current element's children, moving the current child.
    bool FindChildElement(std::u16string_view name = {});
    // The current element becomes the parent and its current child (possibly none) the
    // current element; false without a current element.
    bool EnterElement();
    // Back up one level: the parent becomes current again; false at the document level.
    bool LeaveElement();
    // Walks to the next node at this level whose kind is among the EvxMarkupNode bits of
    // `kinds` (0: any); answers its kind, or kMarkupNodeNone at the end of the level.
    int FindNode(int kinds = 0);

    // ---- Reading ----
    // The current node's name: an element's tag name, "#text", "#cdata-section",
    // "#comment", or a processing instruction's or declaration's first token.
    std::u16string GetTagName() const;
    // The current node's text: an element's content with entities decoded (a CDATA
    // section as it is written; "" when it has child elements); for other nodes their
    // own text without their markers.
    std::u16string GetContent() const;
    // False, leaving `value` unchanged, when there is no such attribute. Ints read the
    // leading decimal digits; a bool is true only for "T".
    bool GetAttribute(std::u16string_view name, std::u16string& value) const;
    bool GetAttribute(std::u16string_view name, int& value) const;
    bool GetAttribute(std::u16string_view name, bool& value) const;
    bool GetChildAttribute(std::u16string_view name, std::u16string& value) const;
    bool GetChildAttribute(std::u16string_view name, int& value) const;

    // ---- Editing ----
    // Inserts "<name>data</name>\r\n" (or "<name/>\r\n" for empty data) after the current
    // element, or as the parent's last child when there is none, and makes it current. An
    // empty parent "<p/>" is first opened into "<p>\r\n</p>". Only one root may exist.
    // False for a name that cannot be written (empty, blanks, markup characters).
    bool AddElement(std::u16string_view name, std::u16string_view data = {});
    // The same one level down, after the current child; makes it the current child.
    bool AddChildElement(std::u16string_view name, std::u16string_view data = {});
    // Replaces an existing attribute's value in place, else appends " name='value'" to the
    // start tag. Values are escaped and written in single quotes; ints in decimal, bools as
    // "T" or "F". False without a current element (child) or for an unwritable name.
    bool SetAttribute(std::u16string_view name, std::u16string_view value);
    bool SetAttribute(std::u16string_view name, const char16_t* value) { return SetAttribute(name, std::u16string_view(value)); }
    bool SetAttribute(std::u16string_view name, int value);
    bool SetAttribute(std::u16string_view name, bool value);
    bool SetChildAttribute(std::u16string_view name, std::u16string_view value);
    bool SetChildAttribute(std::u16string_view name, const char16_t* value) { return SetChildAttribute(name, std::u16string_view(value)); }
    bool SetChildAttribute(std::u16string_view name, int value);

private:
    void SetCurrentElement(std::int32_t record);
    std::u16string_view ElementName(std::int32_t record) const;
    std::size_t ContentBegin(std::int32_t record) const;
    std::size_t ContentEnd(std::int32_t record) const;
    bool IsEmptyElement(std::int32_t record) const;
    // Follows a path of name segments starting after `after` (0: at the first child) among
    // the children of `parent`; answers the found record or 0.
    std::int32_t Search(std::int32_t parent, std::int32_t after, std::u16string_view path) const;
    bool ReadAttribute(std::int32_t record, std::u16string_view name, std::u16string& value) const;
    bool WriteAttribute(std::int32_t record, std::u16string_view name, std::u16string_view value);
    // Inserts a new element under `parent` after `after` (0: as the last child); answers
    // its record or 0.
    std::int32_t InsertElement(std::int32_t parent, std::int32_t after, std::u16string_view name,
                               std::u16string_view data);
    // Replaces `length` characters at `at` by `insert` and shifts every index position at
    // or after the replaced range; false (nothing changed) when the text would grow too large.
    bool Replace(std::size_t at, std::size_t length, std::u16string_view insert);
    std::size_t AfterLineEnd(std::size_t pos) const;

    std::u16string m_text;
    std::u16string m_lastError;
    std::vector<CvxMarkupElement> m_index;
    std::int32_t m_parent = 0;
    std::int32_t m_current = 0;
    std::int32_t m_child = 0;
    int m_nodeKind = kMarkupNodeNone;
    // Where a current node that is not an element lies (an element's place is its record).
    std::size_t m_nodeStart = 0;
    std::size_t m_nodeLength = 0;
};
