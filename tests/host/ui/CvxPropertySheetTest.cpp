// The property sheet and the host's marker page as real widgets on the offscreen platform:
// Apply follows the pages' modified states, OK and Apply apply every page in order and Cancel
// none, pages are built once and activated when shown, Help opens the shown page's topic, the
// marker page writes its working copies into the manager, and the UI dump shows it all.

#include "CvxQtTestApp.h"

#include "CvxAlphaEditCtrl.h"
#include "CvxColorWellButton.h"
#include "CvxDefObserver.h"
#include "CvxHelpMgr.h"
#include "CvxID.h"
#include "CvxMarkerMgr.h"
#include "CvxMarkerPropertyPage.h"
#include "CvxPosition.h"
#include "CvxPropertySheet.h"
#include "CvxUiDump.h"

#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// A page that writes what happens to it into a shared log ("init A", "active A", "apply A").
class LoggingPage : public CvxPropertyPage {
public:
    LoggingPage(const QString& title, int templateID, Log& log, QString topic = {})
        : CvxPropertyPage(title, templateID), m_log(log), m_topic(std::move(topic))
    {
    }
    bool refuse = false;
    bool OnApply() override
    {
        m_log.push_back("apply " + GetTitle().toStdString());
        return !refuse;
    }
    QString GetHelpTopic() const override { return m_topic; }

protected:
    void OnInitDialog() override { m_log.push_back("init " + GetTitle().toStdString()); }
    void OnSetActive() override { m_log.push_back("active " + GetTitle().toStdString()); }

private:
    Log& m_log;
    QString m_topic;
};

// A sheet of three logging pages, A, B and C.
struct Sheet {
    Log log;
    CvxPropertySheet sheet;
    LoggingPage* pages[3];

    explicit Sheet(int firstPage = 0) : sheet("ComparePropertySheet", "Compare Properties", nullptr, firstPage)
    {
        pages[0] = new LoggingPage("A", 3417, log, "compare_options.htm");
        pages[1] = new LoggingPage("B", 3418, log, "compare_options.htm");
        pages[2] = new LoggingPage("C", 3432, log);
        for (LoggingPage* page : pages) {
            sheet.AddPage(page);
        }
    }
    QPushButton* Button(const char* id) { return sheet.findChild<QPushButton*>(id); }
    void Click(const char* id) { QTest::mouseClick(Button(id), Qt::LeftButton); }
};

} // namespace

TEST(CvxPropertySheet, ApplyIsEnabledWhileAPageIsModifiedAndAppliesEveryPageInOrder)
{
    CvxQtTestApp();
    Sheet s;
    s.sheet.show();
    s.log.clear();
    EXPECT_FALSE(s.Button("12321")->isEnabled());
    s.pages[0]->SetModified(true);
    s.pages[2]->SetModified(true);
    s.pages[0]->SetModified(false);
    EXPECT_TRUE(s.Button("12321")->isEnabled());

    s.Click("12321");
    EXPECT_EQ(s.log, (Log{"apply A", "apply B", "apply C"}));
    EXPECT_FALSE(s.pages[2]->IsModified());
    EXPECT_FALSE(s.Button("12321")->isEnabled());
    EXPECT_TRUE(s.sheet.isVisible());

    s.log.clear();
    s.pages[1]->SetModified(true);
    s.Click("1");
    EXPECT_EQ(s.log.size(), 3u);
    EXPECT_EQ(s.sheet.result(), QDialog::Accepted);

    Sheet cancelled;
    cancelled.sheet.show();
    cancelled.log.clear();
    cancelled.pages[0]->SetModified(true);
    cancelled.Click("2");
    EXPECT_TRUE(cancelled.log.empty());
    EXPECT_EQ(cancelled.sheet.result(), QDialog::Rejected);
}

TEST(CvxPropertySheet, APageThatRefusesStopsApplyingAndKeepsTheSheetOpenOnIt)
{
    CvxQtTestApp();
    Sheet s;
    s.sheet.show();
    s.log.clear();
    s.pages[1]->refuse = true;
    s.pages[0]->SetModified(true);
    s.pages[1]->SetModified(true);
    s.Click("1");
    // The page that refused is shown (and so built); the one after it is not applied.
    EXPECT_EQ(s.log, (Log{"apply A", "apply B", "init B", "active B"}));
    EXPECT_TRUE(s.sheet.isVisible());
    EXPECT_EQ(s.sheet.GetActiveIndex(), 1);
    EXPECT_FALSE(s.pages[0]->IsModified());
    EXPECT_TRUE(s.Button("12321")->isEnabled());
}

