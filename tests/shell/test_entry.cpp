// The program itself, started as a process: a second start hands over to the first and ends; a
// start after the first one crashed becomes the running instance.
#include "shell/single_instance.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QImage>
#include <QLocalServer>
#include <QPrinterInfo>
#include <QProcess>
#include <QtTest>

using namespace mirte;

namespace {

class Program {
public:
    Program(const QString& instanceName, const QString& home,
            const QString& executable = QStringLiteral(MIRTE_EXE)) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("MIRTE_INSTANCE_NAME"), instanceName);
        environment.insert(QStringLiteral("HOME"), home);
        m_process.setProcessEnvironment(environment);
        m_process.setProgram(executable);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~Program() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    QProcess& Process() { return m_process; }
    void Start(const QStringList& arguments) {
        m_process.setArguments(arguments);
        m_process.start();
    }

private:
    QProcess m_process;
};

} // namespace

class TestEntry : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void secondStartEndsAtOnce();
    void startAfterACrashBecomesTheRunningInstance();
    void aDebugIniMakesTheCacheWriteItsLog();

private:
    QString m_name;
    test::TempFolder m_home;
};

void TestEntry::init() {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        QSKIP("the program refuses to start without a printer");
    }
    m_name = QStringLiteral("mirte-entry-test-%1-%2")
                 .arg(QCoreApplication::applicationPid())
                 .arg(QDateTime::currentMSecsSinceEpoch());
    m_home.MakeDir(QStringLiteral("Pictures"));
}

void TestEntry::cleanup() {
    // The programs were killed, so their lock file and socket stay behind: the test removes what
    // it made, and nothing else of that name may be left.
    if (m_name.isEmpty()) {
        return; // skipped before starting any
    }
    QLocalServer::removeServer(m_name);
    QFile::remove(QDir::temp().filePath(m_name + QStringLiteral(".lock")));
    QCOMPARE(QDir::temp().entryList({m_name + QLatin1Char('*')},
                                    QDir::AllEntries | QDir::System | QDir::Hidden),
             QStringList());
}

void TestEntry::secondStartEndsAtOnce() {
    const QString folder = m_home.MakeDir(QStringLiteral("写真"));
    Program first(m_name, m_home.Path());
    first.Start({});
    QVERIFY(first.Process().waitForStarted(10000));
    // Once it listens it answers a hand-over.
    QVERIFY(TSingleInstance(m_name).HandOver(QString(), 20000));

    Program second(m_name, m_home.Path());
    second.Start({folder});
    QVERIFY(second.Process().waitForFinished(20000));
    QCOMPARE(second.Process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.Process().exitCode(), 0);
    QCOMPARE(first.Process().state(), QProcess::Running);
}

void TestEntry::startAfterACrashBecomesTheRunningInstance() {
    {
        Program crashed(m_name, m_home.Path());
        crashed.Start({});
        QVERIFY(crashed.Process().waitForStarted(10000));
        QVERIFY(TSingleInstance(m_name).HandOver(QString(), 20000));
        crashed.Process().kill(); // leaves its lock file and its socket behind
        QVERIFY(crashed.Process().waitForFinished(5000));
    }
    Program next(m_name, m_home.Path());
    next.Start({m_home.Path()});
    QVERIFY(next.Process().waitForStarted(10000));
    QVERIFY(TSingleInstance(m_name).HandOver(QString(), 20000));
    QCOMPARE(next.Process().state(), QProcess::Running);
}

void TestEntry::aDebugIniMakesTheCacheWriteItsLog() {
    // A portable copy: its settings, cache, Debug.ini and log all beside it.
    const QString folder = m_home.MakeDir(QStringLiteral("portable"));
    const QString exe = folder + QStringLiteral("/mirte");
    QVERIFY(QFile::copy(QStringLiteral(MIRTE_EXE), exe));
    QFile(exe).setPermissions(QFile(exe).permissions() | QFileDevice::ExeOwner);
    m_home.Write(QStringLiteral("portable/Debug.ini"), "[Debug]\r\nDebugLog=1\r\nDebugInfo=1\r\n");
    const QString photos = m_home.MakeDir(QStringLiteral("photos"));
    for (const char* name : {"a.png", "b.png"}) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(photos + QLatin1Char('/') + QLatin1String(name)));
    }
    Program program(m_name, m_home.Path(), exe);
    program.Start({photos});
    QVERIFY(program.Process().waitForStarted(10000));
    const auto log = [&] {
        const QStringList files = QDir(folder + QStringLiteral("/Log")).entryList({"A*.log"});
        return files.isEmpty() ? QString()
                               : QString::fromUtf8(m_home.Read("portable/Log/" + files[0]));
    };
    // The loader saves the table when the folder is loaded; the cache logs that too.
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("管理情報格納：")), 20000);
    const QString text = log();
    QVERIFY(text.startsWith(QStringLiteral("ログ開始  ")));
    QVERIFY(text.contains(QStringLiteral("設定 Saveカウント上限=1000000 予約個数=1000")));
    QVERIFY(text.contains(QStringLiteral("設定 キャッシュディレクトリ")));
    QCOMPARE(m_home.Read("portable/Debug.txt").count('\n'), 9);
}

QTEST_MAIN(TestEntry)
#include "test_entry.moc"
