#pragma once
// One QApplication for a test program's widget tests (the offscreen platform, set by the
// test's environment), made by the first test that asks.

#include <QApplication>

inline QApplication& CvxQtTestApp()
{
    static int argc = 1;
    static char name[] = "cvx-ui-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}
