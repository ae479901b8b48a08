#include "core/settings/profile_file.h"
#include "core/settings/ruler_settings.h"
#include "support/temporary_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view general = "General";

QString read(const TemporarySettings &file, const QString &key)
{
    return QString::fromStdString(
        ReadIniValue(file.files(), file.systemPath(), general, key.toStdString()));
}

bool write(const TemporarySettings &file, const QString &key, const QString &value)
{
    return WriteIniValue(file.files(), file.systemPath(), general, key.toStdString(),
                         value.toStdString());
}

ino_t inodeOf(const QString &path)
{
    struct stat info
    {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void missingFileReadsEmptyAndFirstWriteCreatesIt();
    void readsCleanedValues_data();
    void readsCleanedValues();
    void longValuesAreCutTo999Bytes();
    void namesMatchWithoutRegardToCase();
    void firstSectionAndFirstKeyWin();
    void writeChangesOnlyItsLine_data();
    void writeChangesOnlyItsLine();
    void refusesWhatCannotStandOnOneLine_data();
    void refusesWhatCannotStandOnOneLine();
    void severalKeysFromOneReading();
    void writeReplacesTheFileAsAWhole();
    void sameSizeWriteGoesOverTheFile_data();
    void sameSizeWriteGoesOverTheFile();
    void replacementKeepsPermissionsAndFollowsLinks();
    void unchangedWriteLeavesTheFileAlone();
    void oversizedFileIsNeitherReadNorRewritten();
    void namedPipeReadsEmptyAndIsReplaced();
    void firstFailedWriteIsToldOnce();
};

void TestProfileFile::missingFileReadsEmptyAndFirstWriteCreatesIt()
{
    TemporarySettings file;
    QCOMPARE(read(file, QStringLiteral("ScaleMode")), QString());
    QVERIFY(!file.exists());

    QVERIFY(write(file, QStringLiteral("ScaleMode"), QStringLiteral("Millimeters")));
    QCOMPARE(file.text(), QByteArray("[General]\nScaleMode=Millimeters\n"));
    QVERIFY(write(file, QStringLiteral("Width"), QStringLiteral("9780")));
    QCOMPARE(file.text(), QByteArray("[General]\nScaleMode=Millimeters\nWidth=9780\n"));
    QCOMPARE(read(file, QStringLiteral("Width")), QStringLiteral("9780"));
}

void TestProfileFile::readsCleanedValues_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << QByteArray("Key=90") << "90";
    QTest::newRow("blanks between colour pairs") << QByteArray("Key=# FF FF 00") << "#FFFF00";
    QTest::newRow("blank inside a number") << QByteArray("Key=9 0") << "90";
    QTest::newRow("blanks around") << QByteArray("  Key  =   90   ") << "90";
    QTest::newRow("tabs around") << QByteArray("Key\t=\t90\t") << "90";
    QTest::newRow("NUL inside") << QByteArray("Key=9\0"
                                              "0",
                                              7)
                                << "90";
    QTest::newRow("empty value") << QByteArray("Key=") << "";
    QTest::newRow("equals inside value") << QByteArray("Key=a=b") << "a=b";
    QTest::newRow("quotes stay") << QByteArray("Key=\"x\"") << "\"x\"";
    QTest::newRow("UTF-8 text") << QByteArray("Key=毫 米") << "毫米";
    QTest::newRow("byte-order mark starting a value") << QByteArray("Key=\xEF\xBB\xBF"
                                                                    "90")
                                                      << QStringLiteral("\uFEFF90");
}

void TestProfileFile::readsCleanedValues()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, expected);
    TemporarySettings file;
    file.setText("[General]\n" + line + "\n");
    // As bytes: a byte-order mark that starts a value is part of it.
    QCOMPARE(
        QByteArray::fromStdString(ReadIniValue(file.files(), file.systemPath(), general, "Key")),
        expected.toUtf8());
}

void TestProfileFile::longValuesAreCutTo999Bytes()
{
    TemporarySettings file;
    file.setText("[General]\nBackColor=" + QByteArray(1200, 'A') + "\n");
    QCOMPARE(read(file, QStringLiteral("BackColor")), QString(999, u'A'));

    // A character of several bytes that straddles the cut is left out whole.
    file.setText("[General]\nKey=" + QByteArray(998, 'a') + "中b\n");
    QCOMPARE(read(file, QStringLiteral("Key")), QString(998, u'a'));

    // The cut comes before the blanks are removed.
    file.setText("[General]\nKey=" + QByteArray(500, 'a') + QByteArray(499, ' ') + "tail\n");
    QCOMPARE(read(file, QStringLiteral("Key")), QString(500, u'a'));
}

