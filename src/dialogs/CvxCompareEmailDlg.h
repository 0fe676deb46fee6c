#pragma once
// "E-mail" (template 3429): the recipient, subject and text of the mail the run-until rule
// sends, edited on a working copy of the rule's e-mail record. OK writes it into the rule it
// was given (the caller's working record); nothing is sent from here.

#include "CvxDialog.h"

#include <memory>

class CvxAlphaEditCtrl;
class CvxCompareRunUntil;

class CvxCompareEmailDlg : public CvxDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateID = 3429;

    CvxCompareEmailDlg(CvxCompareRunUntil& runUntil, QWidget* parent);
    ~CvxCompareEmailDlg() override;

    void accept() override;

private:
    CvxCompareRunUntil& m_runUntil;
    CvxAlphaEditCtrl* m_recipient = nullptr;
    CvxAlphaEditCtrl* m_subject = nullptr;
    CvxAlphaEditCtrl* m_body = nullptr;
};
