#pragma once
// Renames the buses/signals the session's sources made, and edits their symbol tables, for
// the rest of the session and in its setups: a tool's rename (or the Symbols dialog) reaches
// it as the command interface of the label's creator (each source the session had). The label
// keeps its identity and its source name, so the source's later acquisitions fill the renamed
// label.

#include "CvxStdToolCmdIFace.h"

class CvxLabelBase;

#include <functional>
#include <map>
#include <vector>

class CvxSourceLabelRenamer : public CvxStdToolCmdIFace {
public:
    // `renamed` is told about each label renamed, `symbolsChanged` about each label whose
    // symbols were replaced.
    explicit CvxSourceLabelRenamer(std::function<void(const CvxID&)> renamed,
                                   std::function<void(const CvxID&)> symbolsChanged = {});
    ~CvxSourceLabelRenamer() override;
    CvxSourceLabelRenamer(const CvxSourceLabelRenamer&) = delete;
    CvxSourceLabelRenamer& operator=(const CvxSourceLabelRenamer&) = delete;

    // Answers for the labels `instance` makes, from now on.
    void AddCreator(const CvxID& instance);

    CvxID GetInstanceID() const override;
    std::u16string GetIFaceName() const override { return u"SourceLabels"; }
    // Buses/signals and string labels of the sources; not folders or time labels.
    bool CanRenameLabel(const CvxID& label) const override;
    // kRenameEmptyName for an empty name, kRenameNameNotUnique for a name another label of
    // the same table has.
    int RenameLabel(const CvxID& label, const std::u16string& name) override;
    // Buses/signals of up to 64 bits of the sources. The symbols replace the label's; false
    // (nothing changed) for a value wider than the label or a symbol without a name.
    bool CanSetLabelSymbols(const CvxID& label) const override;
    bool SetLabelSymbols(const CvxID& label, const std::map<CvxUInt, std::u16string>& symbols) override;

private:
    bool IsCreatorOf(const CvxLabelBase& label) const;

    std::vector<CvxID> m_creators;
    std::function<void(const CvxID&)> m_renamed;
    std::function<void(const CvxID&)> m_symbolsChanged;
};
