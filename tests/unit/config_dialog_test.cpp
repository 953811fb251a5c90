// The configuration dialog, run by a scripted user on the stand-in: what it
// shows, what OK applies at once, hands to velk_kh and saves, and what Cancel
// keeps. velk_kh's keys are read back through its hook: a released key that
// gives a track command is the key it was handed.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "../../plugin/resource.h"
#include "running_plugin.h"

namespace {

using standin::Current;

const char OnlyFunctionKeys[] = "You can only assign F1..F12!";
const char SameKey[] = "You can't assign the same key to these fields!";

std::string Join(const std::vector<std::string>& items)
{
    std::string text = "[";
    for (const std::string& item : items)
        text += " \"" + item + "\"";
    return text + " ]";
}

// What the dialog showed at one moment of the script.
struct Seen {
    bool open = false;
    std::string prevField;
    std::string nextField;
};

class ConfigDialog : public RunningPlugin {
protected:
    // Starts the plug-in with these settings in the player's INI file.
    void StartWith(const std::string& ini)
    {
        WriteFile(iniFile, ini);
        Start();
    }

    // Runs the player's configure command with `script` as the user.
    void Configure(standin::DialogScript script)
    {
        Current().dialogScripts.push_back(script);
        plugin.record->onConfig();
    }

    std::string Ini() const { return Visible(ReadFile(iniFile)); }

    static Seen Look()
    {
        Seen seen;
        standin::Dialog* dialog = standin::RunningDialog();
        if (dialog == nullptr)
            return seen;
        seen.open = true;
        seen.prevField = standin::ControlText(*dialog, IDC_PREV_KEY);
        seen.nextField = standin::ControlText(*dialog, IDC_NEXT_KEY);
        return seen;
    }

    static std::vector<std::string> MessageBoxTexts()
    {
        std::vector<std::string> texts;
        for (const standin::MessageBoxCall& box : Current().messageBoxes)
            texts.push_back(box.text);
        return texts;
    }

