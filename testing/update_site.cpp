#include "testing/update_site.h"

#include <chrono>
#include <httplib.h>

namespace testing_support {

UpdateSite::UpdateSite() : server_(std::make_unique<httplib::Server>()) { Serve(); }

UpdateSite::UpdateSite(const std::string& certFile, const std::string& keyFile)
    : server_(std::make_unique<httplib::SSLServer>(certFile.c_str(), keyFile.c_str())), secure_(true) {
  Serve();
}

void UpdateSite::Serve() {
  // Logged as the request arrives, before its answer is sent.
  server_->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
    Log(request.path);
    return httplib::Server::HandlerResponse::Unhandled;
  });
  port_ = server_->bind_to_any_port("127.0.0.1");
  // Bound already: connections wait in the backlog until the loop accepts them.
  thread_ = std::thread([this] { server_->listen_after_bind(); });
}

UpdateSite::~UpdateSite() {
  released_ = true;
  server_->stop();
  thread_.join();
}

std::string UpdateSite::Base() const {
  return (secure_ ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(port_);
}

void UpdateSite::Log(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  requests_.push_back(path);
}

std::vector<std::string> UpdateSite::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void UpdateSite::Put(const std::string& path, const std::string& body) {
  server_->Get(path, [body](const httplib::Request&, httplib::Response& response) {
    response.set_content(body, "application/octet-stream");
  });
}

void UpdateSite::PutTruncated(const std::string& path, const std::string& body, size_t announced) {
  server_->Get(path, [body, announced](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(announced, "application/octet-stream",
                                  [body](size_t offset, size_t, httplib::DataSink& sink) {
                                    if (offset < body.size()) sink.write(body.data() + offset, body.size() - offset);
                                    return offset < body.size();  // false: the connection is dropped
                                  });
  });
}

void UpdateSite::PutLonger(const std::string& path, const std::string& body, size_t announced) {
  server_->Get(path, [body, announced](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(announced, "application/octet-stream",
                                  [body](size_t, size_t, httplib::DataSink& sink) {
                                    sink.write(body.data(), body.size());
                                    return true;
                                  });
  });
}

void UpdateSite::PutSlow(const std::string& path, const std::string& body) {
  server_->Get(path, [this, body](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(body.size(), "application/octet-stream",
                                  [this, body](size_t offset, size_t, httplib::DataSink& sink) {
                                    if (offset == 0) {
                                      sink.write(body.data(), body.size() / 2);
                                      return true;
                                    }
                                    slowStarted_ = true;
                                    while (!released_ && sink.is_writable())
                                      std::this_thread::sleep_for(std::chrono::milliseconds(5));
                                    if (released_) sink.write(body.data() + offset, body.size() - offset);
                                    return true;
                                  });
  });
}

void UpdateSite::PutGenerated(const std::string& path, size_t size) {
  server_->Get(path, [size](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(size, "application/octet-stream",
                                  [size](size_t offset, size_t, httplib::DataSink& sink) {
                                    static const std::string block = [] {
                                      std::string b(256 * 1024, '\0');
                                      for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<char>(i * 131);
                                      return b;
                                    }();
                                    return sink.write(block.data(), std::min(block.size(), size - offset));
                                  });
  });
}

void UpdateSite::Release() { released_ = true; }

void UpdateSite::PutChunked(const std::string& path, const std::string& body, size_t piece) {
  server_->Get(path, [body, piece](const httplib::Request&, httplib::Response& response) {
    response.set_chunked_content_provider("application/octet-stream",
                                          [body, piece](size_t offset, httplib::DataSink& sink) {
                                            if (offset >= body.size()) {
                                              sink.done();
                                              return true;
                                            }
                                            sink.write(body.data() + offset, std::min(piece, body.size() - offset));
                                            return true;
                                          });
  });
}

}  // namespace testing_support
