#include "platform/http_transfer.h"

#include "platform/file_system.h"
#include "platform/text.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QSaveFile>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <cctype>
#include <cstdlib>

namespace platform {

namespace {

constexpr size_t kHeadLimit = 64 * 1024;

bool IsLoopbackHost(const QString& host) {
  if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) return true;
  QHostAddress address;
  return address.setAddress(host) && address.isLoopback();
}

// The values of every field line of that name, in order.
std::vector<std::string> HeaderValues(const std::string& head, const std::string& name) {
  std::vector<std::string> values;
  for (const std::string& line : SplitLines(head)) {
    size_t colon = line.find(':');
    if (colon != std::string::npos && EqualsNoCase(Trim(line.substr(0, colon)), name))
      values.push_back(Trim(line.substr(colon + 1)));
  }
  return values;
}

std::string HeaderValue(const std::string& head, const std::string& name) {
  std::vector<std::string> values = HeaderValues(head, name);
  return values.empty() ? "" : values.front();
}

// The transfer codings of a response, lower case and in the order applied:
// repeated Transfer-Encoding lines form one list, as one line with commas
// would; empty elements are none, a coding's parameters are not looked at.
std::vector<std::string> TransferCodings(const std::string& head) {
  std::vector<std::string> codings;
  for (const std::string& value : HeaderValues(head, "Transfer-Encoding"))
    for (const std::string& element : SplitOn(value, ',')) {
      std::string coding = Trim(element.substr(0, element.find(';')));
      for (char& c : coding) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (!coding.empty()) codings.push_back(coding);
    }
  return codings;
}

}  // namespace

bool IsSecureOrLoopback(const std::string& url) {
  QUrl parsed(QString::fromStdString(url), QUrl::StrictMode);
  if (!parsed.isValid() || parsed.host().isEmpty()) return false;
  QString scheme = parsed.scheme().toLower();
  if (scheme == QLatin1String("https")) return true;
  return scheme == QLatin1String("http") && IsLoopbackHost(parsed.host());
}

bool HostResolves(const std::string& url) {
  QString host = QUrl(QString::fromStdString(url)).host();
  if (host.isEmpty()) return false;
  if (QHostAddress().setAddress(host)) return true;
  QEventLoop loop;
  bool found = false;
  QHostInfo::lookupHost(host, &loop, [&](const QHostInfo& info) {
    found = info.error() == QHostInfo::NoError && !info.addresses().isEmpty();
    loop.quit();
  });
  loop.exec();
  return found;
}

HttpTransfer::HttpTransfer(QObject* parent) : QObject(parent) {}

HttpTransfer::~HttpTransfer() {
  if (socket_) {
    socket_->disconnect(this);
    socket_->abort();
  }
}

bool HttpTransfer::Start(const std::string& url, const std::string& targetPath) {
  if (executing_) return false;
  executing_ = true;
  url_ = url;
  head_.clear();
  pending_.clear();
  headDone_ = false;
  status_ = 0;
  contentLength_.reset();
  chunked_ = false;
  chunkLeft_ = -1;
  chunkedDone_ = false;
  bodyBytes_ = 0;

  QUrl parsed(QString::fromStdString(url), QUrl::StrictMode);
  QString scheme = parsed.scheme().toLower();
  bool secure = scheme == QLatin1String("https");
  if (!parsed.isValid() || parsed.host().isEmpty() || (!secure && scheme != QLatin1String("http"))) {
    // Reported once the caller has returned, as every other outcome is.
    QTimer::singleShot(0, this, [this, url] { Fail(kTransferAddressError, "Not a web address: " + url); });
    return true;
  }
  if (!targetPath.empty()) {
    file_ = std::make_unique<QSaveFile>(QString::fromStdString(targetPath));
    if (!file_->open(QIODevice::WriteOnly)) {
      std::string why = file_->errorString().toStdString();
      QTimer::singleShot(
          0, this, [this, targetPath, why] { Fail(kTransferWriteError, "Cannot create " + targetPath + ": " + why); });
      return true;
    }
  }

  QString host = parsed.host();
  int port = parsed.port(secure ? 443 : 80);
  QString hostHeader = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
  if (parsed.port() != -1) hostHeader += QLatin1Char(':') + QString::number(port);
  QByteArray target = parsed.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
  if (target.isEmpty()) target = "/";
  request_ = "GET " + target.toStdString() + " HTTP/1.1\r\nHost: " + hostHeader.toStdString() +
             "\r\nUser-Agent: Freshline/5.1\r\nAccept-Encoding: identity\r\nConnection: close\r\n\r\n";

  if (secure) {
    auto ssl = std::make_unique<QSslSocket>();
    connect(ssl.get(), &QSslSocket::encrypted, this, &HttpTransfer::Connected);
    socket_ = std::move(ssl);
  } else {
    socket_ = std::make_unique<QTcpSocket>();
    connect(socket_.get(), &QTcpSocket::connected, this, &HttpTransfer::Connected);
  }
  socket_->setReadBufferSize(4 * kChunk);
  connect(socket_.get(), &QTcpSocket::readyRead, this, &HttpTransfer::ReadSome);
  connect(socket_.get(), &QTcpSocket::disconnected, this, &HttpTransfer::Closed);
  connect(socket_.get(), &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
    // The server closing the connection is how a response ends.
    if (error == QAbstractSocket::RemoteHostClosedError) return;
    Fail(kTransferConnectError, "Cannot reach " + url_ + ": " + socket_->errorString().toStdString());
  });
  if (secure)
    static_cast<QSslSocket*>(socket_.get())->connectToHostEncrypted(host, static_cast<quint16>(port));
  else
    socket_->connectToHost(host, static_cast<quint16>(port));
  return true;
}

