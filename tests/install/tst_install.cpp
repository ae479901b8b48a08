#include "app/product.h"
#include "core/settings/ruler_settings.h"
#include "platform/posix/posix_file_system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Result
{
    int exitCode = -1;
    QString output; // standard output and error together
};

// Runs a program to its end, with extra environment variables.
Result run(const QString &program, const QStringList &arguments,
           const QList<QPair<QString, QString>> &environment = {})
{
    QProcess process;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const auto &[name, value] : environment)
        variables.insert(name, value);
    process.setProcessEnvironment(variables);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QString::fromLocal8Bit(process.readAll())};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAll())};
}

// The keys of a desktop entry's [Desktop Entry] group.
QMap<QString, QString> desktopEntryKeys(const QString &path)
{
    QMap<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inGroup = line == QLatin1String("[Desktop Entry]");
        else if (inGroup && line.contains(QLatin1Char('=')))
            keys.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
    }
    return keys;
}

// Of every element of the given name in an XML file, in order: its text,
// or the value of an attribute where one is named.
QStringList xmlValues(const QString &path, const QString &element, const QString &attribute = {})
{
    QStringList values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return values;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != element)
            continue;
        values.append(attribute.isEmpty()
                          ? xml.readElementText(QXmlStreamReader::IncludeChildElements)
                          : xml.attributes().value(attribute).toString());
    }
    return values;
}

const QString appId = QStringLiteral(RULER_APP_ID);

} // namespace

// The build installed into a folder of the test's own, as `cmake --install`
// with DESTDIR puts it, and packaged as `cpack` does.
class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void theProgramIsInTheBinFolder();
    void theDesktopEntryIsValidAndStartsTheProgram();
    void theMetadataIsValidAndDescribesThisRelease();
    void everyIconHasTheSizeOfItsFolder_data();
    void everyIconHasTheSizeOfItsFolder();
    void theScalableIconIsASquareDrawing();
    void settingsAreKeptPerUserOnlyWhenInstalled_data();
    void settingsAreKeptPerUserOnlyWhenInstalled();
    void theDebianPackageHoldsTheInstallAndItsDependencies();

private:
    // A path of the install, such as RULER_INSTALL_BINDIR, within DESTDIR.
    QString installed(const char *folder, const QString &file = {}) const;

    QTemporaryDir m_destination;
};

QString TestInstall::installed(const char *folder, const QString &file) const
{
    const QString inDestination = m_destination.path() + QString::fromUtf8(folder);
    return file.isEmpty() ? inDestination : QDir(inDestination).filePath(file);
}

void TestInstall::initTestCase()
{
    QVERIFY(m_destination.isValid());
    const Result install = run(QStringLiteral(RULER_CMAKE_COMMAND),
                               {QStringLiteral("--install"), QStringLiteral(RULER_BUILD_FOLDER),
                                QStringLiteral("--config"), QStringLiteral(RULER_BUILD_CONFIG)},
                               {{QStringLiteral("DESTDIR"), m_destination.path()}});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));
}

void TestInstall::theProgramIsInTheBinFolder()
{
    const QFileInfo program(installed(RULER_INSTALL_BINDIR, QStringLiteral("ruler")));
    QVERIFY(program.isFile());
    QVERIFY(program.isExecutable());
}

void TestInstall::theDesktopEntryIsValidAndStartsTheProgram()
{
    const QString entry =
        installed(RULER_INSTALL_DATADIR, QStringLiteral("applications/%1.desktop").arg(appId));
    QVERIFY(QFileInfo::exists(entry));
    // Not even a hint: the validator prints nothing for a clean entry.
    const Result validation = run(QStringLiteral("desktop-file-validate"), {entry});
    QVERIFY2(validation.exitCode == 0 && validation.output.isEmpty(),
             qPrintable(validation.output));

    const QMap<QString, QString> keys = desktopEntryKeys(entry);
    QCOMPARE(keys.value(QStringLiteral("Name")), productTitle());
    QCOMPARE(keys.value(QStringLiteral("Categories")), QStringLiteral("Utility;"));
    // The menu starts the installed program by its name on the PATH, and
    // shows the installed icon.
    QCOMPARE(keys.value(QStringLiteral("Exec")), QStringLiteral("ruler"));
    QCOMPARE(keys.value(QStringLiteral("Icon")), appId);
}

void TestInstall::theMetadataIsValidAndDescribesThisRelease()
{
    const QString metadata =
        installed(RULER_INSTALL_DATADIR, QStringLiteral("metainfo/%1.metainfo.xml").arg(appId));
    QVERIFY(QFileInfo::exists(metadata));
    // Strict: informational findings fail too.
    const Result validation =
        run(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                             QStringLiteral("--strict"), metadata});
    QVERIFY2(validation.exitCode == 0, qPrintable(validation.output));

    QCOMPARE(xmlValues(metadata, QStringLiteral("id")), QStringList{appId});
    QCOMPARE(xmlValues(metadata, QStringLiteral("name")), QStringList{productTitle()});
    QCOMPARE(xmlValues(metadata, QStringLiteral("launchable")),
             QStringList{appId + QStringLiteral(".desktop")});
    QCOMPARE(xmlValues(metadata, QStringLiteral("binary")), QStringList{QStringLiteral("ruler")});
    // The newest release, listed first, is the one being built.
    const QStringList releases =
        xmlValues(metadata, QStringLiteral("release"), QStringLiteral("version"));
    QVERIFY(!releases.isEmpty());
    QCOMPARE(releases.first(), QStringLiteral(RULER_PROJECT_VERSION));
}

