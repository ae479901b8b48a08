#include "core/settings/profile_file.h"
#include "support/settings_lines.h"
#include "support/temporary_settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <optional>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QStringList writtenKeys{QStringLiteral("Width"), QStringLiteral("Height"),
                              QStringLiteral("Left"), QStringLiteral("Top"),
                              QStringLiteral("Transparent")};

// A settings file as a user may keep it, with every key, comments and
// another section.
QByteArray userSettings(int commentLines)
{
    QByteArray text = "; ruler.ini, kept by hand\r\n"
                      "[General]\r\n"
                      "ScaleMode=Inches\r\n"
                      "Width=12000\r\n"
                      "Height=2000\r\n"
                      "Left=1500\r\n"
                      "Top=300\r\n"
                      "Transparent=200\r\n"
                      "BackColor=#FFFF00\r\n"
                      "Revision=0.905\r\n";
    for (int line = 0; line < commentLines; ++line)
        text +=
            "; " + QByteArray::number(line) + " the quick brown fox jumps over the lazy dog\r\n";
    text += "\r\n[Other]\r\nWidth=1\r\n";
    return text;
}

QString readKey(const TemporarySettings &file, const QString &key)
{
    return QString::fromStdString(
        ReadIniValue(file.files(), file.systemPath(), "General", key.toStdString()));
}

// What a writer writes in any round: "N-N".
bool isRoundValue(const QString &value)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+)-\\1$"));
    return form.match(value).hasMatch();
}

// Root ignores file modes, so where the test runs as root the writer runs
// as the unprivileged user nobody, through setpriv.
struct OtherUser
{
    uid_t uid;
    gid_t gid;
};

std::optional<OtherUser> nobody()
{
    const passwd *user = ::getpwnam("nobody");
    if (!user || user->pw_uid == 0)
        return std::nullopt;
    return OtherUser{user->pw_uid, user->pw_gid};
}

} // namespace

class TestCrashSafety : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void killedWriterNeverDamagesTheFile_data();
    void killedWriterNeverDamagesTheFile();
    void unwritableSettingsAreLeftAlone_data();
    void unwritableSettingsAreLeftAlone();

private:
    quint32 m_seed = 0;
};

void TestCrashSafety::initTestCase()
{
    // The moments of the kills are random; the seed that chose them is
    // printed so that a failure can be run again with the same moments:
    // RULER_TEST_SEED=<seed> tst_crash_safety
    bool given = false;
    m_seed = qEnvironmentVariable("RULER_TEST_SEED").toUInt(&given);
    if (!given)
        m_seed = quint32(QDateTime::currentMSecsSinceEpoch());
    qInfo("RULER_TEST_SEED=%u", m_seed);
}

void TestCrashSafety::killedWriterNeverDamagesTheFile_data()
{
    QTest::addColumn<QByteArray>("original");

    // Values of a new length replace the file; most values of a round keep
    // the length of the round before, and a file of a few lines takes them
    // over its own bytes. A long file makes each write take long enough for
    // a kill to land inside it, and is always replaced.
    QTest::newRow("usual file") << userSettings(2);
    QTest::newRow("long file") << userSettings(1000);
}

void TestCrashSafety::killedWriterNeverDamagesTheFile()
{
    QFETCH(QByteArray, original);
    TemporarySettings file;
    file.setText(original);

    // Each row draws the same moments from the seed, whichever rows run.
    QRandomGenerator random(m_seed);
    constexpr int kills = 200;
    for (int kill = 0; kill < kills; ++kill) {
        QProcess writer;
        writer.start(QStringLiteral(RULER_SETTINGS_WRITER),
                     QStringList{QStringLiteral("loop"), file.path()} + writtenKeys);
        QVERIFY(writer.waitForStarted());
        QVERIFY2(writer.waitForReadyRead(30000), "the writer did not finish its first round");
        // Anywhere within the next few dozen writes.
        QThread::usleep(random.bounded(4000));
        QCOMPARE(::kill(pid_t(writer.processId()), SIGKILL), 0);
        QVERIFY(writer.waitForFinished());
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        const QByteArray text = file.text();
        QVERIFY2(!text.isEmpty(), qPrintable(QStringLiteral("empty after kill %1").arg(kill)));
        for (const QString &key : writtenKeys) {
            const QString value = readKey(file, key);
            QVERIFY2(
                isRoundValue(value),
                qPrintable(QStringLiteral("%1 is \"%2\" after kill %3").arg(key, value).arg(kill)));
        }
        QCOMPARE(readKey(file, QStringLiteral("ScaleMode")), QStringLiteral("Inches"));
        QCOMPARE(readKey(file, QStringLiteral("Revision")), QStringLiteral("0.905"));
        QCOMPARE(SettingsLines::firstChangedLine(original, text, writtenKeys), QString());
    }
}

