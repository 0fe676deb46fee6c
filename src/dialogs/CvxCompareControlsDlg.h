#pragma once
// The bar of buttons above the Compare window's splitter (template 3423): as tall as its
// template (18 dialog units of the dialog font), across the whole window.

#include <QWidget>

class CvxCompareModel;

class CvxCompareControlsDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTemplateID = 3423;
    static constexpr int kHeightDialogUnits = 18;

    CvxCompareControlsDlg(CvxCompareModel& model, QWidget* parent);

    QSize sizeHint() const override;

private:
    CvxCompareModel& m_model;
};