    // The two keys velk_kh acts on, found by releasing candidate keys while
    // the player plays: "prev F3 next F9"; "-" where no key acts.
    static std::string KeysActing()
    {
        static const BYTE candidates[] = {'A', 0x70, 0x71, 0x72, 0x73, 0x74, 0x75,
                                          0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B};
        static const char* const names[] = {"A", "F1", "F2", "F3", "F4", "F5", "F6",
                                            "F7", "F8", "F9", "F10", "F11", "F12"};
        std::string prev = "-", next = "-";
        Player().playingAnswer = 1;
        for (size_t i = 0; i < sizeof candidates; ++i) {
            Player().commands.clear();
            standin::TapKey(candidates[i]);
            for (TrackCommand command : Player().commands)
                (command == TrackCommand::Previous ? prev : next) = names[i];
        }
        Player().commands.clear();
        return "prev " + prev + " next " + next;
    }
};

// One confirmation with OK; then, if the dialog is still open, Cancel.
struct OkCase {
    const char* name;
    std::string ini;                  // at start-up
    bool clickEnable;                 // toggles the box before OK
    const char* prevEntry;            // typed into the field; null: left as shown
    const char* nextEntry;
    std::vector<std::string> boxes;  // message boxes, in order
    bool stillOpen;                   // after OK
    const char* prevShown;            // after OK
    const char* nextShown;
    std::string iniAfter;  // before shut-down
    int journalHooks;
    const char* keysActing;
};

void PrintTo(const OkCase& row, std::ostream* out) { *out << row.name; }

const OkCase okCases[] = {
    {"both fields empty, box switched on", Section("0", "119", "120"), true, "", "", {}, false, "", "",
     Section("1", "119", "120"), 1, "prev F8 next F9"},
    {"both fields empty, box switched off", Section("1", "119", "120"), true, "", "", {}, false, "", "",
     Section("0", "119", "120"), 0, "prev - next -"},
    {"each field keeps its own key", Section("1", "119", "120"), false, "F8", "f9", {}, false, "F8", "F9",
     Section("1", "119", "120"), 1, "prev F8 next F9"},
    {"two new keys in normal form", Section("1", "119", "120"), false, "f01", "F12", {}, false, "F1", "F12",
     Section("1", "112", "123"), 1, "prev F1 next F12"},
    {"swap refused twice", Section("1", "119", "120"), false, "F9", "F8", {SameKey, SameKey}, true, "F8", "F9",
     Section("1", "119", "120"), 1, "prev F8 next F9"},
    {"rejected previous, valid next", Section("1", "119", "120"), false, "F13", "F3", {OnlyFunctionKeys}, true,
     "F8", "F3", Section("1", "119", "120"), 1, "prev F8 next F3"},
    {"next clashes with the new previous", Section("1", "119", "120"), false, "F3", "F3", {SameKey}, true, "F3",
     "F9", Section("1", "119", "120"), 1, "prev F3 next F9"},
    {"rejected next", Section("1", "119", "120"), false, "", "F 4", {OnlyFunctionKeys}, true, "", "F9",
     Section("1", "119", "120"), 1, "prev F8 next F9"},
    {"over-long entry, read cut to 31", Section("1", "119", "120"), false,
     "F0000000000000000000000000000000000000001", nullptr, {OnlyFunctionKeys}, true, "F8", "F9",
     Section("1", "119", "120"), 1, "prev F8 next F9"},
    {"key without a name shows empty and is kept", Section("1", "65", "120"), false, nullptr, nullptr, {}, false,
     "", "F9", Section("1", "65", "120"), 1, "prev A next F9"},
    {"key without a name replaced", Section("1", "65", "120"), false, "F2", nullptr, {}, false, "F2", "F9",
     Section("1", "113", "120"), 1, "prev F2 next F9"},
};

class ConfigDialogOk : public ConfigDialog, public ::testing::WithParamInterface<OkCase> {};

TEST_P(ConfigDialogOk, ReportsShowsAppliesAndSaves)
{
    const OkCase& c = GetParam();
    StartWith(c.ini);
    Seen afterOk;
    Configure([&] {
        if (c.clickEnable)
            standin::ClickButton(IDC_ENABLE);
        if (c.prevEntry != nullptr)
            standin::TypeText(IDC_PREV_KEY, c.prevEntry);
        if (c.nextEntry != nullptr)
            standin::TypeText(IDC_NEXT_KEY, c.nextEntry);
        standin::ClickButton(IDOK);
        afterOk = Look();
        standin::ClickButton(IDCANCEL);
    });
    EXPECT_EQ(Join(MessageBoxTexts()), Join(c.boxes));
    for (const standin::MessageBoxCall& box : Current().messageBoxes) {
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONWARNING | MB_OK));
    }
    EXPECT_EQ(afterOk.open, c.stillOpen);
    // Once closed, the dialog's last state is what the user saw.
    const standin::Dialog& dialog = Current().dialogs.back();
    EXPECT_EQ(c.stillOpen ? afterOk.prevField : standin::ControlText(dialog, IDC_PREV_KEY), c.prevShown);
    EXPECT_EQ(c.stillOpen ? afterOk.nextField : standin::ControlText(dialog, IDC_NEXT_KEY), c.nextShown);
    EXPECT_EQ(Ini(), Visible(c.iniAfter));
    EXPECT_EQ(standin::InstalledHookCount(WH_JOURNALRECORD), c.journalHooks);
    EXPECT_EQ(KeysActing(), c.keysActing);
}

INSTANTIATE_TEST_SUITE_P(Rows, ConfigDialogOk, ::testing::ValuesIn(okCases), RowName<OkCase>);

struct OpenCase {
    const char* name;
    const char* enabled;  // BEN in the INI file
    bool checked;
};

void PrintTo(const OpenCase& row, std::ostream* out) { *out << row.name; }

const OpenCase openCases[] = {{"BEN=1", "1", true}, {"BEN=0", "0", false}, {"BEN=2", "2", false}};

