#include "mainwindow/app.h"

#include "mainwindow/form1.h"

namespace quorvel {

int runQuorvel(Platform& platform) {
  Form1 form(platform);
  if (!form.Form_Initialize()) return 1;
  form.Form_Load();
  form.Show();
  platform.runEventLoop();
  return 0;
}

}  // namespace quorvel
