// Fuzz target: the capture a setup keeps (CvxDataArchive). The input is the archive's bytes,
// read with the identity label map. A capture that reads is written and read again; a second
// write must give the same bytes as the first (reading may drop what writing never makes, such
// as a mask that marks no bit, but only once), or the target aborts.

#include "CvxFuzzEnvironment.h"

#include "CvxDataArchive.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CvxFuzzEnvironment::GetInstance();
    const std::vector<std::uint8_t> bytes(data, data + size);
    std::string error;
    const std::shared_ptr<CvxData> capture = CvxDataArchive::Read(bytes, {}, error);
    if (capture == nullptr) {
        if (error.empty()) {
            std::abort(); // a refusal always says why
        }
        return 0;
    }
    const std::vector<std::uint8_t> first = CvxDataArchive::Write(*capture);
    const std::shared_ptr<CvxData> again = CvxDataArchive::Read(first, {}, error);
    if (again == nullptr || CvxDataArchive::Write(*again) != first) {
        std::abort();
    }
    return 0;
}
