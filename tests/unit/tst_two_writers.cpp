#include "settings/profile_file.h"
#include "support/settings_lines.h"
#include "support/temporary_settings.h"

#include <QProcess>
#include <QTest>

#include <array>

// Two rulers started from one folder write one ruler.ini. Each write reads
// the file, changes a line and replaces the file; without the lock around
// that, one ruler could replace the file from a reading older than the
// other's last write and so lose it.
class TestTwoWriters : public QObject
{
    Q_OBJECT

private slots:
    void neitherLosesTheOthersKeys();
};

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
        QCOMPARE(ReadIniValue(file.path(), QStringLiteral("General"), key), last);
    QCOMPARE(SettingsLines::firstChangedLine(original, file.text(), firstKeys + secondKeys),
             QString());
}

QTEST_GUILESS_MAIN(TestTwoWriters)
#include "tst_two_writers.moc"
