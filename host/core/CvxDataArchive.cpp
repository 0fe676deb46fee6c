#include "CvxDataArchive.h"

#include <cstring>
#include <stdexcept>

namespace {

constexpr char kMagic[] = "CVXDATA1";
constexpr std::uint8_t kFlagSubRows = 1;
constexpr std::uint8_t kFlagMask = 2;
constexpr std::uint8_t kFlagStatuses = 4;

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& out) : m_out(out) {}

    template <typename T>
    void Put(T value)
    {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
        m_out.insert(m_out.end(), bytes, bytes + sizeof(T));
    }
    void PutTime(CvxInt128 fs)
    {
        const auto u = static_cast<CvxUInt128>(fs);
        Put(static_cast<std::uint64_t>(u));
        Put(static_cast<std::uint64_t>(u >> 64));
    }
    void PutText(std::u16string_view text)
    {
        Put(static_cast<std::uint32_t>(text.size()));
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        m_out.insert(m_out.end(), bytes, bytes + text.size() * 2);
    }
    // The low `width` bytes of a 128-bit value.
    void PutValue(CvxUInt128 value, int width)
    {
        for (int b = 0; b < width; ++b) {
            m_out.push_back(static_cast<std::uint8_t>(value >> (8 * b)));
        }
    }

private:
    std::vector<std::uint8_t>& m_out;
};

// Reads with bounds: every Take checks the bytes left and throws the reason when short.
class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& in) : m_in(in) {}

    const std::uint8_t* Take(std::size_t n)
    {
        if (n > m_in.size() - m_at) {
            throw std::runtime_error("the archive ends early");
        }
        const std::uint8_t* at = m_in.data() + m_at;
        m_at += n;
        return at;
    }
    template <typename T>
    T Get()
    {
        T value;
        std::memcpy(&value, Take(sizeof(T)), sizeof(T));
        return value;
    }
    CvxInt128 GetTime()
    {
        const auto low = Get<std::uint64_t>();
        const auto high = Get<std::uint64_t>();
        return static_cast<CvxInt128>(static_cast<CvxUInt128>(low) | (static_cast<CvxUInt128>(high) << 64));
    }
    std::u16string GetText()
    {
        const auto n = Get<std::uint32_t>();
        const std::uint8_t* bytes = Take(std::size_t{n} * 2);
        std::u16string text(n, u'\0');
        std::memcpy(text.data(), bytes, std::size_t{n} * 2);
        return text;
    }
    CvxUInt128 GetValue(int width)
    {
        const std::uint8_t* bytes = Take(static_cast<std::size_t>(width));
        CvxUInt128 value = 0;
        for (int b = width - 1; b >= 0; --b) {
            value = (value << 8) | bytes[b];
        }
        return value;
    }
    // A count of items of at least `bytesEach` bytes, refused when the rest cannot hold them.
    std::int64_t GetCount(std::size_t bytesEach)
    {
        const auto n = Get<std::int64_t>();
        if (n < 0 || (bytesEach > 0 && static_cast<std::uint64_t>(n) > (m_in.size() - m_at) / bytesEach)) {
            throw std::runtime_error("a count exceeds the archive");
        }
        return n;
    }
    bool AtEnd() const { return m_at == m_in.size(); }

private:
    const std::vector<std::uint8_t>& m_in;
    std::size_t m_at = 0;
};

bool IsNumeric(EvxValueKind kind)
{
    return kind == EvxValueKind::U8 || kind == EvxValueKind::U16 || kind == EvxValueKind::U32 || kind == EvxValueKind::U64
        || kind == EvxValueKind::U128;
}

int BytesOf(EvxValueKind kind)
{
    switch (kind) {
    case EvxValueKind::U8: return 1;
    case EvxValueKind::U16: return 2;
    case EvxValueKind::U32: return 4;
    case EvxValueKind::U64: return 8;
    default: return 16;
    }
}