void TestProfileFile::namesMatchWithoutRegardToCase()
{
    TemporarySettings file;
    file.setText("[ general ]\nbackcolor=#FF0000\n");
    QCOMPARE(read(file, QStringLiteral("BackColor")), QStringLiteral("#FF0000"));

    QVERIFY(write(file, QStringLiteral("BACKCOLOR"), QStringLiteral("#00FF00")));
    QCOMPARE(file.text(), QByteArray("[ general ]\nbackcolor=#00FF00\n"));
}

void TestProfileFile::firstSectionAndFirstKeyWin()
{
    TemporarySettings file;
    file.setText("[General]\nA=1\nA=2\n[Other]\nB=3\n[General]\nA=4\nB=5\n");
    QCOMPARE(read(file, QStringLiteral("A")), QStringLiteral("1"));
    QCOMPARE(read(file, QStringLiteral("B")), QStringLiteral("5"));
    QVERIFY(ReadIniValue(file.files(), file.systemPath(), "Other", "B") == "3");

    QVERIFY(write(file, QStringLiteral("A"), QStringLiteral("9")));
    QVERIFY(write(file, QStringLiteral("B"), QStringLiteral("8")));
    QCOMPARE(file.text(), QByteArray("[General]\nA=9\nA=2\n[Other]\nB=3\n[General]\nA=4\nB=8\n"));
}

void TestProfileFile::writeChangesOnlyItsLine_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("after");

    const QByteArray commented = "; ruler settings\r\n"
                                 "[General]\r\n"
                                 "# keep me\r\n"
                                 "Width = 9780   \r\n"
                                 "Unknown=x\r\n"
                                 "\r\n"
                                 "[Other]\r\n"
                                 "Width=1\r\n";
    QTest::newRow("existing key, CRLF, comments, other sections")
        << commented << "Width" << QByteArray(commented).replace("Width = 9780   ", "Width =VALUE");
    QTest::newRow("new key goes after the section's last line, before the blank line")
        << commented << "Height"
        << QByteArray(commented).replace("Unknown=x\r\n", "Unknown=x\r\nHeight=VALUE\r\n");
    QTest::newRow("last line without line end")
        << QByteArray("[General]\nA=1") << "B" << QByteArray("[General]\nA=1\nB=VALUE\n");
    QTest::newRow("section header without line end")
        << QByteArray("[General]") << "B" << QByteArray("[General]\nB=VALUE\n");
    QTest::newRow("missing section is appended")
        << QByteArray("[Other]\nA=1") << "B" << QByteArray("[Other]\nA=1\n[General]\nB=VALUE\n");
    QTest::newRow("CR-only line ends")
        << QByteArray("[General]\rA=1\r") << "B" << QByteArray("[General]\rA=1\rB=VALUE\r");
    QTest::newRow("new key ends as the line before it, not joining a blank line")
        << QByteArray("[General]\rA=1\n\n[Other]\rB=2\r") << "C"
        << QByteArray("[General]\rA=1\nC=VALUE\n\n[Other]\rB=2\r");
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[General]\nA=1\n") << "A"
                                     << QByteArray("\xEF\xBB\xBF[General]\nA=VALUE\n");
    QTest::newRow("only a byte-order mark")
        << QByteArray("\xEF\xBB\xBF") << "A" << QByteArray("\xEF\xBB\xBF[General]\nA=VALUE\n");
    QTest::newRow("key in a comment is not the key")
        << QByteArray("[General]\n;A=1\n") << "A" << QByteArray("[General]\n;A=1\nA=VALUE\n");
    QTest::newRow("junk before the first section")
        << QByteArray("\x01\x02junk=1\n[General]\n") << "junk"
        << QByteArray("\x01\x02junk=1\n[General]\njunk=VALUE\n");
    QTest::newRow("value with NUL bytes in the file")
        << QByteArray("[General]\nA=\0\0\nB=2\n", 19) << "A"
        << QByteArray("[General]\nA=VALUE\nB=2\n");
}

void TestProfileFile::writeChangesOnlyItsLine()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QByteArray, after);
    TemporarySettings file;
    file.setText(before);
    QVERIFY(write(file, key, QStringLiteral("VALUE")));
    QCOMPARE(file.text(), after);
    QCOMPARE(read(file, key), QStringLiteral("VALUE"));
}

