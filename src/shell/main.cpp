#include "mainwindow/Form1.h"
#include "shell/Fonts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varenta"));
    QApplication::setApplicationDisplayName(QStringLiteral("Varenta V1.0"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Thai Government Lottery results and digit analysis"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption closeAfterStart(QStringLiteral("close-after-start"),
        QStringLiteral("Start, show the main window, then close it (a smoke test)."));
    parser.addOption(closeAfterStart);
    parser.process(app);

    Fonts::installFontSubstitutions();
    QApplication::setFont(Fonts::windowFont());

    Form1Config config;
    config.programDirectory = QCoreApplication::applicationDirPath();
    Form1 form(std::move(config));
    form.load();
    form.show();

    if (parser.isSet(closeAfterStart)) {
        QTimer::singleShot(0, &form, [&form] { form.close(); });
    }
    return QApplication::exec();
}
