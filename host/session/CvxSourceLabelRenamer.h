#pragma once
// Renames the buses/signals the session's sources made, for the rest of the session and in
// its setups: a tool's rename reaches it as the command interface of the label's creator (each
// source the session had). The label keeps its identity and its source name, so the source's
// later acquisitions fill the renamed label.

#include "CvxStdToolCmdIFace.h"

#include <functional>
#include <vector>

class CvxSourceLabelRenamer : public CvxStdToolCmdIFace {
public:
    // `renamed` is told about each label renamed.
    explicit CvxSourceLabelRenamer(std::function<void(const CvxID&)> renamed);
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

private:
    std::vector<CvxID> m_creators;
    std::function<void(const CvxID&)> m_renamed;
};
