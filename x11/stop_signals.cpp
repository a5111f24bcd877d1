#include "x11/stop_signals.h"

namespace {

volatile sig_atomic_t StopSignalled = 0;

void NoteStopSignal(int) { StopSignalled = 1; }

const int StopSignals[] = {SIGTERM, SIGINT, SIGHUP};

}  // namespace

void CatchStopSignals() {
  struct sigaction action = {};
  action.sa_handler = NoteStopSignal;
  action.sa_flags = SA_RESTART;  // Xlib's reads and writes go on
  sigemptyset(&action.sa_mask);
  for (int signal : StopSignals) sigaction(signal, &action, nullptr);
}

bool StopWasSignalled() { return StopSignalled != 0; }

sigset_t BlockStopSignals() {
  sigset_t stop, kept;
  sigemptyset(&stop);
  for (int signal : StopSignals) sigaddset(&stop, signal);
  sigprocmask(SIG_BLOCK, &stop, &kept);
  for (int signal : StopSignals) sigdelset(&kept, signal);
  return kept;
}
