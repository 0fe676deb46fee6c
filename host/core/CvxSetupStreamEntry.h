#pragma once
// How setup.xml lists a binary data stream of a setup file: the stream's name, the archive
// entry that holds its bytes, and its size in bytes.

#include <cstdint>
#include <string>

struct CvxSetupStreamEntry {
    std::u16string name;
    std::string entry;
    std::uint64_t size = 0;
};
