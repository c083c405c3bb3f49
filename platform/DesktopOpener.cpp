#include "DesktopOpener.h"

// Only the windows open links; a build without them has nothing to compile here.
#ifdef QT_GUI_LIB
#include <QDesktopServices>
#include <QUrl>

namespace DesktopOpener {

void open(const QString& text) {
    // Tolerant parsing keeps the text as written; the space of a mail subject travels
    // percent-encoded, so the opener receives one argument and the mail program decodes it.
    QDesktopServices::openUrl(QUrl(text, QUrl::TolerantMode));
}

} // namespace DesktopOpener
#endif
