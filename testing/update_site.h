// A real HTTP server on 127.0.0.1 serving a fixture update site, with the
// failures a download must survive: a missing file, a body cut short, a body
// longer than announced, and a body that waits until it is let go.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace testing_support {

class UpdateSite {
 public:
  UpdateSite();
  // The same over HTTPS with this certificate and key (PEM files).
  UpdateSite(const std::string& certFile, const std::string& keyFile);
  ~UpdateSite();
  // "http://127.0.0.1:PORT" ("https://" for the HTTPS site)
  std::string Base() const;

  // Serves `body` at `path` ("/fetchling/ryxupdate.nfo").
  void Put(const std::string& path, const std::string& body);
  // Announces `announced` bytes and sends only the first `sent` of `body`, then closes.
  void PutTruncated(const std::string& path, const std::string& body, size_t announced);
  // Announces `announced` bytes and sends all of the longer `body`.
  void PutLonger(const std::string& path, const std::string& body, size_t announced);
  // Sends half of `body`, then waits until Release() (or the server's end).
  void PutSlow(const std::string& path, const std::string& body);
  void Release();
  // Sends `body` in the chunked transfer coding, in pieces of `piece` bytes.
  void PutChunked(const std::string& path, const std::string& body, size_t piece);

  // Serves `size` bytes made on the fly (a large file without holding it in memory).
  void PutGenerated(const std::string& path, size_t size);

  // The paths asked for, in order; whether a slow body is being sent now.
  std::vector<std::string> Requests() const;
  bool SlowStarted() const { return slowStarted_; }

 private:
  void Log(const std::string& path);
  void Serve();
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  int port_ = 0;
  bool secure_ = false;
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::atomic<bool> released_{false};
  std::atomic<bool> slowStarted_{false};
};

}  // namespace testing_support
