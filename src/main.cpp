// Quorvel on the Linux desktop.
#include "mainwindow/app.h"
#include "mainwindow/form1.h"
#include "platform/fltk/fltk_platform.h"

int main() {
  quorvel::FltkPlatform platform;
  if (const auto& problem = platform.startupProblem()) {
    platform.messageBox(*problem, quorvel::kSystemNoticeTitle, quorvel::MessageIcon::exclamation);
    return 1;
  }
  return quorvel::runQuorvel(platform);
}