void TestProfileFile::refusesWhatCannotStandOnOneLine_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const auto refused = [](const char *name, const char *section, const char *key,
                            const char *value) {
        QTest::newRow(name) << QString::fromUtf8(section) << QString::fromUtf8(key)
                            << QString::fromUtf8(value);
    };
    refused("line feed in value", "General", "A", "1\n[Evil]");
    refused("carriage return in value", "General", "A", "1\r2");
    refused("equals in key", "General", "A=B", "1");
    refused("bracket key", "General", "[A", "1");
    refused("comment key", "General", ";A", "1");
    refused("empty key", "General", "", "1");
    refused("blank around key", "General", " A", "1");
    refused("bracket in section", "Gen]eral", "A", "1");
    refused("empty section", "", "A", "1");
}

void TestProfileFile::refusesWhatCannotStandOnOneLine()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    TemporarySettings file;
    file.setText("[General]\nA=0\n");
    QVERIFY(!WriteIniValue(file.files(), file.systemPath(), section.toStdString(),
                           key.toStdString(), value.toStdString()));
    QCOMPARE(file.text(), QByteArray("[General]\nA=0\n"));
}

void TestProfileFile::severalKeysFromOneReading()
{
    TemporarySettings file;
    const std::vector<std::string_view> keys{"B", "Missing", "a"};
    QVERIFY(ReadIniValues(file.files(), file.systemPath(), general, keys) ==
            (std::vector<std::string>{"", "", ""}));
    file.setText("[General]\nA=1\nB= 2 2\n");
    QVERIFY(ReadIniValues(file.files(), file.systemPath(), general, keys) ==
            (std::vector<std::string>{"22", "", "1"}));
}

void TestProfileFile::writeReplacesTheFileAsAWhole()
{
    // A reader that opened the file before a write that changes its size
    // keeps seeing the whole old file: the new text goes to a new file that
    // then takes the name, so no moment exists at which the file is
    // truncated or half written.
    TemporarySettings file;
    file.setText("[General]\nA=1\nB=2\n");
    QFile before(file.path());
    QVERIFY(before.open(QIODevice::ReadOnly));
    const ino_t oldInode = inodeOf(file.path());

    QVERIFY(write(file, QStringLiteral("A"), QStringLiteral("33")));
    QCOMPARE(before.readAll(), QByteArray("[General]\nA=1\nB=2\n"));
    QVERIFY(inodeOf(file.path()) != oldInode);
    QCOMPARE(file.text(), QByteArray("[General]\nA=33\nB=2\n"));
}

void TestProfileFile::sameSizeWriteGoesOverTheFile_data()
{
    QTest::addColumn<QByteArray>("padding");
    QTest::addColumn<bool>("inPlace");

    QTest::newRow("usual file") << QByteArray() << true;
    QTest::newRow("larger than a page") << QByteArray(4096, ';') << false;
}

void TestProfileFile::sameSizeWriteGoesOverTheFile()
{
    // A value that keeps its length, as a size or a position dragged with
    // the mouse mostly does, is written over the file's own bytes: the same
    // file, seen through every link to it. Beyond a page the kernel may
    // write it in pieces, so the file is replaced as a whole.
    QFETCH(QByteArray, padding);
    QFETCH(bool, inPlace);
    TemporarySettings file;
    const QByteArray before = padding + "\n[General]\nA=1\nB=2\n";
    file.setText(before);
    const QString otherName = file.path() + QStringLiteral(".link");
    QCOMPARE(::link(QFile::encodeName(file.path()).constData(),
                    QFile::encodeName(otherName).constData()),
             0);
    const ino_t oldInode = inodeOf(file.path());

    QVERIFY(write(file, QStringLiteral("A"), QStringLiteral("3")));
    const QByteArray after = padding + "\n[General]\nA=3\nB=2\n";
    QCOMPARE(file.text(), after);
    QCOMPARE(inodeOf(file.path()) == oldInode, inPlace);
    QFile other(otherName);
    QVERIFY(other.open(QIODevice::ReadOnly));
    QCOMPARE(other.readAll(), inPlace ? after : before);
}

