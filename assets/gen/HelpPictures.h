#pragma once

#include <QString>

class ArtCollector;

// The pictures of the help pages, cut from the game's own artwork so the manual shows
// exactly what the player sees. Written under dir as "<collection>/images/<name>.png".
// False, with the reason in error, when a picture is missing or cannot be written.
bool writeHelpPictures(const ArtCollector& art, const QString& dir, QString* error);
