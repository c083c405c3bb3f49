#pragma once

// The square numbers every part of the game shares, the saved-game file included: 0 is
// the stable, 1..56 the track, and colour c owns the hundred 100 x c (its home column,
// finish, arrival slots and stable drawing places). Square 500 is out of sight.
struct Square {
    static constexpr int Stable = 0;
    static constexpr int FirstTrack = 1;
    static constexpr int LastTrack = 56;
    static constexpr int OffBoard = 500;
    static constexpr int GeometrySize = 512;

    static constexpr bool isTrack(int s) { return s >= FirstTrack && s <= LastTrack; }
    // Step n (1..6) of colour c's home column.
    static constexpr int homeStep(int c, int n) { return 100 * c + n - 1; }
    static constexpr int finish(int c) { return 100 * c + 6; }
    // Where arrived horse number k (1..4) of colour c is parked.
    static constexpr int arrivalSlot(int c, int k) { return finish(c) + k; }
    // Where horse image k of colour c rests while that horse is in the stable.
    static constexpr int stable(int c, int k) { return 100 * c + 20 + k; }
    // The track square n squares after s: after 56 comes 1.
    static constexpr int trackAfter(int s, int n) {
        return s + n > LastTrack ? s + n - LastTrack : s + n;
    }
};