void TestInstall::everyIconHasTheSizeOfItsFolder_data()
{
    QTest::addColumn<QSize>("size");
    for (const int size : {32, 48, 64, 128, 256})
        QTest::newRow(qPrintable(QStringLiteral("%1x%1").arg(size))) << QSize(size, size);
}

void TestInstall::everyIconHasTheSizeOfItsFolder()
{
    QFETCH(QSize, size);
    const QString icon =
        installed(RULER_INSTALL_DATADIR, QStringLiteral("icons/hicolor/%1/apps/%2.png")
                                             .arg(QLatin1String(QTest::currentDataTag()), appId));
    QImageReader reader(icon);
    QCOMPARE(reader.format(), QByteArray("png"));
    QCOMPARE(reader.size(), size);
}

void TestInstall::theScalableIconIsASquareDrawing()
{
    const QString scalable = installed(
        RULER_INSTALL_DATADIR, QStringLiteral("icons/hicolor/scalable/apps/%1.svg").arg(appId));
    QCOMPARE(xmlValues(scalable, QStringLiteral("svg"), QStringLiteral("viewBox")),
             QStringList{QStringLiteral("0 0 256 256")});
}

void TestInstall::settingsAreKeptPerUserOnlyWhenInstalled_data()
{
    QTest::addColumn<bool>("installedCopy");
    QTest::newRow("installed") << true;
    QTest::newRow("copied to a folder of its own") << false;
}

void TestInstall::settingsAreKeptPerUserOnlyWhenInstalled()
{
    QFETCH(bool, installedCopy);
    QTemporaryDir user;
    QVERIFY(user.isValid());
    QString program = installed(RULER_INSTALL_BINDIR, QStringLiteral("ruler"));
    if (!installedCopy) {
        QVERIFY(QDir(user.path()).mkdir(QStringLiteral("portable")));
        const QString copy = user.filePath(QStringLiteral("portable/ruler"));
        QVERIFY(QFile::copy(program, copy));
        program = copy;
    }
    const QString programFolder = QFileInfo(program).absolutePath();
    // Whoever runs this can write the program's folder, as root can /usr/bin.
    QVERIFY(QFileInfo(programFolder).isWritable());
    const QString besideProgram = QDir(programFolder).filePath(QStringLiteral("ruler.ini"));
    const QString perUser = user.filePath(QStringLiteral("config/ruler/ruler.ini"));
    QFile::remove(besideProgram);

    QProcess ruler;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), user.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), user.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), user.path());
    ruler.setProcessEnvironment(environment);
    ruler.setProcessChannelMode(QProcess::ForwardedChannels);
    ruler.start(program, {});
    QVERIFY(ruler.waitForStarted());

    // Its first layout stores the ruler's size.
    const QString expected = installedCopy ? perUser : besideProgram;
    const PosixFileSystem files;
    QTRY_COMPARE_WITH_TIMEOUT(
        QString::fromStdString(RulerSettings(files, QFile::encodeName(expected).toStdString())
                                   .read(SettingsKey::Height)),
        QStringLiteral("1800"), 10000);
    QVERIFY(!QFileInfo::exists(installedCopy ? besideProgram : perUser));

    ruler.terminate(); // SIGTERM to this PID
    if (!ruler.waitForFinished(5000)) {
        ruler.kill();
        ruler.waitForFinished(5000);
    }
}

void TestInstall::theDebianPackageHoldsTheInstallAndItsDependencies()
{
    QTemporaryDir packages;
    QVERIFY(packages.isValid());
    const Result cpack =
        run(QStringLiteral(RULER_CPACK_COMMAND),
            {QStringLiteral("--config"), QStringLiteral(RULER_BUILD_FOLDER "/CPackConfig.cmake"),
             QStringLiteral("-B"), packages.path()});
    QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.output));
    const QStringList debs =
        QDir(packages.path()).entryList({QStringLiteral("*.deb")}, QDir::Files);
    QCOMPARE(debs.size(), 1);
    const QString deb = packages.filePath(debs.first());

    const auto field = [&deb](const QString &name) {
        return run(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), deb, name})
            .output.trimmed();
    };
    QCOMPARE(field(QStringLiteral("Package")), QStringLiteral("ruler"));
    QCOMPARE(field(QStringLiteral("Version")), QStringLiteral(RULER_PROJECT_VERSION));
    // What the program links, as dpkg-shlibdeps found it, and Qt's X11
    // plugin, which it loads at run time.
    const QString depends = field(QStringLiteral("Depends"));
    for (const char *package :
         {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libxcb1", "libc6", "qt6-qpa-plugins"})
        QVERIFY2(depends.contains(QLatin1String(package)), qPrintable(depends));
    QVERIFY2(field(QStringLiteral("Recommends")).contains(QLatin1String("qt6-translations-l10n")),
             qPrintable(field(QStringLiteral("Recommends"))));

    const QString contents =
        run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb}).output;
    for (const QString &path :
         {QStringLiteral("./usr/bin/ruler"),
          QStringLiteral("./usr/share/applications/%1.desktop").arg(appId),
          QStringLiteral("./usr/share/metainfo/%1.metainfo.xml").arg(appId),
          QStringLiteral("./usr/share/icons/hicolor/256x256/apps/%1.png").arg(appId),
          QStringLiteral("./usr/share/icons/hicolor/scalable/apps/%1.svg").arg(appId)})
        QVERIFY2(contents.contains(QLatin1Char(' ') + path + QLatin1Char('\n')), qPrintable(path));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
