// Runs the saver window in this process with a script of steps that run
// inside its own message loop, one per tick of a thread timer, and records
// the calls that pass through the platform-call table meanwhile.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace hosttest {

// A step gets the saver window (null once it is gone).
typedef std::function<void(HWND saver)> SaverStep;

struct SaverRunOutcome {
  int32_t result;        // what RunSaverWindow returned
  bool watchdogFired;    // the saver outlived its time and was destroyed
  int stepsRun;          // the loop ends right after the step whose effect closed it
};

struct RunSettings {
  DWORD stepGapMs;   // between two steps
  DWORD watchdogMs;  // the saver window is destroyed after this long
};

const RunSettings DefaultRun = {80, 10000};

// Resets HostState (instance = this program, family as the platform says),
// runs RunSaverWindow(parent) with the steps; the thread's leftover quit
// message, if any, is removed afterwards.
SaverRunOutcome RunSaverWithSteps(HWND parent, const std::vector<SaverStep>& steps,
                                  RunSettings settings = DefaultRun);

// Calls of SystemParametersInfoA made through the platform-call table.
struct SystemParametersCall {
  UINT action;
  UINT parameter;
  UINT updateFlags;
  bool dataGiven;
  bool saverWindowExisted;  // HostState.saverWindow named a live window
};

// Messages the framework handed on to ScreenSaverProc.
struct ForwardedMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  int32_t isVerifying;  // HostState.isVerifying then: inside the password prompt
};

// Wraps the table's entries so every call is recorded and passed on.
void StartRecordingPlatformCalls();
void StopRecordingPlatformCalls();
const std::vector<SystemParametersCall>& RecordedSystemParametersCalls();
const std::vector<ForwardedMessage>& RecordedForwardedMessages();
void ClearRecordedForwardedMessages();
int CountForwarded(UINT message);

// Real input through the system's input queue.
void MovePointerTo(int x, int y);
void PressMouseButton(DWORD downFlag, DWORD upFlag);
void PressKey(WORD virtualKey);

// Dispatches what is waiting for this thread, for a moment. A quit message
// met on the way is posted again and ends the pumping, so the loop that
// runs the saver still sees it.
void PumpMessagesFor(DWORD milliseconds);
// Inside a step: dispatches until the framework has handed `message` on to
// ScreenSaverProc once more (recording must be on), then until nothing is
// left waiting; false if the message did not come within timeoutMs.
bool SettleAfterInput(UINT message, DWORD timeoutMs = 3000);

// A plain top-level window for parents and owners: a frameless popup whose
// client area is the given size, recording WM_HELP and WM_CONTEXTMENU.
HWND CreatePlainWindow(const char* title, int width, int height);
struct ReceivedMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<ReceivedMessage>& PlainWindowHelpMessages();

}  // namespace hosttest
