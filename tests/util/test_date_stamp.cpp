#include "support/gtest_qt.h"
#include "util/date_stamp.h"

#include <gtest/gtest.h>

using namespace mirte;

namespace {

// Texts as the file facts and the EXIF reader give them, with the number each is kept as
// (-1: kept as its text).
const struct {
    const char* text;
    qint64 number;
} kRows[] = {
    {"2003/05/12 09:00:00", 20030512090000},
    {"1999/12/31 23:59:59", 19991231235959},
    {"0000/00/00 00:00:00", 0},              // a camera whose clock was never set
    {"2024/13/45 99:99:99", 20241345999999}, // shown as written, though no day has it
    {"    /  /     :  :  ", -1},             // EXIF's blank date
    {"2003/05/12", -1},                      // cut short
    {"2003/05/12 09:00:00x", -1},
    {"2003-05-12 09:00:00", -1},
    {"２００３/05/12 09:00:00", -1}, // digits of another script are no digits here
};

} // namespace

TEST(DateStamp, ShowsExactlyTheTextItWasReadFrom) {
    for (const auto& row : kRows) {
        const QString text = QString::fromUtf8(row.text);
        SCOPED_TRACE(row.text);
        const TDateStamp stamp = TDateStamp::FromText(text);
        EXPECT_EQ(stamp.Text(), text);
        EXPECT_EQ(stamp.Number(), row.number);
        EXPECT_EQ(stamp.IsRegular(), row.number >= 0);
        EXPECT_FALSE(stamp.IsNull());
        EXPECT_EQ(stamp, TDateStamp::FromText(text));
    }
    const TDateStamp none = TDateStamp::FromText(QString());
    EXPECT_TRUE(none.IsNull());
    EXPECT_EQ(none, TDateStamp());
    EXPECT_EQ(none.Text(), QString());
}
