// Quorvel on the desktop: the backend that the build linked, the system's own files, and the program.
#include "mainwindow/app.h"
#include "platform/backend.h"
#include "platform/native_files.h"

int main() {
  const auto platform = quorvel::createPlatform();
  quorvel::NativeFiles files;
  return quorvel::runQuorvel(*platform, files);
}
