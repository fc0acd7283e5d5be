#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "support/LocalMoment.h"

#include "common/Clock.h"
#include "monitor/DataListModel.h"
#include "monitor/RTSetup.h"
#include "records/RecordList.h"
#include "support/ScriptedDialogs.h"

using testsupport::CScriptedDialogs;

namespace {

class RTSetupTest : public ::testing::Test {
protected:
    RTSetupTest()
    {
        // 2026-12-07 05:09:03 local time.
        const std::time_t t = testsupport::LocalMoment(2026, 12, 7, 5, 9, 3);
        sonivel::SetClock([t] { return t; });
    }
    ~RTSetupTest() override { sonivel::SetClock({}); }

    QString Text(int id) { return FindById<QLineEdit>(&dlg, id)->text(); }
    void Type(const QString& text)
    {
        QLineEdit* box = FindById<QLineEdit>(&dlg, 1044);
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        else
            QTest::keyClicks(box, text);
    }

    CScriptedDialogs dialogs;
    CRTSetup dlg;
};

} // namespace

TEST_F(RTSetupTest, ShowsCycleAndTimesForTheGroupNumberAndRate)
{
    EXPECT_EQ(dlg.windowTitle(), "Real-Time Setup");
    auto* rate = FindById<QComboBox>(&dlg, 1007);
    ASSERT_EQ(rate->count(), 10);
    EXPECT_EQ(rate->itemText(3), "1.0");
    EXPECT_EQ(rate->itemText(9), "10.0");
    EXPECT_EQ(rate->currentIndex(), 2);
    for (int id : {1046, 1047, 1048})
        EXPECT_TRUE(FindById<QLineEdit>(&dlg, id)->isReadOnly());

    dlg.SetGroupNumber(3600);
    EXPECT_EQ(Text(1046), "0 hour 30 minute 0 second");
    EXPECT_EQ(Text(1047), "2026-12-7,5:9:3");
    EXPECT_EQ(Text(1048), "2026-12-7,5:39:3");

    Type("9999999");
    rate->setCurrentIndex(9);
    QMetaObject::invokeMethod(rate, "activated", Q_ARG(int, 9));
    EXPECT_EQ(Text(1046), "27777 hour 46 minute 30 second");
    EXPECT_EQ(Text(1048), "2030-2-6,14:55:33");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(RTSetupTest, TypingOutOfRangeOrNoNumberShowsTheValidationMessages)
{
    Type("0");
    EXPECT_EQ(dialogs.messages.last(), "Kova: Enter an integer between 1 and 9999999.");
    Type("10000000");
    EXPECT_EQ(dialogs.messages.last(), "Kova: Enter an integer between 1 and 9999999.");
    Type("");
    EXPECT_EQ(dialogs.messages.last(), "Kova: Enter an integer.");
    Type("12a");
    EXPECT_EQ(dialogs.messages.last(), "Kova: Enter an integer.");
}

TEST_F(RTSetupTest, StartKeepsTheDialogOpenUntilTheNumberIsInRange)
{
    dlg.show();
    FindById<QLineEdit>(&dlg, 1044)->setText("10000000");
    dlg.accept();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dialogs.messages, QStringList{"Kova: Enter an integer between 1 and 9999999."});
    FindById<QLineEdit>(&dlg, 1044)->setText(" 250 ");
    FindById<QComboBox>(&dlg, 1007)->setCurrentIndex(4);
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GroupNumber(), 250);
    EXPECT_EQ(dlg.RateIndex(), 4);
}

TEST(DialogInteger, AcceptsSignedDigitsWithBlanksOnly)
{
    int v = 0;
    EXPECT_TRUE(ParseDialogInteger(" 42 ", &v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(ParseDialogInteger("-7", &v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(ParseDialogInteger("99999999999999999999", &v));
    EXPECT_EQ(v, INT_MAX);
    for (const char* bad : {"", " ", "+", "4 2", "1e3", "0x10", "3.5"})
        EXPECT_FALSE(ParseDialogInteger(QString::fromLatin1(bad), &v)) << bad;
}

TEST(DataListModel, RowsFollowTheStoreOneInsertPerAppend)
{
    CRecordStore store;
    CDataListModel model(store);
    QStringList heads;
    for (int c = 0; c < 4; ++c)
        heads << model.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(heads, (QStringList{"ID", "Data Time", "Unit", "Value"}));

    int inserted = 0;
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&](const QModelIndex&, int first, int last) {
        EXPECT_EQ(first, last);
        ++inserted;
    });
    for (int i = 0; i < 3; ++i) {
        store.Add(CObjData(60.126 + i, "07-12-2026,05:09:0" + std::to_string(i), "dBC", 0, 0.5));
        model.Sync();
    }
    EXPECT_EQ(inserted, 3);
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.index(2, 0).data().toString(), "3");
    EXPECT_EQ(model.index(2, 1).data().toString(), "07-12-2026,05:09:02");
    EXPECT_EQ(model.index(2, 2).data().toString(), "dBC");
    EXPECT_EQ(model.index(0, 3).data().toString(), "60.13");

    store.RemoveAll();
    model.Sync();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.index(0, 0).isValid());
}