void HttpTransfer::Connected() {
  if (socket_) socket_->write(request_.data(), static_cast<qint64>(request_.size()));
}

void HttpTransfer::ReadSome() {
  char buffer[kChunk];
  while (executing_ && socket_ && socket_->bytesAvailable() > 0) {
    qint64 got = socket_->read(buffer, kChunk);
    if (got <= 0) return;
    const char* data = buffer;
    if (!headDone_) {
      size_t before = head_.size();
      head_.append(buffer, static_cast<size_t>(got));
      size_t end = head_.find("\r\n\r\n");
      if (end == std::string::npos) {
        if (head_.size() > kHeadLimit) Fail(kTransferProtocolError, "The server's answer is not HTTP: " + url_);
        continue;
      }
      size_t bodyStart = end + 4;
      data = buffer + (bodyStart - before);
      got = static_cast<qint64>(head_.size() - bodyStart);
      head_.resize(end + 2);
      headDone_ = true;
      if (!ParseHead()) return;
    }
    if (got > 0 && !TakeBody(data, got)) return;
  }
}

bool HttpTransfer::ParseHead() {
  std::string statusLine = head_.substr(0, head_.find("\r\n"));
  std::vector<std::string> words = SplitOn(statusLine, ' ');
  auto code = words.size() >= 2 && words[0].rfind("HTTP/1.", 0) == 0 ? ParseWholeNumber(words[1]) : std::nullopt;
  if (!code || *code < 100 || *code > 999) {
    Fail(kTransferProtocolError, "The server's answer is not HTTP: " + url_);
    return false;
  }
  status_ = static_cast<int>(*code);
  if (status_ < 200 || status_ > 299) {
    // An error page is never the file that was asked for.
    Fail(status_, "The server answered " + Trim(statusLine.substr(statusLine.find(' ') + 1)) + " for " + url_);
    return false;
  }
  // Only what can be checked whole counts: a length and a coding together
  // leave the body's end in doubt, and a coding we cannot undo would be stored
  // as the file. Chunked is undone when applied last; identity changes nothing.
  std::string length = HeaderValue(head_, "Content-Length");
  const bool coded = !HeaderValues(head_, "Transfer-Encoding").empty();
  if (coded && !HeaderValues(head_, "Content-Length").empty()) {
    Fail(kTransferProtocolError, "The server's answer gives both a length and a transfer coding for " + url_);
    return false;
  }
  std::vector<std::string> codings = TransferCodings(head_);
  for (size_t i = 0; i < codings.size(); ++i) {
    bool known = codings[i] == "identity" || (codings[i] == "chunked" && i + 1 == codings.size());
    if (!known) {
      Fail(kTransferProtocolError,
           "The server sent " + url_ + " in a transfer coding that cannot be read: " + platform::Join(codings, ", "));
      return false;
    }
  }
  chunked_ = !codings.empty() && codings.back() == "chunked";
  if (!chunked_ && !length.empty()) {
    auto value = ParseWholeNumber(length);
    if (!value || *value < 0) {
      Fail(kTransferProtocolError, "The server announced no valid length for " + url_);
      return false;
    }
    contentLength_ = *value;
  }
  emit response(status_, contentLength_);
  return executing_;
}