void WriteEntry(Writer& w, const CvxDataColumnComponent& column, std::int64_t entry)
{
    if (!IsNumeric(column.GetValueKind())) {
        w.PutText(column.GetString(entry));
        return;
    }
    const CvxUInt value = column.GetValue(entry);
    const int bytes = BytesOf(column.GetValueKind());
    if (column.GetValueKind() == EvxValueKind::U128) {
        w.PutValue(value.AsU128(), bytes);
        return;
    }
    w.PutValue(value.Low64(), bytes);
    if (column.HasXZ()) {
        w.PutValue(value.High64(), bytes);
    }
}

CvxUInt ReadEntry(Reader& r, EvxValueKind kind, bool masked)
{
    const int bytes = BytesOf(kind);
    if (kind == EvxValueKind::U128) {
        return CvxUInt::FromU128(r.GetValue(bytes));
    }
    const auto value = static_cast<std::uint64_t>(r.GetValue(bytes));
    const auto mask = masked ? static_cast<std::uint64_t>(r.GetValue(bytes)) : 0;
    return CvxUInt::FourState(value, mask);
}

void WriteColumn(Writer& w, const CvxDataColumnComponent& column)
{
    w.PutText(column.GetLabelID().ToU16String());
    w.Put(static_cast<std::uint8_t>(column.GetValueKind()));
    w.Put(static_cast<std::int32_t>(column.GetWidth()));
    const std::uint8_t flags = (column.HasSubRows() ? kFlagSubRows : 0) | (column.HasXZ() ? kFlagMask : 0)
                               | (column.HasStatuses() ? kFlagStatuses : 0);
    w.Put(flags);
    if (!IsNumeric(column.GetValueKind()) && column.GetValueKind() != EvxValueKind::String) {
        return;
    }
    for (std::int64_t row = 0; row < column.GetRowCount(); ++row) {
        if (column.HasStatuses()) {
            w.Put(static_cast<std::uint8_t>(column.GetStatus(row)));
        }
        if (column.HasSubRows()) {
            w.Put(static_cast<std::uint8_t>(column.GetSubRowSlots(row)));
            w.Put(static_cast<std::uint16_t>(column.EntryEndOfRow(row) - column.FirstEntryOfRow(row)));
            for (std::int64_t e = column.FirstEntryOfRow(row); e < column.EntryEndOfRow(row); ++e) {
                w.Put(static_cast<std::uint8_t>(column.GetEntrySubRow(e)));
                WriteEntry(w, column, e);
            }
        } else {
            WriteEntry(w, column, row);
        }
    }
}

void ReadColumn(Reader& r, CvxDataTable& table, std::int64_t rows, const std::function<CvxID(const CvxID&)>& labelOf)
{
    CvxID stored;
    if (!stored.SetValue(r.GetText())) {
        throw std::runtime_error("a column names no label identifier");
    }
    const auto kind = static_cast<EvxValueKind>(r.Get<std::uint8_t>());
    const auto width = r.Get<std::int32_t>();
    const auto flags = r.Get<std::uint8_t>();
    if (kind > EvxValueKind::Sample || width < 0 || width > 128) {
        throw std::runtime_error("a column has an unknown kind or width");
    }
    const CvxID label = labelOf ? labelOf(stored) : stored;
    const bool subRows = (flags & kFlagSubRows) != 0;
    const bool masked = (flags & kFlagMask) != 0;
    const bool statuses = (flags & kFlagStatuses) != 0;
    // A column whose label is unknown now is read past and dropped.
    CvxData scratch;
    CvxDataTable& into = label.IsNull() ? scratch.AddTable(u"") : table;
    CvxDataColumnComponent& column = into.AddColumn(label.IsNull() ? stored : label, kind, width, subRows);
    if (!IsNumeric(kind) && kind != EvxValueKind::String) {
        return;
    }
    const bool text = kind == EvxValueKind::String;
    for (std::int64_t row = 0; row < rows; ++row) {
        const int status = statuses ? static_cast<int>(r.Get<std::uint8_t>()) : static_cast<int>(kStatusValid);
        if (status > kStatusUncertain) {
            throw std::runtime_error("a row has an unknown status");
        }
        if (subRows) {
            const int slots = r.Get<std::uint8_t>();
            const int entries = r.Get<std::uint16_t>();
            column.AppendRow(slots);
            int lastSlot = -1;
            for (int e = 0; e < entries; ++e) {
                const int slot = r.Get<std::uint8_t>();
                if (slot <= lastSlot || slot >= slots) {
                    throw std::runtime_error("a sub-row slot is out of order");
                }
                lastSlot = slot;
                text ? column.AppendSubRowString(slot, r.GetText()) : column.AppendSubRow(slot, ReadEntry(r, kind, masked));
            }
        } else {
            text ? column.AppendString(r.GetText()) : column.Append(ReadEntry(r, kind, masked));
        }
        if (status != kStatusValid) {
            column.SetStatus(row, status);
        }
    }
}

} // namespace

