#include "fake_player.h"

#include "../../plugin/host.h"

static FakePlayer player;

FakePlayer& Player() { return player; }

static bool Is(const HostMessage& m, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return m.message == msg && m.wParam == wParam && m.lParam == lParam;
}

LRESULT CALLBACK PlayerWindowProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam)
{
    player.messages.push_back(msg);
    if (Is(HostQueryIsPlaying, msg, wParam, lParam))
        return player.playingAnswer;
    if (Is(HostQueryIniFile, msg, wParam, lParam))
        return reinterpret_cast<LRESULT>(player.iniPath);
    if (Is(HostCmdPrevTrack, msg, wParam, lParam))
        player.commands.push_back(TrackCommand::Previous);
    if (Is(HostCmdNextTrack, msg, wParam, lParam))
        player.commands.push_back(TrackCommand::Next);
    return 0;
}

HWND CreatePlayerWindow()
{
    player = FakePlayer();
    player.window = standin::CreateTestWindow(PlayerWindowProc);
    return player.window;
}

std::string Describe(const std::vector<TrackCommand>& commands)
{
    std::string text = "[";
    for (TrackCommand command : commands)
        text += command == TrackCommand::Previous ? " prev" : " next";
    return text + " ]";
}
