#include "CvxComparePrintOptionsPage.h"

#include "CvxComparePrintSettings.h"
#include "CvxNumericEditCtrl.h"
#include "CvxStringConvert.h"
#include "CvxQtText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

struct Margin {
    const char* label;
    const char* caption;
    double CvxComparePrintSettings::*value;
};

const Margin kMargins[4] = {{"Left:", "Left Margin", &CvxComparePrintSettings::left},
                            {"Right:", "Right Margin", &CvxComparePrintSettings::right},
                            {"Top:", "Top Margin", &CvxComparePrintSettings::top},
                            {"Bottom:", "Bottom Margin", &CvxComparePrintSettings::bottom}};

// As the margins have always been read: the narrow text parsed as a floating-point number,
// 0.0 when it does not parse.
double ReadMargin(const QString& text)
{
    const std::string narrow = CvxStringConvert::WtoC(CvxU16(text));
    return std::atof(narrow.c_str());
}

} // namespace

CvxComparePrintOptionsPage::CvxComparePrintOptionsPage(CvxComparePrintSettings& settings, QWidget* parent)
    : CvxPrintOptionsPage(parent), m_settings(settings)
{
    setObjectName(QString::number(kTemplate));
    setWindowTitle("Options");
    auto* layout = new QVBoxLayout(this);

    auto* bus = new QGroupBox("Bus/Signal Options", this);
    bus->setObjectName(QString::number(kBusGroup));
    auto* busLayout = new QVBoxLayout(bus);
    m_everyPage = new QCheckBox("Display bus/signal information on every page", bus);
    m_everyPage->setObjectName(QString::number(kEveryPage));
    m_everyPage->setChecked(settings.everyPage);
    busLayout->addWidget(m_everyPage);
    layout->addWidget(bus);

    auto* margins = new QGroupBox("Margins (In Inches)", this);
    margins->setObjectName(QString::number(kMarginsGroup));
    auto* grid = new QGridLayout(margins);
    for (std::size_t i = 0; i < m_margins.size(); ++i) {
        auto* label = new QLabel(kMargins[i].label, margins);
        label->setObjectName(QString::number(kMarginLabels[i]));
        auto* edit = new CvxNumericEditCtrl(kMarginEdits[i], margins);
        edit->SetKeypadCaption(kMargins[i].caption);
        edit->SetRange(0.0, 100.0);
        edit->GetEdit()->setText(QString::asprintf("%.2f", settings.*kMargins[i].value));
        label->setBuddy(edit);
        const int row = static_cast<int>(i) / 2;
        const int column = static_cast<int>(i) % 2 * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        m_margins[i] = edit;
    }
    layout->addWidget(margins);
    layout->addStretch(1);
}

void CvxComparePrintOptionsPage::Apply()
{
    m_settings.everyPage = m_everyPage->isChecked();
    for (std::size_t i = 0; i < m_margins.size(); ++i) {
        m_settings.*kMargins[i].value = ReadMargin(m_margins[i]->GetEdit()->text());
    }
    CvxPrintOptionsPage::Apply();
}
