#pragma once
// One record of a markup document's element index, and the kinds of node a document holds.

#include <cstddef>
#include <cstdint>

// Node kinds as bits, so that a walk can ask for several at once.
enum EvxMarkupNode : int {
    kMarkupNodeNone = 0,
    kMarkupNodeElement = 1,
    kMarkupNodeText = 2,
    kMarkupNodeWhitespace = 4,
    kMarkupNodeCData = 8,
    kMarkupNodeProcessingInstruction = 16,
    kMarkupNodeComment = 32,
    kMarkupNodeDeclaration = 64,
};

// Positions are 32-bit, so a document text is at most this many characters.
constexpr std::size_t kMarkupMaxTextLength = INT32_MAX;

// Record 0 of an index stands for the document itself (its positions are unused); every
// other record is one element. Positions are character offsets into the document text.
struct CvxMarkupElement {
    std::int32_t startTag = 0;    // the "<" of the start tag
    std::int32_t startTagEnd = 0; // the ">" that closes the start tag
    std::int32_t endTagStart = 0; // the "<" of the end tag; an empty element's startTagEnd
    std::int32_t end = 0;         // the last character of the element
    std::int32_t parent = 0;      // record numbers; 0 = the document / none
    std::int32_t firstChild = 0;
    std::int32_t nextSibling = 0;
    std::int32_t nameLength = 0;  // length of the tag name, kept to spare rescanning it
};