std::vector<std::uint8_t> CvxDataArchive::Write(const CvxData& data)
{
    std::vector<std::uint8_t> out(kMagic, kMagic + 8);
    Writer w(out);
    w.Put(static_cast<std::uint32_t>(data.GetTableCount()));
    for (std::size_t t = 0; t < data.GetTableCount(); ++t) {
        const CvxDataTable& table = data.GetTable(t);
        w.PutText(table.GetName());
        w.PutText(table.GetID().ToU16String());
        w.Put(static_cast<std::int64_t>(table.GetTriggerRow()));
        w.PutTime(table.HasRowTimes() ? table.GetTick().AsInt128() : 0);
        w.PutTime(table.GetPeriod().AsInt128());
        // Evenly spaced: the time at the trigger row is computed, whatever rows there are.
        w.PutTime(table.HasRowTimes() ? 0 : table.GetRowTime(table.GetTriggerRow()).AsInt128());
        w.Put(static_cast<std::int64_t>(table.GetRowCount()));
        if (table.HasRowTimes()) {
            for (std::int64_t row = 0; row < table.GetRowCount(); ++row) {
                w.Put(table.GetRowTicks(row));
            }
        }
        w.Put(static_cast<std::uint32_t>(table.GetColumnCount()));
        for (std::size_t c = 0; c < table.GetColumnCount(); ++c) {
            WriteColumn(w, table.GetColumn(c));
        }
    }
    return out;
}

std::shared_ptr<CvxData> CvxDataArchive::Read(const std::vector<std::uint8_t>& bytes,
                                              const std::function<CvxID(const CvxID&)>& label, std::string& error)
{
    try {
        Reader r(bytes);
        if (std::memcmp(r.Take(8), kMagic, 8) != 0) {
            throw std::runtime_error("it is no capture archive");
        }
        auto data = std::make_shared<CvxData>();
        const auto tables = r.Get<std::uint32_t>();
        for (std::uint32_t t = 0; t < tables; ++t) {
            const std::u16string name = r.GetText();
            CvxID id;
            if (!id.SetValue(r.GetText())) {
                throw std::runtime_error("a table has no identifier");
            }
            CvxDataTable& table = data->AddTable(name, id);
            table.SetTriggerRow(r.Get<std::int64_t>());
            const CvxInt128 tick = r.GetTime();
            const CvxInt128 period = r.GetTime();
            const CvxInt128 offset = r.GetTime();
            const bool perRow = tick != 0;
            const std::int64_t rows = r.GetCount(perRow ? 8 : 0);
            if (perRow) {
                if (tick < 0) {
                    throw std::runtime_error("a table has a negative tick");
                }
                table.SetTickTimeBase(CvxTime::FromFs(tick));
                for (std::int64_t row = 0; row < rows; ++row) {
                    table.AppendRowTime(r.Get<std::int64_t>()); // throws for times that decrease
                }
            } else {
                table.SetUniformTimeBase(CvxTime::FromFs(period), CvxTime::FromFs(offset));
            }
            const auto columns = r.Get<std::uint32_t>();
            for (std::uint32_t c = 0; c < columns; ++c) {
                ReadColumn(r, table, rows, label);
            }
        }
        if (!r.AtEnd()) {
            throw std::runtime_error("bytes follow the last table");
        }
        data->Finish();
        data->SetDataValid(true); // only valid acquisitions are kept
        return data;
    } catch (const std::exception& e) {
        error = std::string("the kept capture is damaged: ") + e.what();
        return nullptr;
    }
}
