// The program from start-up to the window's closing, on whatever platform it is given.
#pragma once

namespace quorvel {

class Files;
class Platform;

// Returns the process exit code: 0 after the window was closed, 1 when start-up failed (the user has
// been told why).
int runQuorvel(Platform& platform, Files& files);

}  // namespace quorvel
