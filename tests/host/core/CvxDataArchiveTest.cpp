// A capture as bytes and back: every kind of table and column as it was, and damaged bytes
// refused with a reason, never read past.

#include "CvxDataArchive.h"
#include "CvxDataBuilder.h"
#include "CvxLabelMgr.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<CvxData> Sample()
{
    CvxDataBuilder builder;
    CvxDataTable& events = builder.AddTable(u"events");
    events.SetTickTimeBase(CvxTime::FromPs(10));
    builder.AddTime(events);
    CvxDataColumnComponent& bus = builder.AddBus(events, u"bus", 12);
    CvxDataColumnComponent& text = builder.AddString(events, u"text");
    for (std::int64_t row = 0; row < 5; ++row) {
        events.AppendRowTime(row * 3);
        bus.Append(static_cast<std::uint64_t>(row * 0x101), row == 2 ? 0x00F : 0);
        text.AppendString(row == 3 ? u"" : u"v\u00e9" + std::u16string(static_cast<std::size_t>(row), u'x'));
    }
    CvxDataTable& sampled = builder.AddTable(u"sampled");
    sampled.SetUniformTimeBase(CvxTime::FromNs(4), CvxTime::FromNs(-8));
    sampled.SetTriggerRow(2);
    CvxDataColumnComponent& wide = builder.AddBus(sampled, u"wide", 100);
    CvxDataColumnComponent& sub = builder.AddBus(sampled, u"sub", 8, true);
    for (std::int64_t row = 0; row < 4; ++row) {
        wide.Append(CvxUInt::FromU128((CvxUInt128{1} << 99) | static_cast<CvxUInt128>(row)));
        sub.AppendRow(3);
        if (row != 1) {
            sub.AppendSubRow(0, 7);
            sub.AppendSubRow(2, static_cast<std::uint64_t>(row));
        }
    }
    wide.SetStatus(3, kStatusCancelled);
    return builder.Finish();
}

// Every table's times and every column's statuses, sub-rows and values as one text.
std::string Describe(const CvxData& data)
{
    std::string text;
    for (std::size_t t = 0; t < data.GetTableCount(); ++t) {
        const CvxDataTable& table = data.GetTable(t);
        text += "table " + std::to_string(table.GetRowCount()) + " rows, trigger " + std::to_string(table.GetTriggerRow()) + ":";
        for (std::int64_t row = 0; row < table.GetRowCount(); ++row) {
            text += " " + CvxInt128ToString(table.GetRowTime(row).AsInt128());
        }
        for (std::size_t c = 0; c < table.GetColumnCount(); ++c) {
            const CvxDataColumnComponent& column = table.GetColumn(c);
            text += "\n  column " + std::to_string(static_cast<int>(column.GetValueKind())) + "/" + std::to_string(column.GetWidth());
            if (column.GetValueKind() == EvxValueKind::Time) {
                continue;
            }
            for (std::int64_t row = 0; row < column.GetRowCount(); ++row) {
                text += " [" + std::to_string(column.GetStatus(row));
                for (std::int64_t e = column.FirstEntryOfRow(row); e < column.EntryEndOfRow(row); ++e) {
                    text += " " + std::to_string(column.GetEntrySubRow(e)) + "=";
                    text += column.GetValueKind() == EvxValueKind::String
                        ? std::string(column.GetString(e).begin(), column.GetString(e).end())
                        : CvxInt128ToString(static_cast<CvxInt128>(column.GetValue(e).Low64()))
                            + "/" + CvxInt128ToString(static_cast<CvxInt128>(column.GetValue(e).High64()));
                }
                text += "]";
            }
        }
        text += "\n";
    }
    return text;
}

} // namespace

TEST(CvxDataArchive, EveryKindOfTableAndColumnComesBackAsItWas)
{
    CvxLabelMgr::GetInstance().Clear();
    const auto data = Sample();
    const std::vector<std::uint8_t> bytes = CvxDataArchive::Write(*data);
    std::string error;
    const auto back = CvxDataArchive::Read(bytes, {}, error);
    ASSERT_NE(back, nullptr) << error;
    EXPECT_EQ(Describe(*back), Describe(*data));
    EXPECT_TRUE(back->IsDataValid());
    EXPECT_EQ(back->GetTable(1).GetID(), data->GetTable(1).GetID());
    EXPECT_EQ(back->GetTable(0).GetColumn(1).GetLabelID(), data->GetTable(0).GetColumn(1).GetLabelID());

    // A label unknown now drops its column; a known one is renamed to its current identifier.
    const CvxID bus = data->GetTable(0).GetColumn(1).GetLabelID();
    const CvxID renamed = CvxID::New();
    const auto mapped = CvxDataArchive::Read(
        bytes, [&](const CvxID& id) { return id == bus ? renamed : CvxID::NullID(); }, error);
    ASSERT_NE(mapped, nullptr) << error;
    ASSERT_EQ(mapped->GetTable(0).GetColumnCount(), 1U);
    EXPECT_EQ(mapped->GetTable(0).GetColumn(0).GetLabelID(), renamed);
}

TEST(CvxDataArchive, DamagedBytesAreRefusedWithAReason)
{
    CvxLabelMgr::GetInstance().Clear();
    const std::vector<std::uint8_t> bytes = CvxDataArchive::Write(*Sample());
    std::string error;
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        const std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        error.clear();
        EXPECT_EQ(CvxDataArchive::Read(part, {}, error), nullptr) << cut;
        EXPECT_NE(error.find("the kept capture is damaged"), std::string::npos) << cut;
    }
    // A row count far beyond the bytes, and bytes after the end.
    std::vector<std::uint8_t> huge = bytes;
    const std::size_t rowsAt = 8 + 4 + (4 + 2 * 6) + (4 + 2 * 38) + 8 + 16 * 3;
    for (std::size_t b = 0; b < 8; ++b) {
        huge[rowsAt + b] = b == 7 ? 0x7F : 0xFF;
    }
    EXPECT_EQ(CvxDataArchive::Read(huge, {}, error), nullptr);
    EXPECT_NE(error.find("count exceeds"), std::string::npos) << error;
    std::vector<std::uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_EQ(CvxDataArchive::Read(longer, {}, error), nullptr);
}

TEST(CvxDataArchive, ATriggerRowPastThePerRowTimesIsKeptAsItIs)
{
    CvxLabelMgr::GetInstance().Clear();
    CvxDataBuilder builder;
    CvxDataTable& table = builder.AddTable(u"t");
    table.SetTickTimeBase(CvxTime::FromNs(1));
    table.SetTriggerRow(10);
    builder.AddBus(table, u"d", 1).Append(1);
    table.AppendRowTime(5);
    const auto data = builder.Finish();
    std::string error;
    const auto back = CvxDataArchive::Read(CvxDataArchive::Write(*data), {}, error);
    ASSERT_NE(back, nullptr) << error;
    EXPECT_EQ(back->GetTable(0).GetTriggerRow(), 10);
    EXPECT_EQ(back->GetTable(0).GetRowTime(0), CvxTime::FromNs(5));
}
