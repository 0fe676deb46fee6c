#pragma once
// Reads setup.xml as CvxSetupXmlWriter writes it, into a setup tree and the list of data
// streams. The reader is iterative and bounded: it keeps one stack entry per open element
// (at most kMaxDepth), never recurses, and refuses what it does not know how to read safely
// (document type declarations, markup inside a key, text outside keys, unknown entities)
// with an error naming the line. Elements it does not know are skipped with their contents,
// so that newer files still load. The input size is the caller's bound.

#include "CvxSetupStreamEntry.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CvxPersistenceElement;

class CvxSetupXmlReader {
public:
    static constexpr std::size_t kMaxDepth = 1000;

    // On success fills `root` (a fresh tree) and `streams`; on failure answers false with a
    // message ("line 3: ...") in `error` and leaves `root` and `streams` unspecified.
    static bool Read(std::string_view text, std::unique_ptr<CvxPersistenceElement>& root,
                     std::vector<CvxSetupStreamEntry>& streams, std::string& error);
};
