// An empty Qt Widgets program that starts as the program does with --close-after-start: one top-level window shown,
// closed as soon as the event loop runs. What it costs is what any Qt Widgets program costs.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.close(); });
    return QApplication::exec();
}
