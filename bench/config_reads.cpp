// What a cycle's 80 reads of config.ini cost: the first cycle after the file changed (one parse), later
// cycles (80 stamps), and, for comparison, reads that parse the whole file every time.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/native_files.h"
#include "settings/config_file.h"
#include "settings/ini_profile.h"
#include "settings/mdini.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The 82 keys with slot values, then a junk section of key lines, up to `bytes`; written as it is made,
// so that making it costs no memory.
void writeConfig(const std::string& path, std::size_t bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::string text = "[screen]\r\nx=0\r\ny=0\r\n";
  for (int i = 1; i <= 20; ++i) {
    text += "[no" + std::to_string(i) + "]\r\nx=" + std::to_string(10 * i) + "\r\ny=20\r\nt=1\r\nf=1\r\n";
  }
  text += "[junk]\r\n";
  std::size_t written = 0;
  for (long n = 0; written + text.size() < bytes; ++n) {
    out << text;
    written += text.size();
    text = "pasted" + std::to_string(n) + "=some text that another tool appended to this file\r\n";
  }
  out << text;
}

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double cycle(quorvel::Files& files, const std::string& path, int reads) {
  const auto start = Clock::now();
  for (int r = 0; r < reads; ++r) {
    const int slot = 1 + (r / 4) % 20;
    const char* key = "xytf" + (r % 4);
    quorvel::readini(files, path, quorvel::slotSection(slot), std::string(1, *key), "0");
  }
  return millisecondsSince(start);
}

// The reads as they were before: the whole file read and parsed for every value.
double uncachedRead(quorvel::Files& files, const std::string& path) {
  const auto start = Clock::now();
  const auto text = quorvel::readWholeFile(files, path);
  quorvel::iniLookup(text.value_or(""), "no20", "f");
  return millisecondsSince(start);
}

long peakKilobytes() {
  struct rusage usage {};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main() {
  const fs::path dir = fs::temp_directory_path() / "quorvel-config-reads";
  fs::create_directories(dir);
  const std::string path = (dir / "config.ini").string();
  quorvel::NativeFiles files;
  std::printf("%-10s %18s %18s %22s %14s\n", "file", "first cycle (ms)", "later cycle (ms)",
              "one uncached read (ms)", "peak RSS (MB)");
  // Peak memory is measured before any uncached read, which holds a whole file.
  const std::size_t sizes[] = {std::size_t{2} << 10, std::size_t{20} << 20, std::size_t{100} << 20};
  double first[3], later[3], uncached[3];
  long peak[3];
  for (int row = 0; row < 3; ++row) {
    writeConfig(path, sizes[row]);
    // Untouched for a while, as a file is between two runs.
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(1));
    first[row] = cycle(files, path, 80);
    std::vector<double> cycles;
    for (int i = 0; i < 50; ++i) cycles.push_back(cycle(files, path, 80));
    std::sort(cycles.begin(), cycles.end());
    later[row] = cycles[cycles.size() / 2];
    peak[row] = peakKilobytes();
  }
  for (int row = 0; row < 3; ++row) {
    writeConfig(path, sizes[row]);
    uncached[row] = uncachedRead(files, path);
    std::printf("%-10s %18.2f %18.3f %22.2f %14.1f\n", (std::to_string(sizes[row] >> 10) + " KiB").c_str(),
                first[row], later[row], uncached[row], static_cast<double>(peak[row]) / 1000.0);
  }
  fs::remove_all(dir);
  return 0;
}
