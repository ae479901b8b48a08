// Writes settings as a ruler does, for the tests that kill it, run it as
// another user, or run two of it on one file.
//
//   settings_writer loop FILE KEY...
//       Writes each key in turn, round after round, until it is killed.
//       Says "writing" once the first round is in the file.
//   settings_writer rounds FILE COUNT KEY...
//       Writes each key in turn for COUNT rounds. After every write that
//       succeeded it reads its keys back and counts those that no longer
//       hold what it last wrote there: another writer that replaced the file
//       from an older reading would have lost them. Ends by saying
//       "written W refused R lost L".
//
// In round N every value is "N-N", so that a value cut short shows.
#include "settings/profile_file.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

const QString section = QStringLiteral("General");

QString valueOfRound(qint64 round)
{
    return QStringLiteral("%1-%1").arg(round);
}

int usage()
{
    std::fputs("usage: settings_writer loop FILE KEY... | rounds FILE COUNT KEY...\n", stderr);
    return 2;
}

[[noreturn]] void loop(const QString &file, const QStringList &keys)
{
    for (qint64 round = 0;; ++round) {
        for (const QString &key : keys)
            WriteIniValue(file, section, key, valueOfRound(round));
        if (round == 0) {
            std::puts("writing");
            std::fflush(stdout);
        }
    }
}

void rounds(const QString &file, qint64 count, const QStringList &keys)
{
    QHash<QString, QString> lastWritten;
    qint64 written = 0;
    qint64 refused = 0;
    qint64 lost = 0;
    for (qint64 round = 0; round < count; ++round) {
        for (const QString &key : keys) {
            if (!WriteIniValue(file, section, key, valueOfRound(round))) {
                ++refused;
                continue;
            }
            ++written;
            lastWritten.insert(key, valueOfRound(round));
            const QStringList stored = ReadIniValues(file, section, keys);
            for (qsizetype i = 0; i < keys.size(); ++i) {
                const auto expected = lastWritten.constFind(keys[i]);
                if (expected != lastWritten.constEnd() && stored[i] != *expected)
                    ++lost;
            }
        }
    }
    std::printf("written %lld refused %lld lost %lld\n", static_cast<long long>(written),
                static_cast<long long>(refused), static_cast<long long>(lost));
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (arguments.size() >= 3 && arguments[0] == u"loop")
        loop(arguments[1], arguments.mid(2));
    bool isNumber = false;
    const qint64 count = arguments.size() >= 4 ? arguments[2].toLongLong(&isNumber) : 0;
    if (arguments.size() < 4 || arguments[0] != u"rounds" || !isNumber)
        return usage();
    rounds(arguments[1], count, arguments.mid(3));
    return EXIT_SUCCESS;
}
