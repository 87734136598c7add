// Stands in for Wine's loader, copied into a folder as "wine64". Run with the
// Linux path of a Windows program, it maps that file as Wine maps a game and
// runs until it is killed. Run as "wine64 reg ...", it appends the Wine
// variables it was given and its arguments to wine-runs.txt beside itself;
// with a file "hang" beside itself it then writes its pid to hung.pid and runs
// until it is killed, as a wine that never ends.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  if (std::string(argv[1]) == "reg") {
    char self[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return 2;
    std::string folder(self, static_cast<size_t>(n));
    folder.resize(folder.rfind('/'));
    std::ofstream record(folder + "/wine-runs.txt", std::ios::app);
    record << "run";
    for (const char* name : {"WINEPREFIX", "TMPDIR", "WINESERVER", "HOME"}) {
      const char* value = std::getenv(name);
      record << " " << name << "=" << (value ? value : "(unset)");
    }
    record << "\n";
    for (int i = 1; i < argc; ++i) record << argv[i] << "\n";
    record.close();
    if (::access((folder + "/hang").c_str(), F_OK) != 0) return 0;
    std::ofstream(folder + "/hung.pid.new") << ::getpid() << "\n";
    ::rename((folder + "/hung.pid.new").c_str(), (folder + "/hung.pid").c_str());
    for (;;) ::pause();
  }
  int fd = ::open(argv[1], O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0 || st.st_size == 0) return 3;
  if (::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0) == MAP_FAILED) return 3;
  for (;;) ::pause();
}
