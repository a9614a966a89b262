/// The way a fuzz target survives the program's fatal errors. vornc reports
/// a fatal condition and ends the process with exit(), from deep inside the
/// parsers; a fuzz target must come back from that to take the next input.
/// The fuzz executables are linked with -Wl,--wrap=exit, so every call of
/// exit() from vornc's own code reaches __wrap_exit, which jumps back to the
/// innermost run_until_exit. Nothing in the program itself changes. What the
/// jump skips (destructors of the frames in between) is leaked; each target
/// resets the run-wide state it uses before the next input.
#pragma once

#include <functional>

/// Runs body; returns the status that body passed to exit(), or -1 when it
/// returned normally.
int run_until_exit(const std::function<void()>& body);
