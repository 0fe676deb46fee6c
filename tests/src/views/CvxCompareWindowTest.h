#pragma once
// A Compare window over a fresh document, shown on the offscreen platform with the host's
// UI services installed: the fixture of the tests of its panes and dialogs.

#include "../../host/ui/CvxQtTestApp.h"
#include "../model/CvxCompareTestData.h"

#include "CvxCompareDoc.h"
#include "CvxCompareView.h"
#include "CvxUiServices.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class CvxCompareWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CvxQtTestApp();
        CvxResetTestHost();
        CvxUiServices::Install();
    }
    void TearDown() override
    {
        m_view.reset();
        CvxUiServices::Uninstall();
    }

    // Makes and shows the window; call from SetUp (ASSERT_NO_FATAL_FAILURE).
    void OpenWindow(int width = 800, int height = 400)
    {
        m_view = std::make_unique<CvxCompareView>();
        ASSERT_TRUE(m_view->Create(m_doc));
        m_view->resize(width, height);
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
    }
    CvxCompareModel& Model() { return m_doc.GetModel(); }

    CvxCompareDoc m_doc;
    std::unique_ptr<CvxCompareView> m_view;
};
