#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Drives dialogs with no user: message boxes are caught as they open, their
// texts recorded and answered; modal dialogs opened by the code under test
// are handed to queued driver functions once initialised.
namespace tessel_test {

struct CapturedMessage {
    std::wstring caption;
    std::wstring text;
};

class DialogHarness {
public:
    DialogHarness();
    ~DialogHarness();
    DialogHarness(const DialogHarness&) = delete;
    DialogHarness& operator=(const DialogHarness&) = delete;

    // Answers for the coming message boxes, in order; IDOK once they run out.
    void QueueAnswer(int answer) { answers_.push_back(answer); }
    // Runs on the next owned dialog (not a message box) that opens. If it
    // leaves the dialog open, the harness ends it and fails the test.
    void QueueDriver(std::function<void(HWND)> driver) { drivers_.push_back(std::move(driver)); }

    const std::vector<CapturedMessage>& messages() const { return messages_; }
    void ClearMessages() { messages_.clear(); }
    // The text of the only message box shown since the last clear ("" if none).
    std::wstring OnlyMessage() const;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wparam, LPARAM lparam);
    static void CALLBACK RunDriver(HWND, UINT, UINT_PTR timer, DWORD);
    void OnDialogReady(HWND dialog);

    HHOOK hook_ = nullptr;
    std::deque<int> answers_;
    std::deque<std::function<void(HWND)>> drivers_;
    std::vector<CapturedMessage> messages_;
    HWND pending_dialog_ = nullptr;
    int looks_ = 0;  // at the pending dialog, before the modal loop showed it
    std::function<void(HWND)> pending_driver_;
};

// Control helpers.
std::wstring Text(HWND dialog, int id);
void SetText(HWND dialog, int id, const std::wstring& text);
// A click as the dialog sees it: check boxes and radio buttons change their
// state first, then the dialog gets BN_CLICKED.
void Click(HWND dialog, int id);
bool Checked(HWND dialog, int id);
bool Enabled(HWND dialog, int id);
LRESULT Send(HWND dialog, int id, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
// Selection changes of a combo box or list box, with their notification.
void ChooseComboEntry(HWND dialog, int id, int index);
void ChooseListEntry(HWND dialog, int id, int index);
std::wstring ListEntryText(HWND dialog, int id, int index);

// A file name in the temporary folder, removed at construction and at end.
class TempDataFile {
public:
    explicit TempDataFile(const wchar_t* name);
    ~TempDataFile();
    const std::wstring& path() const { return path_; }
    bool exists() const;
    std::vector<char> bytes() const;

private:
    std::wstring path_;
};

} // namespace tessel_test
