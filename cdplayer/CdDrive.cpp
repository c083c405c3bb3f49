#include "CdDrive.h"

int DiscToc::trackAt(int frame) const {
    int track = 1;
    for (int n = 2; n <= trackCount(); ++n)
        if (trackStarts[n - 1] <= frame)
            track = n;
    return track;
}

int DiscToc::trackEnd(int track) const {
    return track < trackCount() ? trackStarts[track] : leadOut;
}
