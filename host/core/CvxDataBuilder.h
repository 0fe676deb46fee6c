#pragma once
// Makes acquired data together with its labels: each table gets a module folder in the
// label tree, each column a label in that folder. A label of the same name and kind that
// the folder already holds is reused, so that repeated acquisitions keep label identities.

#include "CvxData.h"
#include "CvxLabelBase.h"

#include <memory>
#include <string>

class CvxDataBuilder {
public:
    // `creator` is the instance identifier of the plug-in (source) that makes the labels.
    explicit CvxDataBuilder(const CvxID& creator = CvxID::NullID());

    CvxDataTable& AddTable(std::u16string name);
    // A bus/signal of 1 to 128 bits.
    CvxDataColumnComponent& AddBus(CvxDataTable& table, std::u16string name, int width, bool subRows = false);
    CvxDataColumnComponent& AddString(CvxDataTable& table, std::u16string name, bool subRows = false);
    CvxDataColumnComponent& AddTime(CvxDataTable& table, std::u16string name = u"Time");
    CvxDataColumnComponent& AddSampleNumber(CvxDataTable& table, std::u16string name = u"Sample Number");

    // The label behind a column made by this builder.
    CvxLabelBase& GetLabel(const CvxDataColumnComponent& column) const;

    // Ends filling of every table and hands the data over; the builder is empty afterwards.
    std::shared_ptr<CvxData> Finish(bool valid = true);

private:
    CvxLabelBase& LabelFor(const CvxDataTable& table, const std::u16string& name, EvxLabelKind kind, int width);

    CvxID m_creator;
    std::shared_ptr<CvxData> m_data;
};
