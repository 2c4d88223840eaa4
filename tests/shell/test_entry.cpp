// The program itself, started as a process: a second start hands over to the first and ends; a
// start after the first one crashed becomes the running instance.
#include "shell/single_instance.h"
#include "support/temp_folder.h"

#include <QPrinterInfo>
#include <QProcess>
#include <QtTest>

using namespace mirte;

namespace {

class Program {
public:
    Program(const QString& instanceName, const QString& home) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("MIRTE_INSTANCE_NAME"), instanceName);
        environment.insert(QStringLiteral("HOME"), home);
        m_process.setProcessEnvironment(environment);
        m_process.setProgram(QStringLiteral(MIRTE_EXE));
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
    void secondStartEndsAtOnce();
    void startAfterACrashBecomesTheRunningInstance();

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

QTEST_MAIN(TestEntry)
#include "test_entry.moc"
