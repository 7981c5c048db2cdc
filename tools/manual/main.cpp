// Renders the operator's manual: quorix-manual SOURCE.md OUTPUT.pdf

#include "manualrenderer.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // Fonts need a GUI application, but the build machine has no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        err << "usage: quorix-manual SOURCE.md OUTPUT.pdf\n";
        return 2;
    }
    ManualRenderer renderer;
    if (!renderer.render(args.at(1), args.at(2))) {
        for (const QString &line : renderer.errors())
            err << "quorix-manual: " << line << '\n';
        return 1;
    }
    return 0;
}
