#pragma once
// Writes setup.xml, the markup of a setup file:
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <cvxsetup version="1">
//     <key name="..." type="int">12</key>
//     <tag name="CompareModel">
//       <key name="Config" type="string">&lt;Config/&gt;</key>
//       <tag name="...">...</tag>
//     </tag>
//     <stream name="CompareSource0" entry="streams/0.bin" size="1048576"/>
//   </cvxsetup>
//
// Tags are <tag> elements and keys <key> elements, both named by their "name" attribute, so
// that any tag or key name can be written. Key text is exact: nothing is added around it,
// and characters that markup would change or refuse (carriage return, other control
// characters, unpaired surrogates, U+FFFE and U+FFFF) are written as character references.
// Strict XML 1.0 tools refuse the references to NUL, control characters and surrogates;
// CvxSetupXmlReader reads them back.

#include "CvxSetupStreamEntry.h"

#include <string>
#include <vector>

class CvxPersistenceElement;

class CvxSetupXmlWriter {
public:
    static std::string Write(const CvxPersistenceElement& root, const std::vector<CvxSetupStreamEntry>& streams);
};
