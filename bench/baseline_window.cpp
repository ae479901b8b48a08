// The least a frameless Qt window does on every resize step: fill its
// background and draw one line. The ruler's own cost is measured against it.
//
// With --texts it also draws what the ruler's first frame shows in writing,
// seventeen numbers and a unit's name, in the application's font: what text
// alone adds to a Qt window's start.

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class BaselineWindow : public QWidget
{
public:
    explicit BaselineWindow(bool texts)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
        , m_texts(texts)
    {
        setWindowTitle(texts ? QStringLiteral("baseline with texts") : QStringLiteral("baseline"));
        resize(652, 120);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::yellow);
        painter.setPen(Qt::red);
        painter.drawLine(0, 0, width(), 0);
        if (!m_texts)
            return;
        painter.setPen(Qt::black);
        for (int number = 0; number <= 16; ++number)
            painter.drawText(QPoint(4 + number * 38, 30), QString::number(number * 10));
        painter.drawText(QPoint(300, 70), QStringLiteral("毫米"));
    }

private:
    bool m_texts;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    BaselineWindow window(QApplication::arguments().contains(QStringLiteral("--texts")));
    window.show();
    return QApplication::exec();
}
