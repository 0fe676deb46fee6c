#include "CvxPersistHostTypes.h"

#include "CvxBase.h"
#include "CvxID.h"
#include "CvxInt128.h"
#include "CvxLabelChannel.h"
#include "CvxPersistenceSetup.h"
#include "CvxPosition.h"
#include "CvxStringConvert.h"

#include <string>

namespace {

bool ReadID(const CvxPersistenceSetup& setup, std::u16string_view key, CvxID& id)
{
    std::u16string text;
    CvxID read;
    if (!setup.Read(key, text) || !read.SetValue(text)) {
        return false;
    }
    id = read;
    return true;
}

bool ReadInt64(const CvxPersistenceSetup& setup, std::u16string_view key, std::int64_t& value)
{
    std::u16string text;
    if (!setup.Read(key, text)) {
        return false;
    }
    return CvxStringConvert::ParseDecimal(text, value);
}

} // namespace

bool CvxSave(CvxPersistenceSetup& setup, const CvxID& id)
{
    return setup.Write(u"ID", id.ToU16String());
}

bool CvxLoad(const CvxPersistenceSetup& setup, CvxID& id)
{
    return ReadID(setup, u"ID", id);
}

bool CvxSave(CvxPersistenceSetup& setup, const CvxPosition& position)
{
    bool ok = setup.Write(u"Table", position.GetTableID().ToU16String());
    ok = setup.Write(u"Time", CvxStringConvert::CtoW(CvxInt128ToString(position.AsInt128()))) && ok;
    if (position.HasSample()) {
        ok = setup.Write(u"Sample", CvxStringConvert::CtoW(std::to_string(position.AsSample()))) && ok;
    }
    ok = setup.Write(u"SubRow", position.GetSubrowIndex()) && ok;
    return setup.Write(u"Mode", position.GetMode()) && ok;
}

bool CvxLoad(const CvxPersistenceSetup& setup, CvxPosition& position)
{
    CvxID table;
    std::u16string timeText;
    CvxInt128 time = 0;
    int subRow = 0;
    int mode = 0;
    if (!ReadID(setup, u"Table", table) || !setup.Read(u"Time", timeText)
        || !CvxInt128FromString(CvxStringConvert::ToUtf8(timeText), time) || !setup.Read(u"SubRow", subRow)
        || !setup.Read(u"Mode", mode)) {
        return false;
    }
    std::int64_t sample = CvxPosition::kNoSample;
    std::u16string sampleText;
    if (setup.Read(u"Sample", sampleText) && !ReadInt64(setup, u"Sample", sample)) {
        return false;
    }
    position = CvxPosition(table, CvxTime(time), sample, subRow, mode);
    return true;
}

bool CvxSave(CvxPersistenceSetup& setup, const CvxLabelChannel& label)
{
    const bool ok = setup.Write(u"LabelID", label.GetLabelID().ToU16String());
    return setup.Write(u"Channel", label.GetChannel()) && ok;
}

bool CvxLoad(const CvxPersistenceSetup& setup, CvxLabelChannel& label)
{
    CvxID id;
    int channel = 0;
    if (!ReadID(setup, u"LabelID", id) || !setup.Read(u"Channel", channel)) {
        return false;
    }
    label = CvxLabelChannel(id, channel);
    return true;
}

bool CvxSave(CvxPersistenceSetup& setup, const CvxBase& base)
{
    return setup.Write(u"Base", base.GetCode());
}

bool CvxLoad(const CvxPersistenceSetup& setup, CvxBase& base)
{
    int code = 0;
    if (!setup.Read(u"Base", code) || !CvxBase::IsValidCode(code)) {
        return false;
    }
    return base.SetCode(code);
}
