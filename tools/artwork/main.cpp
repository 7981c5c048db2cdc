// Renders the console's artwork: quorix-artwork SOURCE_DIR OUTPUT_DIR [--preview FILE.png]

#include "artworkpreview.h"
#include "artworkrenderer.h"

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
    const bool withPreview = args.size() == 5 && args.at(3) == QLatin1String("--preview");
    if (args.size() != 3 && !withPreview) {
        err << "usage: quorix-artwork SOURCE_DIR OUTPUT_DIR [--preview FILE.png]\n";
        return 2;
    }
    ArtworkRenderer renderer(args.at(1), args.at(2));
    if (!renderer.renderAll()) {
        for (const QString &line : renderer.errors())
            err << "quorix-artwork: " << line << '\n';
        return 1;
    }
    if (withPreview) {
        QString error;
        const QImage preview = ArtworkPreview::mainWindow(args.at(2), &error);
        if (preview.isNull() || !preview.save(args.at(4), "PNG")) {
            err << "quorix-artwork: no preview: " << (error.isEmpty() ? args.at(4) : error) << '\n';
            return 1;
        }
    }
    return 0;
}
