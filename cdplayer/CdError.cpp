#include "CdError.h"

namespace CdError {

std::string text(int code) {
    switch (code) {
    case none:
        return "L'opération a réussi.";
    case noDevice:
        return "Le périphérique indiqué n'est pas ouvert ou n'existe pas.";
    case openFailed:
        return "Le lecteur ou l'image de disque ne peut pas être ouvert.";
    case noDisc:
        return "Le lecteur n'est pas prêt : aucun disque n'y est inséré.";
    case doorOpen:
        return "Le tiroir du lecteur est ouvert.";
    case outOfRange:
        return "La position demandée est en dehors du disque.";
    case notPaused:
        return "La lecture n'est pas en pause.";
    case badTimeFormat:
        return "Ce format de temps n'est pas pris en charge.";
    case cannotEject:
        return "Ce lecteur ne peut pas éjecter le disque.";
    case driveFailure:
        return "Le lecteur a refusé la commande.";
    default:
        return "Code d'erreur inconnu";
    }
}

} // namespace CdError
