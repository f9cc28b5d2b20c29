// The yardstick for the editor's start-up: a plain white Qt window of the size
// given on the command line that ends at once after its first paint, the same
// way the editor does when ZLV_EXIT_AT_FIRST_PAINT is set.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_painted)
            return;
        m_painted = true;
        QTimer::singleShot(0, [] {
            std::fflush(stdout);
            std::_Exit(0);
        });
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    BareWindow window;
    QPalette white = window.palette();
    white.setColor(QPalette::Window, Qt::white);
    window.setPalette(white);
    window.setFixedSize(std::atoi(argv[1]), std::atoi(argv[2]));
    window.show();
    return QApplication::exec();
}