class ConfigDialogOpening : public ConfigDialog, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(ConfigDialogOpening, UsesTheModulesTemplateShowingTheSettings)
{
    const OpenCase& c = GetParam();
    StartWith(Section(c.enabled, "123", "112"));
    bool ownerEnabled = true;
    Configure([&] { ownerEnabled = standin::FindTestWindow(Player().window)->enabled; });
    ASSERT_EQ(Current().dialogs.size(), 1u);
    const standin::Dialog& dialog = Current().dialogs[0];
    EXPECT_EQ(dialog.owner, Player().window);
    EXPECT_FALSE(ownerEnabled) << "a modal dialog disables its owner";
    EXPECT_TRUE(standin::FindTestWindow(Player().window)->enabled);
    EXPECT_EQ(Current().windows[reinterpret_cast<size_t>(dialog.window) - 1].text, "Tarnwick");
    EXPECT_EQ(standin::ControlText(dialog, IDC_ENABLE), "Enable this plugin");
    EXPECT_EQ(standin::ControlText(dialog, IDC_PREV_LABEL), "Previous track shortcut:");
    EXPECT_EQ(standin::ControlText(dialog, IDC_NEXT_LABEL), "Next track shortcut:");
    EXPECT_EQ(standin::ControlText(dialog, IDC_PREV_KEY), "F12");
    EXPECT_EQ(standin::ControlText(dialog, IDC_NEXT_KEY), "F1");
    EXPECT_EQ(standin::IsControlChecked(dialog, IDC_ENABLE), c.checked);
    EXPECT_FALSE(dialog.abandoned);
    EXPECT_EQ(dialog.result, 0);
    EXPECT_TRUE(Current().messageBoxes.empty());
    // The user only closed it: nothing applied, nothing saved.
    EXPECT_EQ(Ini(), Visible(Section(c.enabled, "123", "112")));
}

INSTANTIATE_TEST_SUITE_P(Rows, ConfigDialogOpening, ::testing::ValuesIn(openCases), RowName<OpenCase>);

// A failed confirmation applies the box and the accepted keys at once; every
// way of leaving the dialog keeps them, unsaved until shut-down.
struct LeaveCase {
    const char* name;
    void (*leave)();
};

void PrintTo(const LeaveCase& row, std::ostream* out) { *out << row.name; }

const LeaveCase leaveCases[] = {
    {"Cancel", [] { standin::ClickButton(IDCANCEL); }},
    {"close box", [] { standin::CloseDialog(); }},
    {"IDCLOSE", [] { standin::SendDialogCommand(IDCLOSE); }},
};

class ConfigDialogLeaving : public ConfigDialog, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(ConfigDialogLeaving, AfterAFailedConfirmationKeepsWhatWasApplied)
{
    const LeaveCase& c = GetParam();
    StartWith(Section("0", "119", "120"));
    bool closed = false;
    Configure([&] {
        standin::ClickButton(IDC_ENABLE);
        standin::TypeText(IDC_PREV_KEY, "F0");
        standin::TypeText(IDC_NEXT_KEY, "F4");
        standin::ClickButton(IDOK);
        c.leave();
        closed = standin::RunningDialog() == nullptr;
    });
    EXPECT_TRUE(closed);
    EXPECT_FALSE(Current().dialogs.back().abandoned);
    EXPECT_EQ(Join(MessageBoxTexts()), Join({OnlyFunctionKeys}));
    EXPECT_EQ(Ini(), Visible(Section("0", "119", "120")));
    EXPECT_EQ(standin::InstalledHookCount(WH_JOURNALRECORD), 1);
    EXPECT_EQ(KeysActing(), "prev F8 next F4");
    Quit();
    EXPECT_EQ(Ini(), Visible(Section("1", "119", "115")));
}

INSTANTIATE_TEST_SUITE_P(Ways, ConfigDialogLeaving, ::testing::ValuesIn(leaveCases),
                         RowName<LeaveCase>);

TEST_F(ConfigDialog, ConfirmingTwiceLeavesOneJournalHook)
{
    StartWith(Section("1", "119", "120"));
    ASSERT_EQ(standin::InstalledHookCount(WH_JOURNALRECORD), 1);
    Configure([] { standin::ClickButton(IDOK); });
    Configure([] {
        standin::TypeText(IDC_NEXT_KEY, "F8");  // refused: the dialog stays open
        standin::ClickButton(IDOK);
        standin::TypeText(IDC_NEXT_KEY, "F10");
        standin::ClickButton(IDOK);
    });
    EXPECT_EQ(standin::InstalledHookCount(WH_JOURNALRECORD), 1);
    EXPECT_EQ(KeysActing(), "prev F8 next F10");
    EXPECT_EQ(Ini(), Visible(Section("1", "119", "121")));
    EXPECT_EQ(Join(MessageBoxTexts()), Join({SameKey}));
}

