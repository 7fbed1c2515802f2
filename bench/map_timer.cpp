// Starts a program and measures the time from its exec to the mapping of the first top-level window
// that appears after it. Prints, one line each and flushed at once:
//   pid <pid of the program>
//   mapped <milliseconds>
// then waits for the program and exits with its status. The program dies with this process.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

namespace {

double nowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: map_timer PROGRAM [ARGUMENTS...]\n", stderr);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fputs("map_timer: cannot open the display\n", stderr);
    return 1;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  // The child sends the moment it execs through a pipe.
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return 1;
  const pid_t child = fork();
  if (child < 0) return 1;
  if (child == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const double execMs = nowMs();
    if (write(pipeEnds[1], &execMs, sizeof execMs) != sizeof execMs) _exit(127);
    execv(argv[1], argv + 1);
    _exit(127);
  }
  double execMs = 0;
  if (read(pipeEnds[0], &execMs, sizeof execMs) != sizeof execMs) return 1;
  std::printf("pid %d\n", static_cast<int>(child));
  std::fflush(stdout);

  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display)) break;
  }
  std::printf("mapped %.2f\n", nowMs() - execMs);
  std::fflush(stdout);
  XCloseDisplay(display);

  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
