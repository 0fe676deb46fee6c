// Fuzz target: the VCD reader. The input is a VCD file, read through the source as a capture
// is (file option, one table, labels registered with the host); inputs of odd length are
// read with split bits regrouped. The labels an input made are removed after it.

#include "CvxFuzzEnvironment.h"

#include "CvxData.h"
#include "CvxVcdSource.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CvxFuzzEnvironment& environment = CvxFuzzEnvironment::GetInstance();
    {
        CvxVcdSource source(environment.WriteInputFile(data, size), size % 2 == 1);
        std::string error;
        source.SetOption("table", "fuzz", error);
        std::shared_ptr<CvxData> capture = source.Acquire();
        source.GetWarnings();
        source.GetOfferedLabels();
    }
    environment.EndInput();
    return 0;
}
