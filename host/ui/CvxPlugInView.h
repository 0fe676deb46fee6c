#pragma once
// The window of a viewer plug-in. The host makes it from the viewer's view run-time class
// (CvxPlugInViewClass), calls Create with the viewer's document and shows it; the first time
// it is shown it gets OnInitialUpdate, when its fonts and size are final. What it shows can
// be described as JSON for the UI dump.

#include "CvxRuntimeClass.h"

#include <QJsonObject>
#include <QWidget>

class CvxDocument;

class CvxPlugInView : public QWidget {
    Q_OBJECT
public:
    explicit CvxPlugInView(QWidget* parent = nullptr);

    // Makes the view's children on the document; false when the window cannot be opened.
    virtual bool Create(CvxDocument& document) = 0;
    virtual QJsonObject Describe() const { return {}; }
    // Window > Split: moves the view's splitter bar with the keyboard (nothing without one).
    virtual void StartSplit() {}

protected:
    virtual void OnInitialUpdate() {}
    void showEvent(QShowEvent* event) override;

private:
    bool m_updated = false;
};

using CvxPlugInViewClass = CvxRuntimeClass_T<CvxPlugInView>;
