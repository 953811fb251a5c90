// The player's main window, as the tests need it: answers the two queries and
// records the track commands it receives, in order.
#pragma once

#include <string>
#include <vector>

#include "standin.h"

enum class TrackCommand { Previous, Next };

struct FakePlayer {
    HWND window = nullptr;
    LRESULT playingAnswer = 1;    // answer to the is-playing query
    const char* iniPath = nullptr;  // answer to the INI-path query; null: no answer
    std::vector<TrackCommand> commands;
    std::vector<UINT> messages;  // every message the window procedure received
};

// The one player of the running test; a fresh one for every stand-in reset.
FakePlayer& Player();
// Creates the player's window on the stand-in platform.
HWND CreatePlayerWindow();
LRESULT CALLBACK PlayerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

std::string Describe(const std::vector<TrackCommand>& commands);
