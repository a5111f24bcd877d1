// SIGTERM, SIGINT and SIGHUP end the program with 0 however early they come:
// xscreensaver's settings dialog stops a hack a few milliseconds after
// starting it when a person runs through the list. The handler only notes
// the signal, so that every start-up step finishes (a shared-memory segment
// is always removed) and the program then ends as asked.
#pragma once

#include <csignal>

// The first thing main does.
void CatchStopSignals();

bool StopWasSignalled();

// For the event loop: the stop signals are blocked from now on, except
// inside the wait that is given the returned mask, so that one coming
// between a check and the wait still ends the wait at once.
sigset_t BlockStopSignals();
