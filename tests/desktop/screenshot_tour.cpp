#include "desktop_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

// Photographs the real program on a desktop of its own, for the README: the
// ruler in each unit, its menu, the colour dialog, the about box, the help
// window and the calibration. Of the Windows program (RULER_TEST_PROGRAM
// naming ruler.exe) only its own menu and colour dialog, as windows-*.png:
// the ruler's picture is the same on both.
//
//     screenshot_tour FOLDER
namespace {

// Behind the windows: a quiet grey-blue rather than black.
constexpr QRgb desktopColor = qRgb(0x50, 0x5a, 0x66);
constexpr int margin = 12;

class Tour
{
public:
    explicit Tour(const QString &folder)
        : m_folder(folder)
    {}

    bool run();

private:
    bool fail(const char *what) const
    {
        std::fprintf(stderr, "screenshot_tour: %s\n", what);
        return false;
    }
    // What the screen shows in area once its pixels no longer change.
    QImage settled(QRect area) const;
    bool save(const QImage &image, const QString &name) const;
    // A dialog from the menu, photographed with its frame and closed again.
    bool shootDialog(const QStringList &menuKeys, const QString &title, const QString &name,
                     const QStringList &closeKeys);

    QDir m_folder;
    DesktopSession m_desktop;
    unsigned m_ruler = 0;
    QPoint m_onRuler;
};

QImage Tour::settled(QRect area) const
{
    // Two looks 50 ms apart that agree: the program has finished painting.
    QImage last = m_desktop.screenshot(area);
    const bool still = QTest::qWaitFor(
        [&] {
            QTest::qWait(50);
            const QImage now = m_desktop.screenshot(area);
            const bool same = now == last;
            last = now;
            return same;
        },
        5000);
    return still ? last : QImage();
}

bool Tour::save(const QImage &image, const QString &name) const
{
    const QString path = m_folder.filePath(name + QStringLiteral(".png"));
    if (image.isNull())
        return fail("the screen did not settle");
    if (!image.save(path))
        return fail("a screenshot could not be saved");
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool Tour::shootDialog(const QStringList &menuKeys, const QString &title, const QString &name,
                       const QStringList &closeKeys)
{
    const unsigned dialog = m_desktop.openDialog(m_onRuler, menuKeys, title);
    if (!dialog)
        return fail("a dialog did not come up");
    if (!save(settled(m_desktop.frameGeometry(dialog)), name))
        return false;
    return m_desktop.closeDialog(dialog, closeKeys) || fail("a dialog did not close");
}

bool Tour::run()
{
    if (!m_desktop.start())
        return fail("no X server with a window manager could be started");
    m_desktop.setDesktopColor(desktopColor);

    // The ruler in each unit, 800 pixels long (12000 twips).
    const QList<QPair<QByteArray, QString>> units{
        {"Pixels", QStringLiteral("ruler-pixels")},
        {"Inches", QStringLiteral("ruler-inches")},
        {"Millimeters", QStringLiteral("ruler-millimetres")}};
    const QRect rulerArea(40, 40, 800, 120);
    const bool windows = DesktopSession::windowsProgram();
    for (const auto &[unit, name] : units) {
        m_ruler = m_desktop.startRuler("Left=600\nTop=600\nWidth=12000\nScaleMode=" + unit + "\n");
        if (!m_ruler || !QTest::qWaitFor([&] { return m_desktop.geometry(m_ruler) == rulerArea; }))
            return fail("the ruler did not come up where it was placed");
        if (!windows && !save(settled(rulerArea), name))
            return false;
    }
    const QString prefix = windows ? QStringLiteral("windows-") : QString();

    // The menu, over the millimetre ruler.
    m_onRuler = rulerArea.topLeft() + QPoint(260, 50);
    if (!m_desktop.openMenu(m_onRuler))
        return fail("the menu did not open");
    const QRect menuArea =
        rulerArea.united(m_desktop.popupMenu()).adjusted(-margin, -margin, margin, margin);
    if (!save(settled(menuArea), prefix + QStringLiteral("menu")))
        return false;
    m_desktop.pressKeys({QStringLiteral("Escape")});

    if (!shootDialog({QStringLiteral("r"), QStringLiteral("r"), QStringLiteral("Return")},
                     QStringLiteral("设置颜色"), prefix + QStringLiteral("colour-dialog"),
                     {QStringLiteral("alt+n")}))
        return false;
    if (windows)
        return true;
    if (!shootDialog({QStringLiteral("a")}, QStringLiteral("关于"), QStringLiteral("about"),
                     {QStringLiteral("Return")}) ||
        !shootDialog({QStringLiteral("h"), QStringLiteral("h"), QStringLiteral("Return")},
                     QStringLiteral("帮助"), QStringLiteral("help"), {QStringLiteral("Return")}))
        return false;

    // Calibration: the box asking for the length, over the ruler that is measured.
    const unsigned box = m_desktop.openDialog(
        m_onRuler,
        {QStringLiteral("r"), QStringLiteral("r"), QStringLiteral("r"), QStringLiteral("Return")},
        DesktopSession::rulerTitle, {m_ruler});
    if (!box)
        return fail("the calibration box did not come up");
    const QRect calibrationArea = m_desktop.frameGeometry(box)
                                      .united(m_desktop.geometry(m_ruler))
                                      .adjusted(-margin, -margin, margin, margin);
    if (!save(settled(calibrationArea), QStringLiteral("calibration")))
        return false;
    return m_desktop.closeDialog(box, {QStringLiteral("Escape")}) ||
           fail("the calibration box did not close");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2 || !QDir(QString::fromLocal8Bit(argv[1])).exists()) {
        std::fprintf(stderr, "usage: screenshot_tour FOLDER (an existing folder)\n");
        return 2;
    }
    Tour tour(QString::fromLocal8Bit(argv[1]));
    return tour.run() ? 0 : 1;
}