void TestCrashSafety::unwritableSettingsAreLeftAlone_data()
{
    QTest::addColumn<int>("fileMode"); // -1: no file
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<bool>("writable");

    QTest::newRow("read-only file in a writable folder") << 0444 << 0777 << false;
    QTest::newRow("read-only file in a read-only folder") << 0444 << 0555 << false;
    QTest::newRow("write-only file") << 0222 << 0777 << false;
    QTest::newRow("no file in a read-only folder") << -1 << 0555 << false;
    QTest::newRow("writable file in a read-only folder") << 0666 << 0555 << true;
}

void TestCrashSafety::unwritableSettingsAreLeftAlone()
{
    QFETCH(int, fileMode);
    QFETCH(int, folderMode);
    QFETCH(bool, writable);

    const bool asRoot = ::geteuid() == 0;
    const std::optional<OtherUser> user = asRoot ? nobody() : std::nullopt;
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (asRoot && (!user || setpriv.isEmpty()))
        QSKIP("running as root, which ignores file modes, without the user nobody or setpriv "
              "to run the writer as someone else");

    // The writer runs from a folder of its own that the other user can
    // reach, wherever the build tree is.
    QTemporaryDir programFolder;
    QVERIFY(programFolder.isValid());
    QVERIFY(::chmod(QFile::encodeName(programFolder.path()).constData(), 0755) == 0);
    const QString writer = programFolder.filePath(QStringLiteral("settings_writer"));
    QVERIFY(QFile::copy(QStringLiteral(RULER_SETTINGS_WRITER), writer));

    TemporarySettings file;
    const QString folder = QFileInfo(file.path()).absolutePath();
    const QByteArray original = userSettings(2);
    if (fileMode >= 0) {
        file.setText(original);
        QVERIFY(::chmod(QFile::encodeName(file.path()).constData(), mode_t(fileMode)) == 0);
    }
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), mode_t(folderMode)) == 0);

    QProcess process;
    process.setWorkingDirectory(programFolder.path());
    const QStringList arguments =
        QStringList{QStringLiteral("rounds"), file.path(), QStringLiteral("3")} + writtenKeys;
    if (user) {
        process.start(setpriv, QStringList{QStringLiteral("--reuid=%1").arg(user->uid),
                                           QStringLiteral("--regid=%1").arg(user->gid),
                                           QStringLiteral("--clear-groups"), writer} +
                                   arguments);
    } else {
        process.start(writer, arguments);
    }
    QVERIFY(process.waitForFinished(60000));
    const QByteArray report = process.readAllStandardOutput();
    const QByteArray errors = process.readAllStandardError();

    // Back to modes that let the test read and clean up.
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0700) == 0);
    if (fileMode >= 0)
        QVERIFY(::chmod(QFile::encodeName(file.path()).constData(), 0600) == 0);

    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(errors, QByteArray());
    const qint64 writes = 3 * writtenKeys.size();
    QCOMPARE(report, writable
                         ? QStringLiteral("written %1 refused 0 lost 0\n").arg(writes).toLatin1()
                         : QStringLiteral("written 0 refused %1 lost 0\n").arg(writes).toLatin1());

    // Nothing is left beside it, nor made where there was nothing.
    const QStringList expectedEntries =
        fileMode >= 0 ? QStringList{QStringLiteral("ruler.ini")} : QStringList();
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             expectedEntries);
    if (fileMode < 0)
        return;
    const QByteArray text = file.text();
    if (!writable) {
        QCOMPARE(text, original);
        return;
    }
    QCOMPARE(SettingsLines::firstChangedLine(original, text, writtenKeys), QString());
    for (const QString &key : writtenKeys)
        QCOMPARE(readKey(file, key), QStringLiteral("2-2"));
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crash_safety.moc"
