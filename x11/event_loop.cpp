#include "x11/event_loop.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <poll.h>

#include <cstdio>

#include "anim/window_animation.h"
#include "x11/fps_overlay.h"
#include "x11/picture_transport.h"
#include "x11/step_clock.h"
#include "x11/stop_signals.h"
#include "x11/x11_state.h"

namespace {

enum LoopOutcome { KeepGoing = -1, EndClean = 0, EndFailed = 1 };

int OnKeyPress(XKeyEvent* event) {
  const KeySym key = XLookupKeysym(event, 0);
  return key == XK_q || key == XK_Q || key == XK_Escape ? EndClean : KeepGoing;
}

// The picture's part of the exposed rectangle is sent again.
int OnExpose(const XExposeEvent& event) {
  SendPictureRect(CutToPicture(PictureRect{event.x, event.y, event.x + event.width, event.y + event.height}));
  DrawFpsOverlay();
  return KeepGoing;
}

int OnConfigure(const XConfigureEvent& event) {
  if (event.window != X11State.window) return KeepGoing;
  if (event.width == WindowPicture.Width && event.height == WindowPicture.Height) return KeepGoing;
  if (FollowWindowSize(event.width, event.height)) return KeepGoing;
  std::fprintf(stderr, "pennydance: Not enough memory (picture of %dx%d)\n", event.width, event.height);
  return EndFailed;
}

int OnDestroy(const XDestroyWindowEvent& event) {
  if (event.window != X11State.window) return KeepGoing;
  X11State.windowGone = 1;
  return EndClean;
}

// The close box of our own window: the window manager asks, we end.
int OnClientMessage(const XClientMessageEvent& event) {
  const bool closeAsked = X11State.ownsWindow && event.format == 32 &&
                          static_cast<Atom>(event.data.l[0]) == X11State.deleteWindow;
  return closeAsked ? EndClean : KeepGoing;
}

int HandleEvent(XEvent* event) {
  switch (event->type) {
    case KeyPress:
      return OnKeyPress(&event->xkey);
    case Expose:
      return OnExpose(event->xexpose);
    case ConfigureNotify:
      return OnConfigure(event->xconfigure);
    case DestroyNotify:
      return OnDestroy(event->xdestroywindow);
    case ClientMessage:
      return OnClientMessage(event->xclient);
    default:
      return KeepGoing;
  }
}

// The requests are flushed, not waited for: a reply from the server would
// cost Xlib a heap block on every step. A pixel changed while the server
// still reads an earlier rectangle is sent again with its own sprite's.
void RunStep() {
  const int64_t started = MonotonicNanoseconds();
  RunAnimationStep(MillisecondCount());
  FlushSending();
  NoteStep(MonotonicNanoseconds() - started);
}

// What the X errors seen so far mean for the run.
int OutcomeOfErrors() {
  if (X11State.windowGone) return EndClean;
  return X11State.failed ? EndFailed : KeepGoing;
}

int HandleWaitingEvents() {
  Display* display = X11State.display;
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    const int outcome = HandleEvent(&event);
    if (outcome != KeepGoing) return outcome;
  }
  return OutcomeOfErrors();
}

// Waits for X input, a stop signal or the deadline, whichever comes first.
void WaitUntil(int64_t deadline, const sigset_t& unblocked) {
  XFlush(X11State.display);
  const int64_t left = deadline - MonotonicNanoseconds();
  if (left <= 0) return;
  pollfd connection = {ConnectionNumber(X11State.display), POLLIN, 0};
  const timespec timeout = {static_cast<time_t>(left / 1000000000), static_cast<long>(left % 1000000000)};
  ppoll(&connection, 1, &timeout, &unblocked);
}

}  // namespace

int RunEventLoop() {
  const sigset_t unblocked = BlockStopSignals();
  int64_t deadline = MonotonicNanoseconds() + StepPeriodNs;
  for (;;) {
    int outcome = HandleWaitingEvents();
    if (outcome != KeepGoing) return outcome;
    if (StopWasSignalled()) return EndClean;
    const int64_t now = MonotonicNanoseconds();
    if (now >= deadline) {
      RunStep();
      deadline = NextStepDeadline(deadline, MonotonicNanoseconds());
      outcome = OutcomeOfErrors();
      if (outcome != KeepGoing) return outcome;
      continue;
    }
    WaitUntil(deadline, unblocked);
    if (StopWasSignalled()) return EndClean;
  }
}
