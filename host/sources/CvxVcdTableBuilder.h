#pragma once
// Turns the rows of a VCD parser into one table: a time label, then one column per variable
// in declaration order, each row holding the value in force at that row's timestamp.
//
// Column kinds follow the declaration alone, so that a bus gets the same kind in every file:
// vectors of up to 64 bits are numeric with an X/Z mask; vectors wider than 64 bits (whose X/Z
// a 128-bit value cannot carry) and `real` and `string` variables are string labels, vectors
// as binary digits with x and z, reals in their shortest form (2.0 is 2), so that they compare
// as numbers. Split bits (`d[0]`, `d[1]`, ...) are regrouped into one bus on
// request when they form a contiguous range of at most 64 bits.

#include "CvxDataBuilder.h"
#include "CvxVcdParser.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CvxVcdTableBuilder : public CvxVcdRowSink {
public:
    CvxVcdTableBuilder(const CvxVcdParser& parser, CvxDataBuilder& builder, CvxDataTable& table, bool regroup,
                       std::vector<std::string>& warnings);
    ~CvxVcdTableBuilder() override;

    void OnRow(std::int64_t ticks) override;
    // Marks the labels that got X/Z as four-state.
    void Finish();

private:
    struct Numeric {
        CvxDataColumnComponent* column;
        const std::uint64_t* value; // the parser's state words, fixed once the header is read
        const std::uint64_t* mask;
        std::uint64_t xz;
    };
    struct Group {
        CvxDataColumnComponent* column;
        std::vector<std::pair<int, int>> bits; // signal, bit position in the bus
        std::uint64_t xz;
    };
    struct Text {
        CvxDataColumnComponent* column;
        int signal;
        std::string last;
        std::u16string lastWide;
        bool bits; // binary digits of a vector wider than 64 bits
        bool real; // a number, kept in its shortest form
        bool xz;
        std::vector<std::uint64_t> lastWords;
    };
    std::u16string UniqueName(const std::string& name);
    void PlanColumns(bool regroup);
    void AppendText(Text& text);

    const CvxVcdParser& m_parser;
    CvxDataBuilder& m_builder;
    CvxDataTable& m_table;
    std::vector<std::string>& m_warnings;
    std::vector<std::u16string> m_usedNames;
    std::vector<Numeric> m_numeric;
    std::vector<Group> m_groups;
    std::vector<Text> m_texts;
};
