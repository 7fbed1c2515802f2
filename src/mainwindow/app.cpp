#include "mainwindow/app.h"

#include "mainwindow/form1.h"

namespace quorvel {

int runQuorvel(Platform& platform, Files& files) {
  if (const auto problem = platform.startupProblem()) {
    platform.messageBox(*problem, kSystemNoticeTitle, MessageIcon::exclamation);
    return 1;
  }
  Form1 form(platform, files);
  if (!form.Form_Initialize()) return 1;
  form.Form_Load();
  form.Show();
  platform.runEventLoop();
  return 0;
}

}  // namespace quorvel
