#include "platform/http_transfer.h"

#include "testing/test_support.h"
#include "testing/update_site.h"

#include <QSslConfiguration>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

using platform::HttpTransfer;
using platform::TransferResult;
using testing_support::ReadFile;
using testing_support::SpinUntil;
using testing_support::TempFolder;
using testing_support::UpdateSite;
using testing_support::WriteFile;

namespace {

std::string Body(size_t size) {
  std::string body(size, '\0');
  for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>((i * 131 + i / 7) & 0xff);
  return body;
}

struct Fetch {
  HttpTransfer transfer;
  std::optional<TransferResult> result;
  long long bytes = 0;
  Fetch() {
    QObject::connect(&transfer, &HttpTransfer::bodyWritten, [this](long long n) { bytes += n; });
    QObject::connect(&transfer, &HttpTransfer::finished, [this](const TransferResult& r) { result = r; });
  }
  TransferResult Run(const std::string& url, const std::string& target) {
    EXPECT_TRUE(transfer.Start(url, target));
    EXPECT_TRUE(SpinUntil([this] { return result.has_value(); }, 20000));
    return result.value_or(TransferResult{});
  }
};

// Nothing but the named files: no temporary file is left behind.
std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(HttpTransferTest, AWholeBodyReplacesTheTarget) {
  UpdateSite site;
  TempFolder folder;
  std::string body = Body(300000);
  site.Put("/plain.bin", body);
  site.PutChunked("/chunked.bin", body, 7000);
  site.Put("/empty.bin", "");
  for (std::string path : {"/plain.bin", "/chunked.bin", "/empty.bin"}) {
    WriteFile(folder / "target", "old content");
    // A second name for the old file: it keeps the old bytes, so the target was replaced, not rewritten.
    std::filesystem::create_hard_link(folder / "target", folder / "old");
    Fetch fetch;
    TransferResult result = fetch.Run(site.Base() + path, folder / "target");
    EXPECT_TRUE(result.Ok()) << path << ": " << result.description;
    EXPECT_EQ(ReadFile(folder / "old"), "old content");
    std::filesystem::remove(folder / "old");
    std::string expected = path == "/empty.bin" ? "" : body;
    EXPECT_EQ(ReadFile(folder / "target"), expected) << path;
    EXPECT_EQ(fetch.bytes, static_cast<long long>(expected.size())) << path;
    EXPECT_EQ(Entries(folder.Path()), std::vector<std::string>{"target"}) << path;
  }
}

TEST(HttpTransferTest, AnythingButAWhole2xxBodyLeavesTheTargetAlone) {
  UpdateSite site;
  TempFolder folder;
  std::string body = Body(40000);
  site.PutTruncated("/short.bin", body.substr(0, 20000), body.size());
  site.PutLonger("/long.bin", body, 30000);
  struct Case {
    std::string path;
    int number;
  } cases[] = {
      {"/missing.bin", 404},
      {"/short.bin", platform::kTransferLengthError},
      {"/long.bin", platform::kTransferLengthError},
  };
  for (const Case& c : cases) {
    WriteFile(folder / "target", "old content");
    Fetch fetch;
    TransferResult result = fetch.Run(site.Base() + c.path, folder / "target");
    EXPECT_EQ(result.outcome, TransferResult::Outcome::Failed) << c.path;
    EXPECT_EQ(result.number, c.number) << c.path << ": " << result.description;
    EXPECT_EQ(ReadFile(folder / "target"), "old content") << c.path;
    EXPECT_EQ(Entries(folder.Path()), std::vector<std::string>{"target"}) << c.path;
  }
  // Nobody listening is a failure too.
  Fetch fetch;
  EXPECT_EQ(fetch.Run("http://127.0.0.1:1/x", folder / "other").number, platform::kTransferConnectError);
  EXPECT_FALSE(std::filesystem::exists(folder / "other"));
}

namespace {

// A server on 127.0.0.1 that answers each request with `response` byte for
// byte (status line, field lines, body), then closes: answers the update
// site's server would never give.
class RawSite {
 public:
  explicit RawSite(std::string response) : response_(std::move(response)) {
    EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        auto request = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
          *request += socket->readAll();
          if (!request->contains("\r\n\r\n")) return;
          socket->write(response_.data(), static_cast<qint64>(response_.size()));
          socket->disconnectFromHost();
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(server_.serverPort()); }