TEST(CvxPropertySheet, PagesAreBuiltOnceWhenFirstShownAndActivatedEachTime)
{
    CvxQtTestApp();
    Sheet s(2);
    EXPECT_TRUE(s.log.empty()); // nothing is built before the sheet shows
    s.sheet.show();
    EXPECT_TRUE(s.sheet.SetActivePage(0));
    EXPECT_TRUE(s.sheet.SetActivePage(2));
    EXPECT_FALSE(s.sheet.SetActivePage(5));
    EXPECT_EQ(s.log, (Log{"init C", "active C", "init A", "active A", "active C"}));

    Sheet beyond(9); // no such page: the first one shows
    beyond.sheet.show();
    EXPECT_EQ(beyond.sheet.GetActiveIndex(), 0);
}

TEST(CvxPropertySheet, HelpAndF1ShowTheShownPagesTopic)
{
    CvxQtTestApp();
    std::vector<std::u16string> shown;
    CvxHelpMgr::SetHook([&](const std::u16string& topic) { shown.push_back(topic); });
    Sheet s(1);
    s.sheet.show();
    s.sheet.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&s.sheet));
    EXPECT_FALSE(s.Button("9")->isVisible());
    QTest::keyClick(&s.sheet, Qt::Key_F1); // no help yet

    s.sheet.SetHasHelp(true);
    s.Click("9");
    s.sheet.SetActivePage(2);
    QTest::keyClick(s.sheet.GetActivePage(), Qt::Key_F1);
    EXPECT_EQ(shown, (std::vector<std::u16string>{u"compare_options.htm", u""}));
    CvxHelpMgr::SetHook({});

    // The topics the Compare sheet names are pages of the program's help, linked from its contents.
    QFile contents(":/help/index.html");
    ASSERT_TRUE(contents.open(QIODevice::ReadOnly));
    const QString index = QString::fromUtf8(contents.readAll());
    for (const char* page : {"compare_options.htm", "Markers_Set_Properties.htm"}) {
        EXPECT_TRUE(QFile::exists(QString(":/help/") + page)) << page;
        EXPECT_TRUE(index.contains(QString("href=\"%1\"").arg(page))) << page;
    }
}

namespace {

class CountingObserver : public CvxDefObserver {
public:
    int updates = 0;
    void Update(CvxMvcModel*, CvxMvcDefMsg*) override { ++updates; }
};

// Markers at 0 s (Begin, End, Trigger), M1 at 10 ns and M2 at -20 ns; listed by position.
struct Markers {
    CvxMarkerMgr manager;
    CvxMarker* m1 = manager.AddUserMarker(CvxPosition::AtTime(CvxTime::FromNs(10)));
    CvxMarker* m2 = manager.AddUserMarker(CvxPosition::AtTime(CvxTime::FromNs(-20)));
    CountingObserver observer;
    Markers() { manager.AddObserver(&observer); }
    ~Markers() { manager.RemoveObserver(&observer); }
};

QLineEdit* NameEdit(CvxMarkerPropertyPage& page)
{
    return page.findChild<CvxAlphaEditCtrl*>("19602")->findChild<QLineEdit*>("edit");
}

void TypeName(CvxMarkerPropertyPage& page, const QString& name)
{
    NameEdit(page)->selectAll();
    QTest::keyClick(NameEdit(page), Qt::Key_Delete);
    QTest::keyClicks(NameEdit(page), name);
}

void ChooseColor(CvxMarkerPropertyPage& page, int well, const QColor& color)
{
    emit page.findChild<CvxColorWellButton*>(QString::number(well))->colorChanged(well, color);
}

} // namespace

