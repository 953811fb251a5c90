// The stand-in's message queues and text calls behave as Windows' do where
// the plug-in's tests rely on them.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "standin.h"

using standin::Current;

namespace {

std::vector<WPARAM> seenWith;  // wParam of each get-message hook call
LRESULT CALLBACK RecordingHook(int code, WPARAM wParam, LPARAM lParam)
{
    seenWith.push_back(wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
LRESULT CALLBACK AnyProc(int, WPARAM, LPARAM) { return 0; }

const HINSTANCE SomeModule = reinterpret_cast<HINSTANCE>(0x10000);

class StandinMessages : public ::testing::Test {
protected:
    void SetUp() override
    {
        standin::Reset();
        seenWith.clear();
    }
};

TEST_F(StandinMessages, GetMessageHooksSeePeeksAndRetrievals)
{
    SetWindowsHookExA(WH_GETMESSAGE, RecordingHook, SomeModule, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_USER, 5, 6);
    MSG msg = {};
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_EQ(seenWith, std::vector<WPARAM>({PM_NOREMOVE, PM_NOREMOVE, PM_REMOVE}));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "the queue is empty";
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1) << "nothing could ever arrive";
    EXPECT_EQ(seenWith.size(), 3u) << "hooks ran without a message";

    PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 0, 0);
    EXPECT_EQ(GetMessageA(&msg, nullptr, WM_USER, WM_USER), FALSE) << "WM_QUIT passes any filter";
    EXPECT_FALSE(PostThreadMessageA(0, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
}

TEST_F(StandinMessages, CancellingJournalHooksTellsEachInstallingThread)
{
    Current().threadId = 7;
    SetWindowsHookExA(WH_JOURNALRECORD, AnyProc, SomeModule, 0);
    SetWindowsHookExA(WH_JOURNALRECORD, AnyProc, SomeModule, 0);
    HHOOK keyboard = SetWindowsHookExA(WH_KEYBOARD_LL, AnyProc, SomeModule, 0);
    Current().threadId = 8;
    HHOOK other = SetWindowsHookExA(WH_JOURNALRECORD, AnyProc, SomeModule, 0);

    standin::CancelJournalHooks();
    EXPECT_EQ(standin::InstalledHookCount(WH_JOURNALRECORD), 0);
    EXPECT_EQ(standin::InstalledHookCount(WH_KEYBOARD_LL), 1) << "only journal hooks are cancelled";
    EXPECT_FALSE(UnhookWindowsHookEx(other)) << "the handle is stale";
    ASSERT_EQ(Current().postedMessages.size(), 2u) << "one message per thread";
    for (DWORD thread : {7u, 8u}) {
        Current().threadId = thread;
        MSG msg = {};
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "thread " << thread;
        EXPECT_EQ(msg.message, static_cast<UINT>(WM_CANCELJOURNAL));
        EXPECT_EQ(msg.hwnd, nullptr);
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "thread " << thread;
    }
    UnhookWindowsHookEx(keyboard);
}

TEST_F(StandinMessages, WsprintfCutsAt1024Characters)
{
    std::string text(2000, 'a');
    char buffer[1025 + 16];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    EXPECT_EQ(wsprintfA(buffer, "%s!", text.c_str()), 1024);
    EXPECT_EQ(std::string(buffer), std::string(1024, 'a'));
    EXPECT_EQ(buffer[1025], '#') << "wrote past the NUL";
}

TEST_F(StandinMessages, FormatMessageWithAndWithoutASystemText)
{
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;
    char* text = reinterpret_cast<char*>(0x1);
    EXPECT_EQ(FormatMessageA(flags, nullptr, ERROR_ACCESS_DENIED, 0x400, reinterpret_cast<LPSTR>(&text), 0, nullptr),
              19u);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "Access is denied.\r\n");
    EXPECT_EQ(Current().localBlocks.size(), 1u);
    EXPECT_EQ(LocalFree(text), nullptr);
    EXPECT_TRUE(Current().localBlocks.empty());

    text = reinterpret_cast<char*>(0x1);
    EXPECT_EQ(FormatMessageA(flags, nullptr, 0x20000001, 0x400, reinterpret_cast<LPSTR>(&text), 0, nullptr), 0u);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    EXPECT_TRUE(Current().localBlocks.empty());
}

}  // namespace