// The names shown are the keys in effect, kept from one opening to the next.
TEST_F(ConfigDialog, ReopeningShowsTheKeysInEffect)
{
    StartWith(Section("1", "119", "120"));
    Configure([] {
        standin::TypeText(IDC_PREV_KEY, "f11");
        standin::TypeText(IDC_NEXT_KEY, "F13");
        standin::ClickButton(IDOK);
    });
    Seen reopened;
    Configure([&] { reopened = Look(); });
    EXPECT_EQ(reopened.prevField, "F11");
    EXPECT_EQ(reopened.nextField, "F9");
}

// The template that ships, as the resource compiler stored it.
TEST_F(ConfigDialog, TemplateIsTheShippedLayout)
{
    StartWith(Section("0", "119", "120"));
    standin::DialogTemplate layout;
    DWORD error = 0;
    ASSERT_TRUE(standin::FindDialogTemplate(plugin.module, IDD_CONFIG, &layout, &error)) << "error " << error;
    EXPECT_EQ(layout.language, MAKELANGID(0x09, 0x01)) << "English (United States)";
    EXPECT_EQ(layout.style, 0x80C808C0u);
    EXPECT_EQ(layout.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT |
                                               DS_CENTER));
    EXPECT_EQ(layout.exStyle, 0u);
    EXPECT_EQ(std::vector<int>({layout.x, layout.y, layout.cx, layout.cy}), std::vector<int>({0, 0, 159, 75}));
    EXPECT_EQ(layout.fontSize, 8);
    EXPECT_EQ(layout.fontName, "MS Sans Serif");
    EXPECT_EQ(layout.caption, "Tarnwick");

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const standin::DialogItemTemplate expected[] = {
        {child | WS_TABSTOP | BS_PUSHBUTTON, 0, 101, 53, 51, 15, IDCANCEL, "BUTTON", "&Cancel"},
        {child | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 7, 7, 82, 11, IDC_ENABLE, "BUTTON", ""},
        {child | WS_TABSTOP | BS_PUSHBUTTON, 0, 7, 53, 51, 15, IDOK, "BUTTON", "&OK"},
        {child | WS_GROUP | SS_LEFT, 0, 7, 23, 84, 10, IDC_PREV_LABEL, "STATIC", ""},
        {child | WS_GROUP | SS_LEFT, 0, 7, 37, 83, 10, IDC_NEXT_LABEL, "STATIC", ""},
        {child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 101, 21, 20, 12, IDC_PREV_KEY, "EDIT", ""},
        {child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 101, 35, 20, 12, IDC_NEXT_KEY, "EDIT", ""},
    };
    ASSERT_EQ(layout.items.size(), sizeof expected / sizeof expected[0]);
    for (size_t i = 0; i < layout.items.size(); ++i) {
        const standin::DialogItemTemplate& a = layout.items[i];
        const standin::DialogItemTemplate& e = expected[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + ", id " + std::to_string(e.id));
        EXPECT_EQ(a.id, e.id);
        EXPECT_STRCASEEQ(a.className.c_str(), e.className.c_str());
        EXPECT_EQ(a.text, e.text);
        EXPECT_EQ(a.style, e.style) << std::hex << "0x" << a.style << ", expected 0x" << e.style;
        EXPECT_EQ(a.exStyle, 0u);
        EXPECT_EQ(std::vector<int>({a.x, a.y, a.cx, a.cy}), std::vector<int>({e.x, e.y, e.cx, e.cy}));
    }
}

TEST(DialogBoxParamA, FailsWithoutTheTemplate)
{
    standin::Reset();
    HWND owner = CreatePlayerWindow();
    HMODULE module = LoadLibraryA(NATIVE_DLL_DIR "/gen_velk.dll");
    ASSERT_NE(module, nullptr);
    HMODULE noResources = LoadLibraryA(NATIVE_DLL_DIR "/velk_kh.dll");
    DLGPROC proc = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return 0; };
    struct Case {
        const char* name;
        HMODULE module;
        int id;
        DWORD error;
    };
    const Case cases[] = {
        {"no such dialog", module, 101, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"module without resources", noResources, IDD_CONFIG, ERROR_RESOURCE_DATA_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(DialogBoxParamA(c.module, MAKEINTRESOURCEA(c.id), owner, proc, 0), -1) << c.name;
        EXPECT_EQ(GetLastError(), c.error) << c.name;
    }
    EXPECT_TRUE(Current().dialogs.empty());
    FreeLibrary(noResources);
    FreeLibrary(module);
}

}  // namespace
