// Drives the hook procedures case by case for callgrind: each case runs its
// event once to warm up (binding the platform calls, sizing the stand-in's
// records), then `count` times between a zeroing of callgrind's counters and
// a dump named after the case. bench.sh runs this under callgrind with
// collection switched on only inside the hook procedures, and off again
// inside the platform calls they make, so a dump holds the product code's
// instructions alone.
//
// Prints, per case: its name, the events run and the heap allocations made
// while they ran (by anyone, the stand-in platform included).
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>

#include "../hooklib/velk_kh.h"
#include "allocation_count.h"
#include "host.h"
#include "standin.h"

static HWND player;

// The player is not playing: the only message a hook case sends it is the
// is-playing query, whose cost is the player's and not counted.
static LRESULT CALLBACK IdlePlayerProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

static EVENTMSG KeyEvent(UINT message, BYTE vk, BYTE scan)
{
    EVENTMSG event = {};
    event.message = message;
    event.paramL = vk | (static_cast<UINT>(scan) << 8);
    event.paramH = 1;
    event.hwnd = player;
    return event;
}

static EVENTMSG MouseMove()
{
    EVENTMSG event = {};
    event.message = WM_MOUSEMOVE;
    event.paramL = 320;
    event.paramH = 240;
    event.hwnd = player;
    return event;
}

static void Measure(const char* name, long count, void (*deliver)(const void*), const void* input)
{
    deliver(input);
    unsigned long allocationsBefore = AllocationCount();
    CALLGRIND_ZERO_STATS;
    for (long i = 0; i < count; ++i)
        deliver(input);
    CALLGRIND_DUMP_STATS_AT(name);
    unsigned long allocations = AllocationCount() - allocationsBefore;
    std::printf("%s %ld %lu\n", name, count, allocations);
}

// As the platform delivers a recorded event: through the journal hook chain.
static void DeliverToJournalHooks(const void* event)
{
    standin::CallHookChain(WH_JOURNALRECORD, HC_ACTION, 0, reinterpret_cast<LPARAM>(event));
}

// As GetMessage delivers a message it removes: through the get-message hook
// chain. The stand-in records each CallNextHookEx for tests; forgetting them
// keeps that record from growing, outside what is counted.
static void DeliverToMessageHooks(const void* msg)
{
    standin::CallHookChain(WH_GETMESSAGE, HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(msg));
    standin::Current().nextHookCalls.clear();
}

// The journal hook armed as gen_velk arms it, with the default keys F8 and F9.
static void ArmJournalHook()
{
    SetWinampHwnd(player);
    HMODULE velk = LoadLibraryA("velk_kh.dll");
    HHOOK hook = SetWindowsHookExA(WH_JOURNALRECORD, JournalRecordProc, velk, 0);
    SetHookResource(hook);
    if (velk == nullptr || hook == nullptr) {
        std::fprintf(stderr, "hook_bench: could not arm the journal hook\n");
        std::exit(1);
    }
}

static void MeasureJournalHook(long count)
{
    ArmJournalHook();
    EVENTMSG move = MouseMove();
    EVENTMSG press = KeyEvent(WM_KEYDOWN, VK_F9, 0x43);
    EVENTMSG releaseOther = KeyEvent(WM_KEYUP, VK_F1, 0x3B);
    EVENTMSG releaseNext = KeyEvent(WM_KEYUP, VK_F9, 0x43);
    Measure("journal-mouse-move", count, DeliverToJournalHooks, &move);
    Measure("journal-key-press", count, DeliverToJournalHooks, &press);
    Measure("journal-release-unconfigured", count, DeliverToJournalHooks, &releaseOther);
    Measure("journal-release-configured-idle", count, DeliverToJournalHooks, &releaseNext);
}

// gen_velk loaded and started as the player does it; its cancel watch is
// then the newest get-message hook.
static void StartPlugin()
{
    HMODULE genVelk = LoadLibraryA(NATIVE_DLL_DIR "/gen_velk.dll");
    FARPROC entry = genVelk == nullptr ? nullptr : GetProcAddress(genVelk, PLUGIN_RECORD_EXPORT_NAME);
    if (entry == nullptr) {
        std::fprintf(stderr, "hook_bench: could not load gen_velk.dll\n");
        std::exit(1);
    }
    PluginRecord* record = reinterpret_cast<PluginRecord* (*)()>(reinterpret_cast<void (*)()>(entry))();
    record->parentWindow = player;
    record->moduleHandle = genVelk;
    record->onInit();
}

static void MeasureCancelWatch(long count)
{
    StartPlugin();
    MSG ordinary = {};
    ordinary.hwnd = player;
    ordinary.message = WM_MOUSEMOVE;
    ordinary.lParam = 240 << 16 | 320;
    Measure("cancel-watch-ordinary", count, DeliverToMessageHooks, &ordinary);
}

int main(int argc, char** argv)
{
    long count = argc > 1 ? std::atol(argv[1]) : 100000;
    standin::Current().applicationFolder = NATIVE_DLL_DIR;
    player = standin::CreateTestWindow(IdlePlayerProc);
    MeasureJournalHook(count);
    MeasureCancelWatch(count);
    return 0;
}
