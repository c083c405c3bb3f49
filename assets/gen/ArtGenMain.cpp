#include "ArtCollector.h"
#include "ArtWriter.h"
#include "ContactSheet.h"
#include "HelpPictures.h"

#include <QGuiApplication>

#include <cstdio>

// bramidou-artgen OUTPUT_DIR RUN_DIR       renders every picture, cursor and sound
// bramidou-artgen --contact-sheet FILE.png  renders them all onto one labelled sheet
// bramidou-artgen --help-pictures DIR       writes the pictures of the help pages
int main(int argc, char** argv) {
    // The generator never needs a screen; fonts and painting work without one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: bramidou-artgen OUTPUT_DIR RUN_DIR\n"
                             "       bramidou-artgen --contact-sheet FILE.png\n"
                             "       bramidou-artgen --help-pictures DIR\n");
        return 2;
    }
    ArtCollector art;
    renderAllArt(art);
    if (args[1] == QLatin1String("--contact-sheet")) {
        if (!contactSheet(art).save(args[2], "PNG")) {
            std::fprintf(stderr, "bramidou-artgen: cannot write %s\n", qPrintable(args[2]));
            return 1;
        }
        return 0;
    }
    if (args[1] == QLatin1String("--help-pictures")) {
        QString error;
        if (!writeHelpPictures(art, args[2], &error)) {
            std::fprintf(stderr, "bramidou-artgen: %s\n", qPrintable(error));
            return 1;
        }
        return 0;
    }
    ArtWriter writer(args[1], args[2]);
    if (!writer.write(art)) {
        std::fprintf(stderr, "bramidou-artgen: %s\n", qPrintable(writer.error()));
        return 1;
    }
    return 0;
}
