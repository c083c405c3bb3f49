#pragma once

#include "ArtCollector.h"

#include <QImage>

// One picture showing every picture and cursor at its real size, each labelled with its
// name and followed by its high-density twin, for looking the whole set over at a glance.
QImage contactSheet(const ArtCollector& art);
