#include "core/settings/profile_file.h"
#include "support/settings_lines.h"
#include "support/temporary_settings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <array>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <unistd.h>

// Two rulers started from one folder write one ruler.ini. Each write reads
// the file, changes a line and replaces the file; without the lock around
// that, one ruler could replace the file from a reading older than the
// other's last write and so lose it.
class TestTwoWriters : public QObject
{
    Q_OBJECT

private slots:
    void neitherLosesTheOthersKeys();
    void aWriteWaitsForAnotherRulersWrite();
    void aWriteGoesAheadPastAStoppedRuler();
};

namespace {

// The lock another ruler takes for the moment of its write, held here as
// long as the test needs: the kernel's lock on the settings folder.
class OtherRulersLock
{
public:
    explicit OtherRulersLock(const QString &settingsPath)
        : m_folder(::open(QFile::encodeName(QFileInfo(settingsPath).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {}
    ~OtherRulersLock() { release(); }

    bool take() { return m_folder >= 0 && ::flock(m_folder, LOCK_EX | LOCK_NB) == 0; }
    void release()
    {
        if (m_folder >= 0)
            ::close(m_folder);
        m_folder = -1;
    }

private:
    int m_folder;
};

constexpr std::string_view general = "General";

} // namespace

void TestTwoWriters::neitherLosesTheOthersKeys()
{
    const QStringList firstKeys{QStringLiteral("Width"), QStringLiteral("Height"),
                                QStringLiteral("Left"), QStringLiteral("Top"),
                                QStringLiteral("Transparent")};
    const QStringList secondKeys{QStringLiteral("BackColor"), QStringLiteral("RulerWordColor"),
                                 QStringLiteral("TipWordColor"), QStringLiteral("RulerLineColor"),
                                 QStringLiteral("Revision")};
    constexpr int rounds = 300;

    TemporarySettings file;
    const QByteArray original =
        "; shared by two rulers\n[General]\nScaleMode=Inches\n\n[Other]\nA=1\n";
    file.setText(original);

    std::array<QProcess, 2> writers;
    const std::array<QStringList, 2> keys{firstKeys, secondKeys};
    for (size_t i = 0; i < writers.size(); ++i) {
        writers[i].start(
            QStringLiteral(RULER_SETTINGS_WRITER),
            QStringList{QStringLiteral("rounds"), file.path(), QString::number(rounds)} + keys[i]);
    }
    for (size_t i = 0; i < writers.size(); ++i) {
        QVERIFY(writers[i].waitForFinished(120000));
        QCOMPARE(writers[i].exitStatus(), QProcess::NormalExit);
        QCOMPARE(writers[i].exitCode(), 0);
        // Each writer checks after every write that its own keys still hold
        // what it wrote last: "lost" counts those the other writer undid.
        QCOMPARE(writers[i].readAllStandardOutput(), QStringLiteral("written %1 refused 0 lost 0\n")
                                                         .arg(rounds * keys[i].size())
                                                         .toLatin1());
    }

    const QString last = QStringLiteral("%1-%1").arg(rounds - 1);
    for (const QString &key : firstKeys + secondKeys)
        QCOMPARE(QString::fromStdString(
                     ReadIniValue(file.files(), file.systemPath(), general, key.toStdString())),
                 last);
    QCOMPARE(SettingsLines::firstChangedLine(original, file.text(), firstKeys + secondKeys),
             QString());
}

void TestTwoWriters::aWriteWaitsForAnotherRulersWrite()
{
    TemporarySettings file;
    file.setText("[General]\nWidth=9780\n");
    OtherRulersLock other(file.path());
    QVERIFY(other.take());

    bool written = false;
    const std::unique_ptr<QThread> writer(QThread::create([&] {
        written = WriteIniValue(file.files(), file.systemPath(), general, "Width", "12000");
    }));
    writer->start();
    QVERIFY(!writer->wait(300));
    QCOMPARE(file.text(), QByteArray("[General]\nWidth=9780\n"));

    other.release();
    QVERIFY(writer->wait(5000));
    QVERIFY(written);
    QCOMPARE(file.text(), QByteArray("[General]\nWidth=12000\n"));
}

void TestTwoWriters::aWriteGoesAheadPastAStoppedRuler()
{
    TemporarySettings file;
    file.setText("[General]\nWidth=9780\n");
    OtherRulersLock stopped(file.path());
    QVERIFY(stopped.take());

    QElapsedTimer clock;
    clock.start();
    QVERIFY(WriteIniValue(file.files(), file.systemPath(), general, "Width", "12000"));
    // It waited a while for the lock, and then did not wait for ever.
    QVERIFY2(clock.elapsed() >= 1000 && clock.elapsed() < 20000,
             qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(file.text(), QByteArray("[General]\nWidth=12000\n"));
}

QTEST_GUILESS_MAIN(TestTwoWriters)
#include "tst_two_writers.moc"
