#include "HelpPictures.h"

#include "ArtCollector.h"
#include "ArtScale.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRect>

namespace {

enum class Cut { Whole, Panel, KeyToAlpha };

struct HelpPicture {
    const char* file;     // under the output folder
    const char* resource; // the game's picture it comes from
    Cut cut;
};

// The pictures are taken at the 800 x 600 size, the one a page shows without scaling.
const HelpPicture kPictures[] = {
    {"bramidou/images/plateau.png", "art/img800x600.png", Cut::Whole},
    {"bramidou/images/panneau.png", "art/img800x600.png", Cut::Panel},
    {"bramidou/images/PionJaune.png", "art/PionJaune800.png", Cut::KeyToAlpha},
    {"bramidou/images/PionVert.png", "art/PionVert800.png", Cut::KeyToAlpha},
    {"bramidou/images/PionBleu.png", "art/PionBleu800.png", Cut::KeyToAlpha},
    {"bramidou/images/PionRouge.png", "art/PionRouge800.png", Cut::KeyToAlpha},
    {"bramidou/images/Repere.png", "art/Pion800.png", Cut::KeyToAlpha},
    {"bramidou/images/De6.png", "art/Des6_800.png", Cut::Whole},
    {"bramidou/images/BJauneSEL.png", "art/BJauneSEL800.png", Cut::Whole},
    {"bramidou/images/BconfigurationSEL.png", "art/BconfigurationSEL800.png", Cut::Whole},
    {"bramidou/images/BaproposSEL.png", "art/BaproposSEL800.png", Cut::Whole},
    {"bramidou/images/BafasSEL.png", "art/BafasSEL800.png", Cut::Whole},
    {"bramidou/images/BcdaudioSEL.png", "art/BcdaudioSEL800.png", Cut::Whole},
    {"bramidou/images/BchargerSEL.png", "art/BchargerSEL800.png", Cut::Whole},
    {"bramidou/images/BsauverSEL.png", "art/BsauverSEL800.png", Cut::Whole},
    {"bramidou/images/BnouveauSEL.png", "art/BnouveauSEL800.png", Cut::Whole},
    {"bramidou/images/BquitterSEL.png", "art/BquitterSEL800.png", Cut::Whole},
    {"bramidou/images/BhelpSEL.png", "art/BhelpSEL800.png", Cut::Whole},
    {"bramidou/images/BarretSEL.png", "art/BarretSEL800.png", Cut::Whole},
    {"bramidou/images/BminimizeSEL.png", "art/BminimizeSEL800.png", Cut::Whole},
    {"bramidou/images/configuration.png", "art/config/imgConfiguration.png", Cut::Whole},
    {"bramidou/images/lecteur-cd.png", "art/cdplayer/imgBackground.png", Cut::Whole},
    {"bramidou/images/apropos.png", "art/about/imgBackground.png", Cut::Whole},
    {"afas/images/badge.png", "art/about/imgAfas.png", Cut::Whole},
};

// The panel of commands: the right-hand strip of the 800 x 600 window.
const QRect kPanel800(620, 0, 180, 600);

// Pieces stand on a grey key that the game makes see-through; on a page it would show
// as a grey square, so it becomes transparent here too.
QImage keyToAlpha(const QImage& source) {
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                line[x] = 0;
        }
    }
    return image;
}

bool writeHelpPicture(const ArtCollector& art, const HelpPicture& picture, int ratio,
                      const QString& dir, QString* error) {
    const ArtItem* item = art.find(QString::fromUtf8(picture.resource), ratio);
    if (!item || !item->drawnAtItsRatio()) {
        *error = QStringLiteral("no picture %1 at ratio %2")
                     .arg(QString::fromUtf8(picture.resource))
                     .arg(ratio);
        return false;
    }
    QImage image = item->image;
    if (picture.cut == Cut::Panel)
        image = cutOut(image, kPanel800);
    else if (picture.cut == Cut::KeyToAlpha)
        image = keyToAlpha(image);
    const QString path = QDir(dir).filePath(nameAtRatio(QString::fromUtf8(picture.file), ratio));
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path, "PNG")) {
        *error = QStringLiteral("cannot write ") + path;
        return false;
    }
    return true;
}

} // namespace

bool writeHelpPictures(const ArtCollector& art, const QString& dir, QString* error) {
    // Each picture and, from the game's twin, its own twin for high-density screens.
    for (const HelpPicture& picture : kPictures) {
        for (int ratio : {1, 2}) {
            if (!writeHelpPicture(art, picture, ratio, dir, error))
                return false;
        }
    }
    return true;
}