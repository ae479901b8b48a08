// The least a frameless Qt window does on every resize step: fill its
// background and draw one line. The ruler's own cost is measured against it.

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class BaselineWindow : public QWidget
{
public:
    BaselineWindow()
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    {
        setWindowTitle(QStringLiteral("baseline"));
        resize(652, 120);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::yellow);
        painter.setPen(Qt::red);
        painter.drawLine(0, 0, width(), 0);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    BaselineWindow window;
    window.show();
    return QApplication::exec();
}
