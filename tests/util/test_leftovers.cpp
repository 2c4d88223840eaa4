#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/leftovers.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace mirte;
using mirte::test::TempFolder;

namespace {

// The id of a process that has ended.
qint64 GoneProcess() {
    QProcess process;
    process.start(QStringLiteral("true"), QStringList());
    process.waitForFinished();
    return process.processId() > 0 ? process.processId() : 999999;
}

} // namespace

// Only what names a process that has gone goes: a writer's file beside its own target, or an
// entry of the prefix; a running process's entries, other targets' and other names stay.
TEST(Leftovers, OnlyThoseOfProcessesThatHaveGoneAreRemoved) {
    const QString gone = QString::number(GoneProcess());
    ASSERT_FALSE(ProcessRunning(gone.toLongLong()));
    const QString alive = QString::number(::getpid());
    const struct {
        QString name;
        bool removed;
    } rows[] = {
        {".card.pdf." + gone + ".3.new", true},
        {".card.pdf." + alive + ".0.new", false},
        {".card.pdf.x.0.new", false},
        {".card.pdf." + gone + ".new", false},
        {".other.pdf." + gone + ".0.new", false},
        {"mirte-job-" + gone + "-a1B2c3.pdf", true},
        {"mirte-job-" + alive + "-a1B2c3.pdf", false},
        {"mirte-job-a1B2c3.pdf", false},
        {"mirte-cli-" + gone + "-a1B2c3/inside", true},
    };
    TempFolder dir;
    for (const auto& row : rows) {
        dir.Write(row.name, "x");
    }
    EXPECT_EQ(RemoveLeftoverWrites(dir.File("card.pdf")), 1);
    EXPECT_EQ(RemoveLeftovers(dir.Path(), "mirte-job-"), 1);
    QStringList seen;
    EXPECT_EQ(RemoveLeftovers(dir.Path(), "mirte-cli-",
                              [&](const QString& folder) { seen << QDir(folder).dirName(); }),
              1);
    EXPECT_EQ(seen, QStringList{"mirte-cli-" + gone + "-a1B2c3"});
    for (const auto& row : rows) {
        EXPECT_EQ(QFileInfo::exists(dir.File(row.name)), !row.removed) << row.name.toStdString();
    }
}
