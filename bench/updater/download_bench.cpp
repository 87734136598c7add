// Download throughput of the updater against curl on the same 200 MB file from
// the same loopback server in the same run, and the updater's peak memory for
// 20 MB and 200 MB files. Run by hand: bench_updater_download [rounds]
#include "testing/test_support.h"
#include "testing/update_site.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>

using namespace testing_support;

namespace {

struct Probe {
  double seconds = 0;
  long long bytes = 0;
  long peakKb = 0;
};

Probe Fetchling(const UpdateSite& site, const std::string& file, const TempFolder& folder) {
  RunResult run = RunProgram(FETCH_PROBE, {site.Base(), file, folder.Path()}, {}, 600000);
  Probe probe;
  std::istringstream(run.out) >> probe.seconds >> probe.bytes >> probe.peakKb;
  if (run.exitCode != 0) std::fprintf(stderr, "probe failed: %s\n", run.err.c_str());
  return probe;
}

double Curl(const UpdateSite& site, const std::string& file, const TempFolder& folder) {
  auto start = std::chrono::steady_clock::now();
  RunResult run = RunProgram("/usr/bin/curl",
                             {"-s", "-f", "-o", folder / "curl.bin", site.Base() + "/fetchling/" + file}, {}, 600000);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (run.exitCode != 0) std::fprintf(stderr, "curl failed (%d)\n", run.exitCode);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const size_t mb = 1024 * 1024;
  UpdateSite site;
  site.PutGenerated("/fetchling/tiny.bin", 1);
  site.PutGenerated("/fetchling/f20.bin", 20 * mb);
  site.PutGenerated("/fetchling/f200.bin", 200 * mb);
  TempFolder folder;

  std::vector<double> ours, theirs;
  for (int i = 0; i < rounds; ++i) {
    ours.push_back(Fetchling(site, "f200.bin", folder).seconds);
    theirs.push_back(Curl(site, "f200.bin", folder));
  }
  std::sort(ours.begin(), ours.end());
  std::sort(theirs.begin(), theirs.end());
  double oursMbs = 200.0 / ours[ours.size() / 2], curlMbs = 200.0 / theirs[theirs.size() / 2];
  std::printf("200 MB from 127.0.0.1, median of %d: updater %.0f MB/s, curl %.0f MB/s (%.0f %% of curl)\n", rounds,
              oursMbs, curlMbs, 100.0 * oursMbs / curlMbs);

  Probe tiny = Fetchling(site, "tiny.bin", folder), small = Fetchling(site, "f20.bin", folder),
        large = Fetchling(site, "f200.bin", folder);
  std::printf("peak resident memory: 1 byte %ld kB, 20 MB %ld kB, 200 MB %ld kB\n", tiny.peakKb, small.peakKb,
              large.peakKb);
  bool whole = small.bytes == static_cast<long long>(20 * mb) && large.bytes == static_cast<long long>(200 * mb);
  if (!whole) std::printf("a download was not whole: %lld, %lld bytes\n", small.bytes, large.bytes);
  return whole ? 0 : 1;
}
