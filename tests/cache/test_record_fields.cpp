#include "cache/record_fields.h"
#include "cache/th_image.h"
#include "support/gtest_qt.h"

#include <gtest/gtest.h>

using namespace mirte;

TEST(RecordFields, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(QuoteField("/photos/a.jpg"), QStringLiteral("/photos/a.jpg"));
    EXPECT_EQ(QuoteField(""), QString());
    EXPECT_EQ(QuoteField("2004/01/02 09:05:07"), QStringLiteral("\"2004/01/02 09:05:07\""));
    EXPECT_EQ(QuoteField("a,b"), QStringLiteral("\"a,b\""));
    EXPECT_EQ(QuoteField("say \"hi\""), QStringLiteral("\"say \"\"hi\"\"\""));
    EXPECT_EQ(QuoteField("tab\there"), QStringLiteral("\"tab\there\""));
    EXPECT_EQ(QuoteField("写真"), QStringLiteral("写真"));
}

TEST(RecordFields, SplitsAsTheFileIsWritten) {
    EXPECT_EQ(SplitFields(u"a,,b"), QStringList({"a", "", "b"}));
    EXPECT_EQ(SplitFields(u"a,"), QStringList({"a", ""}));
    EXPECT_EQ(SplitFields(u",a"), QStringList({"", "a"}));
    EXPECT_EQ(SplitFields(u"  a , b"), QStringList({"a", "b"}));
    EXPECT_EQ(SplitFields(u"a b"), QStringList({"a", "b"})); // a bare blank splits
    EXPECT_EQ(SplitFields(u"\"x, \"\"y\"\"\",z"), QStringList({"x, \"y\"", "z"}));
    EXPECT_EQ(SplitFields(u"\"unterminated, to the end"),
              QStringList({"unterminated, to the end"}));
    EXPECT_EQ(SplitFields(u""), QStringList());
    EXPECT_EQ(SplitFields(u"\"\""), QStringList({""}));
}

TEST(RecordFields, EveryFieldSurvivesTheRoundTrip) {
    TThImage record;
    record.LastAccess = "2004/01/02 09:05:07";
    record.OrgFileName = "/home/me/写真 2004/a, \"best\".jpg";
    record.SaveID = 1234;
    record.ReqWidth = 512;
    record.ReqHeight = 384;
    record.Org.Width = 4000;
    record.Org.Height = 3000;
    record.Org.CreateTime = "2003/05/12 10:20:30";
    record.Org.FileTime = "2004/01/01 00:00:00";
    record.Org.FileSize = 3LL * 1024 * 1024 * 1024; // beyond 32 bits
    record.Org.VolLabel = "My Disk";
    record.Org.VolSer = "1A2B-3C4D";
    record.ThFileTime = "2004/01/02 09:05:08";
    record.ThFileSize = 589878;
    const QString line = record.ToStr();
    EXPECT_EQ(line,
              QStringLiteral("T,\"2004/01/02 09:05:07\",\"/home/me/写真 2004/a, \"\"best\"\".jpg\","
                             "1234,512,384,4000,3000,\"2003/05/12 10:20:30\",,"
                             "\"2004/01/01 00:00:00\",3221225472,\"My Disk\",1A2B-3C4D,"
                             "\"2004/01/02 09:05:08\",589878"));
    TThImage back;
    ASSERT_TRUE(back.FromStr(line));
    EXPECT_EQ(back.ToStr(), line);
    EXPECT_EQ(back.Org.FileSize, record.Org.FileSize);
    EXPECT_EQ(back.OrgFileName, record.OrgFileName);
    EXPECT_TRUE(back.Org.UpdateTime.isEmpty());
}

TEST(RecordFields, RejectsLinesThatAreNotRecords) {
    TThImage record;
    const QString good =
        QStringLiteral("T,\"d t\",/a.jpg,7,512,512,10,10,,,\"d t\",5,,,\"d t\",60");
    EXPECT_TRUE(record.FromStr(good));
    EXPECT_TRUE(record.FromStr(good + QStringLiteral(",extra,fields")));
    for (const QString& bad :
         {QStringLiteral("T,\"d t\",/a.jpg,7,512,512,10,10,,,\"d t\",5,,,\"d t\""),
          QStringLiteral("TX,\"d t\",/a.jpg,7,512,512,10,10,,,\"d t\",5,,,\"d t\",60"),
          QStringLiteral("T,\"d t\",/a.jpg,x7,512,512,10,10,,,\"d t\",5,,,\"d t\",60"),
          QStringLiteral("T,\"d t\",/a.jpg,1000000,512,512,10,10,,,\"d t\",5,,,\"d t\",60"),
          QStringLiteral("T,\"d t\",/a.jpg,-1,512,512,10,10,,,\"d t\",5,,,\"d t\",60"),
          QStringLiteral("T,\"d t\",/a.jpg,7,99999999999,512,10,10,,,\"d t\",5,,,\"d t\",60"),
          QStringLiteral("T,\"d t\",/a.jpg,7,512,512,10,10,,,\"d t\",5.5,,,\"d t\",60"),
          QStringLiteral("D,deleted")}) {
        EXPECT_FALSE(record.FromStr(bad)) << bad.toStdString();
    }
    EXPECT_EQ(record.SaveID, 7); // a rejected line leaves the record as it was
}
