#pragma once

#include <sys/types.h>

// Test helper: fork() for a child that never outlives the test. The child leads a process
// group of its own and gets deathSignal when the test process dies, even by SIGKILL or by
// a library's exit() (the signal comes when the thread that forked ends: fork from a
// thread that lives as long as the child); a child whose parent died before that was
// arranged ends at once.
// Answers 0 in the child and its pid in the parent; throws std::runtime_error when the
// fork fails.
pid_t ForkTestChild(int deathSignal);

// Whether the child has ended; it is left to be reaped (its group number stays taken).
bool TestChildEnded(pid_t child);

// Ends the child's whole process group with SIGKILL and reaps the child; answers its
// wait status.
int KillTestChild(pid_t child);