void TestProfileFile::replacementKeepsPermissionsAndFollowsLinks()
{
    TemporarySettings file;
    file.setText("[General]\nA=1\n");
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(file.path(), mode));
    QVERIFY(write(file, QStringLiteral("A"), QStringLiteral("22")));
    // Owner, group and others; the user bits only echo the owner's for the owner.
    const auto notUser = QFileDevice::Permissions(0x7077);
    QCOMPARE(QFile::permissions(file.path()) & notUser, mode);

    // A ruler.ini that links elsewhere: the file linked to is written, the link stays.
    const QString linked = file.path() + QStringLiteral(".real");
    QVERIFY(QFile::rename(file.path(), linked));
    QVERIFY(QFile::link(linked, file.path()));
    QVERIFY(write(file, QStringLiteral("A"), QStringLiteral("333")));
    QVERIFY(QFileInfo(file.path()).isSymLink());
    QFile real(linked);
    QVERIFY(real.open(QIODevice::ReadOnly));
    QCOMPARE(real.readAll(), QByteArray("[General]\nA=333\n"));
    // Nothing is left beside it.
    QCOMPARE(
        QDir(QFileInfo(file.path()).absolutePath()).entryList(QDir::Files | QDir::System).size(),
        2);
}

void TestProfileFile::unchangedWriteLeavesTheFileAlone()
{
    // Read-only, and last changed long ago: a write of the value the file
    // already holds reports success without touching it. Any write at all
    // would fail on the mode or, as root, which ignores the mode, give the
    // file a new modification time, even with the same bytes.
    TemporarySettings file;
    const QByteArray original = "[General]\nA=1\n";
    file.setText(original);
    const QByteArray path = QFile::encodeName(file.path());
    const timespec longAgo[2] = {{1000000000, 0}, {1000000000, 0}};
    QVERIFY(::utimensat(AT_FDCWD, path.constData(), longAgo, 0) == 0);
    QVERIFY(::chmod(path.constData(), 0444) == 0);
    const ino_t inode = inodeOf(file.path());

    const bool written = write(file, QStringLiteral("A"), QStringLiteral("1"));
    struct stat after
    {};
    QVERIFY(::stat(path.constData(), &after) == 0);
    QVERIFY(::chmod(path.constData(), 0600) == 0);

    QVERIFY(written);
    QCOMPARE(file.text(), original);
    QCOMPARE(after.st_ino, inode);
    QCOMPARE(qint64(after.st_mtim.tv_sec), qint64(longAgo[1].tv_sec));
    QCOMPARE(qint64(after.st_mtim.tv_nsec), qint64(0));
}

void TestProfileFile::oversizedFileIsNeitherReadNorRewritten()
{
    TemporarySettings file;
    QByteArray huge = "[General]\nA=1\n";
    huge.append(QByteArray(17 * 1024 * 1024, 'x'));
    file.setText(huge);
    QCOMPARE(read(file, QStringLiteral("A")), QString());
    QVERIFY(!write(file, QStringLiteral("A"), QStringLiteral("2")));
    QCOMPARE(file.text().size(), huge.size());
}

void TestProfileFile::namedPipeReadsEmptyAndIsReplaced()
{
    // Nothing ever writes into this pipe: a read that waited for a writer
    // would hold the ruler up for good.
    TemporarySettings file;
    QVERIFY(::mkfifo(QFile::encodeName(file.path()).constData(), 0600) == 0);
    QCOMPARE(read(file, QStringLiteral("A")), QString());
    QVERIFY(write(file, QStringLiteral("A"), QStringLiteral("1")));
    QVERIFY(QFileInfo(file.path()).isFile());
    QCOMPARE(file.text(), QByteArray("[General]\nA=1\n"));
}

void TestProfileFile::firstFailedWriteIsToldOnce()
{
    TemporarySettings file;
    const RulerSettings settings(file.files(), file.systemPath() + ".d/ruler.ini");
    QTemporaryFile told;
    QVERIFY(told.open());
    std::fflush(stderr);
    const int standardError = ::dup(STDERR_FILENO);
    QVERIFY(::dup2(told.handle(), STDERR_FILENO) == STDERR_FILENO);
    settings.write(SettingsKey::Width, "9780");
    settings.write(SettingsKey::Height, "1800");
    std::fflush(stderr);
    ::dup2(standardError, STDERR_FILENO);
    ::close(standardError);

    QVERIFY(told.seek(0));
    const QString text = QString::fromLocal8Bit(told.readAll());
    QVERIFY2(QRegularExpression(QStringLiteral("^ruler: cannot write .*\\.d/ruler\\.ini: No such "
                                               "file or directory [^\\n]*\\n$"))
                 .match(text)
                 .hasMatch(),
             qPrintable(text));
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profile_file.moc"