 private:
  std::string response_;
  QTcpServer server_;
};

}  // namespace

// Repeated Transfer-Encoding lines are one list: a final chunked is undone,
// anything else unknown, or a length beside a coding, is refused.
TEST(HttpTransferTest, TheTransferCodingsOfEveryLineAreReadAsOneList) {
  const std::string chunks = "5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n";
  struct Case {
    std::string fields;
    bool ok;
  } cases[] = {
      {"Transfer-Encoding: identity\r\nTransfer-Encoding: chunked\r\n", true},
      {"Transfer-Encoding: identity, chunked\r\n", true},
      {"Transfer-Encoding: CHUNKED\r\n", true},
      {"Transfer-Encoding: gzip\r\nTransfer-Encoding: chunked\r\n", false},
      {"Transfer-Encoding: chunked\r\nTransfer-Encoding: identity\r\n", false},
      {"Transfer-Encoding: chunked, chunked\r\n", false},
      {"Transfer-Encoding: chunked\r\nContent-Length: " + std::to_string(chunks.size()) + "\r\n", false},
      {"Content-Length: " + std::to_string(chunks.size()) + "\r\nTransfer-Encoding: identity\r\n", false},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fields);
    RawSite site("HTTP/1.1 200 OK\r\n" + c.fields + "Connection: close\r\n\r\n" + chunks);
    WriteFile(folder / "target", "old content");
    Fetch fetch;
    TransferResult result = fetch.Run(site.Base() + "/file.bin", folder / "target");
    if (c.ok) {
      EXPECT_TRUE(result.Ok()) << result.description;
      EXPECT_EQ(ReadFile(folder / "target"), "hello world");
    } else {
      EXPECT_EQ(result.outcome, TransferResult::Outcome::Failed);
      EXPECT_EQ(result.number, platform::kTransferProtocolError) << result.description;
      EXPECT_EQ(ReadFile(folder / "target"), "old content");
    }
    EXPECT_EQ(Entries(folder.Path()), std::vector<std::string>{"target"});
  }
}

TEST(HttpTransferTest, CancelStopsASlowBodyAndWritesNothing) {
  UpdateSite site;
  TempFolder folder;
  site.PutSlow("/slow.bin", Body(100000));
  Fetch fetch;
  ASSERT_TRUE(fetch.transfer.Start(site.Base() + "/slow.bin", folder / "target"));
  ASSERT_TRUE(SpinUntil([&] { return site.SlowStarted() && fetch.bytes > 0; }, 20000));
  EXPECT_TRUE(fetch.transfer.StillExecuting());
  fetch.transfer.Cancel();
  ASSERT_TRUE(fetch.result);
  EXPECT_EQ(fetch.result->outcome, TransferResult::Outcome::Cancelled);
  EXPECT_FALSE(fetch.transfer.StillExecuting());
  EXPECT_TRUE(Entries(folder.Path()).empty());
}

TEST(HttpTransferTest, HttpsDeliversOnlyFromATrustedCertificate) {
  TempFolder keys;
  testing_support::RunResult made = testing_support::RunProgram(
      "/usr/bin/openssl",
      {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", keys / "key.pem", "-out", keys / "cert.pem", "-days",
       "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"});
  ASSERT_EQ(made.exitCode, 0) << made.err;
  UpdateSite site(keys / "cert.pem", keys / "key.pem");
  std::string body = Body(100000);
  site.Put("/secure.bin", body);
  TempFolder folder;

  // Unknown to the system's authorities: refused, nothing written.
  Fetch untrusted;
  TransferResult refused = untrusted.Run(site.Base() + "/secure.bin", folder / "target");
  EXPECT_EQ(refused.number, platform::kTransferConnectError) << refused.description;
  EXPECT_FALSE(std::filesystem::exists(folder / "target"));

  // Trusted: the same transfer arrives whole.
  const QSslConfiguration system = QSslConfiguration::defaultConfiguration();
  QSslConfiguration trusting = system;
  trusting.addCaCertificates(QString::fromStdString(keys / "cert.pem"));
  QSslConfiguration::setDefaultConfiguration(trusting);
  Fetch trusted;
  TransferResult result = trusted.Run(site.Base() + "/secure.bin", folder / "target");
  QSslConfiguration::setDefaultConfiguration(system);
  EXPECT_TRUE(result.Ok()) << result.description;
  EXPECT_EQ(ReadFile(folder / "target"), body);
}

TEST(HttpTransferTest, OnlyHttpsOrThisComputerMayDeliverFiles) {
  struct Case {
    std::string url;
    bool allowed;
  } cases[] = {
      {"https://updates.example.org/fetchling/", true},
      {"http://127.0.0.1:8080/x", true},
      {"http://localhost/x", true},
      {"http://[::1]:99/x", true},
      {"http://127.5.0.1/x", true},
      {"http://updates.example.org/x", false},
      {"http://10.0.0.1/x", false},
      {"ftp://127.0.0.1/x", false},
      {"http://127.0.0.1.evil.example/x", false},
      {"not an address", false},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::IsSecureOrLoopback(c.url), c.allowed) << c.url;
}
