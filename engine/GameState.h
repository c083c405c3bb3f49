#pragma once

// The one game-state record. Per-colour and per-horse arrays are indexed from 1.
struct GameState {
    int currentColour = 0;
    int dieValue = 0;
    int boardOwner[501] = {};   // 1..500
    int horseSquare[5][5] = {}; // [colour 1..4][horse 1..4]
    int moveTarget[5] = {};     // [horse 1..4]
    bool colourFinished[5] = {};
    bool arrivalPending[5] = {};
    bool moveSettled = false;
    bool blinkOn = false;
    bool exitGranted = false;
    bool throwArmed[5] = {};
    bool awaitingHumanThrow = false;
    bool gameInProgress = false;

    // Command flags read by the main window.
    bool allowNewGame = false;
    bool allowNewGameHover = false;
    bool allowQuitHover = false;
    bool allowLoad = false;
    bool allowAbout = false;
    bool allowAfas = false;
    bool allowCdAudio = false;
    bool allowHelp = false;
};
