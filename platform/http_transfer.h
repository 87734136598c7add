// One HTTP GET at a time, its body streamed to a file: what the updater's
// internet transfer control does. The body goes to a temporary file beside the
// target and replaces the target only when the whole body arrived (no more and
// no fewer bytes than announced) with a 2xx status; anything else leaves the
// target folder as it was. The connection is asked to close after the
// response, so a body longer than its Content-Length shows as bytes after it.
#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <string>

class QSaveFile;
class QTcpSocket;

namespace platform {

struct TransferResult {
  enum class Outcome { Ok, Cancelled, Failed } outcome = Outcome::Ok;
  std::string description;  // why it failed, for the user
  int number = 0;           // the HTTP status for an HTTP error, else one of the codes below
  bool Ok() const { return outcome == Outcome::Ok; }
};

// Error numbers of failures that are not an HTTP status.
inline constexpr int kTransferConnectError = 1001;
inline constexpr int kTransferLengthError = 1002;
inline constexpr int kTransferProtocolError = 1003;
inline constexpr int kTransferWriteError = 1004;
inline constexpr int kTransferAddressError = 1005;
inline constexpr int kTransferCancelled = 1006;

// True for an https address, or an http address whose host is a loopback
// address ("localhost", 127.0.0.0/8, ::1): only those may deliver files that
// will run or edit game folders.
bool IsSecureOrLoopback(const std::string& url);

// The honest connection test the updater asks before it fetches: whether the
// address's host resolves (waiting with the event loop running).
bool HostResolves(const std::string& url);

class HttpTransfer : public QObject {
  Q_OBJECT
 public:
  explicit HttpTransfer(QObject* parent = nullptr);
  ~HttpTransfer() override;

  // Starts a GET; false (and `finished` not emitted) when one is still running.
  // An empty targetPath discards the body. A failure to start (bad address,
  // file that cannot be created) is reported through `finished`, after Start returns.
  bool Start(const std::string& url, const std::string& targetPath);
  bool StillExecuting() const { return executing_; }
  // Stops the running transfer; the target stays untouched. `finished` is
  // emitted (Cancelled) before Cancel returns.
  void Cancel();

  // Largest piece read from the connection at a time; the socket's own buffer
  // is kept at a few of these, so memory stays flat whatever the file's size.
  static constexpr qint64 kChunk = 64 * 1024;

 signals:
  // The status line and headers arrived (contentLength empty when not announced).
  void response(int status, std::optional<long long> contentLength);
  // A piece of the body was written (its size in bytes).
  void bodyWritten(long long bytes);
  void finished(const platform::TransferResult& result);

 private:
  void Connected();
  void ReadSome();
  void Closed();
  void Fail(int number, const std::string& description);
  void Finish(TransferResult result);
  bool ParseHead();
  bool TakeBody(const char* data, qint64 size);
  bool ReadChunked();
  bool Write(const char* data, qint64 size);

  std::unique_ptr<QTcpSocket> socket_;
  std::unique_ptr<QSaveFile> file_;
  std::string url_;
  std::string request_;
  std::string head_;     // the status line and headers until the empty line
  std::string pending_;  // chunked bodies: bytes not yet decoded
  bool headDone_ = false;
  bool executing_ = false;
  int status_ = 0;
  std::optional<long long> contentLength_;
  bool chunked_ = false;
  long long chunkLeft_ = -1;  // bytes left in the current chunk; -1 before a size line
  bool chunkedDone_ = false;
  long long bodyBytes_ = 0;
};

}  // namespace platform
