#pragma once
// The document of a Compare window: it holds the window's compare model, made with the
// document and destroyed with it. It never counts as modified.

#include "CvxCompareModel.h"
#include "CvxDocument.h"

class CvxCompareDoc : public CvxDocument {
public:
    bool IsModified() const override { return false; }
    CvxMvcModel* GetMvcModel() override { return &m_model; }
    CvxCompareModel& GetModel() { return m_model; }
    const CvxCompareModel& GetModel() const { return m_model; }

private:
    CvxCompareModel m_model;
};
