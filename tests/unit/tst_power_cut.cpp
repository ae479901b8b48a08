// A write that changes the length of a settings file that was there before
// the writer started must reach the disk in this order: the new file's data,
// then the name, then the folder that holds the name. The writer runs under
// strace, which shows the system calls as the kernel saw them.
#include "support/temporary_settings.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestPowerCut : public QObject
{
    Q_OBJECT

private slots:
    void newFileReachesTheDiskBeforeItsName();
};

void TestPowerCut::newFileReachesTheDiskBeforeItsName()
{
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty())
        QSKIP("strace is not installed (scripts/install-deps --tests installs it)");

    TemporarySettings file;
    // "0-0" is shorter than 12000: the file is replaced, not written over.
    file.setText("[General]\nWidth=12000\n");
    QTemporaryDir traceFolder;
    QVERIFY(traceFolder.isValid());
    const QString tracePath = traceFolder.filePath(QStringLiteral("trace"));

    QProcess writer;
    writer.start(strace, {QStringLiteral("-f"), QStringLiteral("-s"), QStringLiteral("4096"),
                          QStringLiteral("-o"), tracePath, QStringLiteral("-e"),
                          QStringLiteral("trace=open,openat,close,fsync,fdatasync,rename,"
                                         "renameat,renameat2"),
                          QStringLiteral(RULER_SETTINGS_WRITER), QStringLiteral("rounds"),
                          file.path(), QStringLiteral("1"), QStringLiteral("Width")});
    QVERIFY(writer.waitForFinished(60000));
    QCOMPARE(writer.readAllStandardError(), QByteArray());
    QCOMPARE(writer.exitCode(), 0);
    QCOMPARE(writer.readAllStandardOutput(), QByteArray("written 1 refused 0 lost 0\n"));
    QCOMPARE(file.text(), QByteArray("[General]\nWidth=0-0\n"));

    QFile traceFile(tracePath);
    QVERIFY(traceFile.open(QIODevice::ReadOnly));
    const QString trace = QString::fromUtf8(traceFile.readAll());

    // Each call that counts here, in the order the kernel took them.
    const QString folderPath = QFileInfo(file.path()).absolutePath();
    const QString target = QRegularExpression::escape(file.path());
    const QString folder = QRegularExpression::escape(folderPath);
    const QRegularExpression newFileOpened(
        QStringLiteral("open(at)?\\(.*\"%1\\.[^\"/]*\", .*O_CREAT.*\\) = (\\d+)$").arg(target));
    const QRegularExpression renamed(
        QStringLiteral("rename(at2?)?\\(.*\"%1\\.[^\"/]*\", .*\"%1\"(, \\w+)?\\) = 0$")
            .arg(target));
    const QRegularExpression folderOpened(
        QStringLiteral("open(at)?\\(.*\"%1\", .*O_DIRECTORY.*\\) = (\\d+)$").arg(folder));
    const QRegularExpression synced(QStringLiteral("\\b(fsync|fdatasync)\\((\\d+)\\) += 0$"));
    const QRegularExpression closed(QStringLiteral("\\bclose\\((\\d+)\\) += 0$"));

    // What a failure shows: the calls on the settings folder and the syncs.
    QString shown;
    for (const QString &line : trace.split(u'\n')) {
        if (line.contains(folderPath) || synced.match(line).hasMatch())
            shown += line + u'\n';
    }

    QString newFile;     // the new file's descriptor while it is open
    QStringList folders; // the folder's, while they are open
    bool newFileSynced = false;
    bool nameTaken = false;
    bool folderSynced = false;
    for (const QString &line : trace.split(u'\n')) {
        QRegularExpressionMatch match;
        if ((match = newFileOpened.match(line)).hasMatch()) {
            newFile = match.captured(2);
        } else if ((match = synced.match(line)).hasMatch()) {
            newFileSynced = newFileSynced || (!nameTaken && match.captured(2) == newFile);
            folderSynced = folderSynced || (nameTaken && folders.contains(match.captured(2)));
        } else if ((match = closed.match(line)).hasMatch()) {
            if (match.captured(1) == newFile)
                newFile.clear();
            folders.removeOne(match.captured(1));
        } else if (renamed.match(line).hasMatch()) {
            QVERIFY2(newFileSynced,
                     qPrintable("the name changed before the new file was synced:\n" + shown));
            nameTaken = true;
        } else if ((match = folderOpened.match(line)).hasMatch()) {
            folders.append(match.captured(2));
        }
    }
    QVERIFY2(nameTaken, qPrintable("no rename to the settings file:\n" + shown));
    QVERIFY2(folderSynced,
             qPrintable("the folder was not synced after the name changed:\n" + shown));
}

QTEST_GUILESS_MAIN(TestPowerCut)
#include "tst_power_cut.moc"
