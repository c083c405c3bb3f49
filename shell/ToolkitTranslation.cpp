#include "ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool loadFrenchToolkitTranslation() {
    static bool loaded = false;
    if (loaded)
        return true;
    // Sizes and dates in the file dialogs follow the same language.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // Owned by the application, so it is there for every dialog until the end.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    loaded = true;
    return true;
}