TEST(CvxMarkerPropertyPage, EditsWorkingCopiesThatUpdateModelWritesAtOnce)
{
    CvxQtTestApp();
    Markers m;
    CvxMarkerPropertyPage page(m.manager, m.m1->GetID());
    page.show();
    auto* list = page.findChild<QTreeWidget*>("Markers");
    ASSERT_EQ(list->topLevelItemCount(), 5);
    EXPECT_EQ(list->topLevelItem(0)->text(0) + " " + list->topLevelItem(0)->text(1), QString("M2 -20 ns"));
    EXPECT_EQ(NameEdit(page)->text(), QString("M1"));

    TypeName(page, " Start ");
    page.findChild<QCheckBox*>("19607")->click();
    ChooseColor(page, 19606, Qt::blue);
    EXPECT_EQ(list->topLevelItem(4)->text(0) + list->topLevelItem(4)->text(2), QString(" Start No"));
    // The data markers keep their names, but their colours can change.
    ASSERT_TRUE(page.SelectMarker(m.manager.GetEndDataMarkerID()));
    EXPECT_FALSE(page.findChild<CvxAlphaEditCtrl*>("19602")->isEnabled());
    ChooseColor(page, 19604, Qt::red);
    EXPECT_TRUE(page.IsModified());
    EXPECT_EQ(m.m1->GetName(), u"M1");
    EXPECT_EQ(m.observer.updates, 0);

    ASSERT_TRUE(page.OnApply());
    EXPECT_EQ(m.observer.updates, 1);
    EXPECT_FALSE(page.IsModified());
    EXPECT_EQ(m.m1->GetName(), u"Start");
    EXPECT_FALSE(m.m1->IsSetShow());
    EXPECT_EQ(m.m1->GetBackgroundColor(), 0xFF0000);
    EXPECT_EQ(m.manager.GetMarker(m.manager.GetEndDataMarkerID())->GetForegroundColor(), 0x0000FF);
    EXPECT_TRUE(m.m2->IsSetShow());

    EXPECT_TRUE(page.UpdateModel()); // nothing new: nothing is told
    EXPECT_EQ(m.observer.updates, 1);

    CvxMarkerPropertyPage unnamed(m.manager, CvxID()); // starts on the first listed
    EXPECT_EQ(unnamed.GetSelectedMarker(), m.m2->GetID());
}

TEST(CvxMarkerPropertyPage, AnEmptyOrTakenNameIsRefusedAndNothingIsWritten)
{
    CvxQtTestApp();
    Markers m;
    CvxMarkerPropertyPage page(m.manager, m.m2->GetID());
    page.show();
    ChooseColor(page, 19604, Qt::red);
    TypeName(page, "Trigger");
    ASSERT_TRUE(page.SelectMarker(m.m1->GetID()));
    EXPECT_FALSE(page.OnApply());
    EXPECT_EQ(page.findChild<QLabel*>("19608")->text(), QString("There is another marker named Trigger."));
    EXPECT_EQ(page.GetSelectedMarker(), m.m2->GetID()); // the marker to correct
    EXPECT_EQ(m.m2->GetForegroundColor(), 0);
    EXPECT_EQ(m.observer.updates, 0);

    TypeName(page, "  ");
    EXPECT_FALSE(page.UpdateModel());
    EXPECT_EQ(page.findChild<QLabel*>("19608")->text(), QString("A marker needs a name."));
    TypeName(page, "M1");
    EXPECT_FALSE(page.UpdateModel());
    TypeName(page, "Edge");
    EXPECT_TRUE(page.UpdateModel());
    EXPECT_TRUE(page.findChild<QLabel*>("19608")->text().isEmpty());
    EXPECT_EQ(m.m2->GetName(), u"Edge");
    EXPECT_EQ(m.m2->GetForegroundColor(), 0x0000FF);
}

TEST(CvxPropertySheet, TheUiDumpShowsTheTabsPagesAndControls)
{
    CvxQtTestApp();
    Markers m;
    Log log;
    CvxPropertySheet sheet("ComparePropertySheet", "Compare Properties", nullptr, 1);
    sheet.AddPage(new LoggingPage("Window Properties", 3417, log));
    sheet.AddPage(new CvxMarkerPropertyPage(m.manager, m.m1->GetID()));
    sheet.show();

    const QJsonObject root = CvxUiDump::Dump(&sheet, QString());
    std::vector<QJsonObject> nodes{root}; // every node, parents first
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        for (const QJsonValue child : nodes[i]["children"].toArray()) {
            nodes.push_back(child.toObject());
        }
    }
    const auto at = [&](const QString& pathEnd) {
        for (const QJsonObject& node : nodes) {
            if (node["path"].toString().endsWith(pathEnd)) {
                return node;
            }
        }
        return QJsonObject();
    };
    const QJsonObject tabs = at("/Tabs")["content"].toObject();
    EXPECT_EQ(tabs["tabs"].toArray(), (QJsonArray{"Window Properties", "Markers"}));
    EXPECT_EQ(tabs["current"].toInt(), 1);
    EXPECT_FALSE(at("/3417")["visible"].toBool());
    EXPECT_EQ(at("/3433/19602/edit")["text"].toString(), QString("M1"));
    EXPECT_EQ(at("/3433/Markers")["content"].toObject()["rowCount"].toInt(), 5);
    EXPECT_EQ(at("ComparePropertySheet/12321")["text"].toString(), QString("&Apply"));
    EXPECT_EQ(CvxUiDump::Find("3433/19606"), sheet.findChild<CvxColorWellButton*>("19606"));
}
