#pragma once
// The help window: HTML pages under res/help (built into the program), the contents page
// first, with Back, Forward and Contents. One window for the application; a topic the pages do
// not have shows the contents with a line naming the topic.

#include <QWidget>

class QTextBrowser;

class CvxHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CvxHelpWindow(QWidget* parent = nullptr);

    // The application's help window, made when first asked for.
    static CvxHelpWindow& Get();
    // Shows a topic ("compare_options.htm"; empty: the contents) and raises the window.
    void ShowTopic(const QString& topic);
    QString GetCurrentPage() const;

private:
    QTextBrowser* m_browser = nullptr;
};
