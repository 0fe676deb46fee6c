// Fuzz target: the persisted form of every reference-buffer store. The first input byte picks
// the store: bits 0-2 the element (8-, 16-, 32-, 64-bit, CvxUInt, string, four-state 8- and
// 64-bit), bit 3
// sub-rows, bit 4 a tiny geometry (4 rows a page, 2 pages in memory, so that even short
// inputs page through the file) instead of the factory's. The rest is the data stream that
// Load reads. The loaded store is walked whole, forward and back, every sub-row of every row
// visited; then it is saved and loaded again, and the second store must read the same.

#include "CvxFuzzEnvironment.h"

#include "CvxCompareDataSourceFactory.h"
#include "CvxComparePageDataSource.h"
#include "CvxComparePageSubRowDataSource.h"
#include "CvxPersistenceDataStream.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct IterDeleter {
    void operator()(CvxCompareDataSourceIter* it) const { delete it; }
};

template <typename T>
std::unique_ptr<CvxCompareDataSource> Make(bool subRows, bool tiny)
{
    CvxCompareStoreGeometry g = CvxCompareGeometry(static_cast<int>(CvxCompareElement<T>::kWidth), subRows);
    if (tiny) {
        g = {4, 2};
    }
    if (subRows) {
        return std::make_unique<CvxComparePageSubRowDataSource<T>>(g.pageSize, g.pageLimit);
    }
    return std::make_unique<CvxComparePageDataSource<T>>(g.pageSize, g.pageLimit);
}

std::unique_ptr<CvxCompareDataSource> MakeStore(std::uint8_t selector)
{
    const bool subRows = (selector & 0x08) != 0;
    const bool tiny = (selector & 0x10) != 0;
    switch (selector & 0x07) {
    case 0:
        return Make<std::uint8_t>(subRows, tiny);
    case 1:
        return Make<std::uint16_t>(subRows, tiny);
    case 2:
        return Make<std::uint32_t>(subRows, tiny);
    case 3:
        return Make<std::uint64_t>(subRows, tiny);
    case 4:
        return Make<CvxUInt>(subRows, tiny);
    case 5:
        return Make<std::u16string>(subRows, tiny);
    case 6:
        return Make<CvxCompareFourState<std::uint8_t>>(subRows, tiny);
    default:
        return Make<CvxCompareFourState<std::uint64_t>>(subRows, tiny);
    }
}

void AddValue(CvxCompareDataSourceIter& it, std::string& out)
{
    CvxUInt number;
    std::u16string text;
    if (it.GetValue(number)) {
        for (int w = 0; w < 4; ++w) {
            out += std::to_string(number.GetWord(w)) + ",";
        }
    }
    if (it.GetValue(text)) {
        out.append(text.begin(), text.end());
    }
    out += ';';
}

// Everything a walk reads, as one text.
std::string Walk(const CvxCompareDataSource& store)
{
    std::unique_ptr<CvxCompareDataSourceIter, IterDeleter> it(store.CreateIter());
    if (it == nullptr) {
        std::abort();
    }
    std::string seen;
    for (it->First(); !it->IsDone(); it->Next()) {
        AddValue(*it, seen);
        if (it->HasSubRows()) {
            const std::int32_t last = it->GetLastSubRow();
            for (std::int32_t k = 0; k <= last + 1; ++k) {
                seen += it->GotoSubRow(k) ? "+" : "-";
                AddValue(*it, seen);
            }
        }
    }
    for (it->Last(); !it->IsDone(); it->Prev()) {
        AddValue(*it, seen);
    }
    it->Goto(store.GetCount() / 2);
    AddValue(*it, seen);
    return seen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CvxFuzzEnvironment& environment = CvxFuzzEnvironment::GetInstance();
    if (size == 0) {
        return 0;
    }
    {
        std::unique_ptr<CvxCompareDataSource> store = MakeStore(data[0]);
        CvxPersistenceDataStream stream(u"fuzz");
        stream.SetBytes(std::vector<std::uint8_t>(data + 1, data + size));
        store->Load(stream);
        const std::string first = Walk(*store);

        CvxPersistenceDataStream saved(u"saved");
        store->Save(saved);
        saved.SeekToBegin();
        std::unique_ptr<CvxCompareDataSource> again = MakeStore(data[0]);
        again->Load(saved);
        if (again->GetCount() != store->GetCount() || Walk(*again) != first) {
            std::abort(); // what was loaded does not survive a save
        }
    }
    environment.EndInput();
    return 0;
}