bool HttpTransfer::TakeBody(const char* data, qint64 size) {
  if (!chunked_) {
    if (contentLength_ && bodyBytes_ + size > *contentLength_) {
      Fail(kTransferLengthError,
           "The server sent more than the " + std::to_string(*contentLength_) + " bytes it announced for " + url_);
      return false;
    }
    return Write(data, size);
  }
  pending_.append(data, static_cast<size_t>(size));
  return ReadChunked();
}

// Decodes as much of a chunked body as has arrived.
bool HttpTransfer::ReadChunked() {
  size_t at = 0;
  bool ok = true;
  while (ok && executing_ && !chunkedDone_) {
    if (chunkLeft_ == -1) {  // a size line
      size_t end = pending_.find("\r\n", at);
      if (end == std::string::npos) break;
      std::string line = pending_.substr(at, end - at);
      line = Trim(line.substr(0, line.find(';')));
      char* stop = nullptr;
      long long size = line.empty() ? -1 : std::strtoll(line.c_str(), &stop, 16);
      if (size < 0 || *stop != '\0') {
        Fail(kTransferProtocolError, "The server's chunked answer is damaged: " + url_);
        return false;
      }
      at = end + 2;
      if (size == 0)
        chunkedDone_ = true;
      else
        chunkLeft_ = size;
    } else if (chunkLeft_ > 0) {
      size_t take = std::min(static_cast<size_t>(chunkLeft_), pending_.size() - at);
      if (take == 0) break;
      ok = Write(pending_.data() + at, static_cast<qint64>(take));
      at += take;
      chunkLeft_ -= static_cast<long long>(take);
      if (chunkLeft_ == 0) chunkLeft_ = -2;
    } else {  // -2: the line end after a chunk's data
      if (pending_.size() - at < 2) break;
      if (pending_.compare(at, 2, "\r\n") != 0) {
        Fail(kTransferProtocolError, "The server's chunked answer is damaged: " + url_);
        return false;
      }
      at += 2;
      chunkLeft_ = -1;
    }
  }
  pending_.erase(0, at);
  return ok && executing_;
}

bool HttpTransfer::Write(const char* data, qint64 size) {
  if (file_ && file_->write(data, size) != size) {
    Fail(kTransferWriteError,
         "Cannot write " + file_->fileName().toStdString() + ": " + file_->errorString().toStdString());
    return false;
  }
  bodyBytes_ += size;
  emit bodyWritten(size);
  return executing_;
}

void HttpTransfer::Closed() {
  if (!executing_) return;
  ReadSome();  // what arrived before the close
  if (!executing_) return;
  if (!headDone_) return Fail(kTransferProtocolError, "The server closed the connection without an answer: " + url_);
  if (chunked_ && !chunkedDone_)
    return Fail(kTransferLengthError, "The transfer of " + url_ + " ended before the whole file arrived");
  if (contentLength_ && bodyBytes_ != *contentLength_)
    return Fail(kTransferLengthError, "The transfer of " + url_ + " ended after " + std::to_string(bodyBytes_) +
                                          " of " + std::to_string(*contentLength_) + " bytes");
  if (file_ && !file_->commit()) {
    std::string why = file_->errorString().toStdString();
    file_.reset();
    return Fail(kTransferWriteError, "Cannot write " + url_ + ": " + why);
  }
  file_.reset();
  Finish({});
}

void HttpTransfer::Cancel() {
  if (!executing_) return;
  Finish({TransferResult::Outcome::Cancelled, "The transfer was cancelled", kTransferCancelled});
}

void HttpTransfer::Fail(int number, const std::string& description) {
  if (!executing_) return;
  Finish({TransferResult::Outcome::Failed, description, number});
}

void HttpTransfer::Finish(TransferResult result) {
  executing_ = false;
  if (file_) {
    file_->cancelWriting();
    file_.reset();  // removes the temporary file; the target stays as it was
  }
  if (socket_) {
    // This may run inside one of the socket's own signals: let it go later.
    socket_->disconnect(this);
    socket_->abort();
    socket_.release()->deleteLater();
  }
  emit finished(result);
}

}  // namespace platform
