// The Python holiday-table server (support/holiday_server.py) as a Windows test starts it: a
// Linux process beside Wine, serving the files of one folder over HTTP, or over HTTPS with a
// test certificate authority it installs into the system trust store for its lifetime.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

class TableServer {
 public:
  TableServer() = default;
  ~TableServer() { Stop(); }
  TableServer(const TableServer&) = delete;
  TableServer& operator=(const TableServer&) = delete;

  // Starts the server on folder (a Windows path ending with a backslash) and waits until it
  // listens. False on failure; error() then says why.
  bool Start(const std::string& servedFolder, bool tls = false);
  // Asks the server to end and waits until it has (with TLS: until the test authority has
  // left the system trust store again).
  void Stop();

  // Address of path on the server; untrusted: on the port whose certificate nobody trusts.
  std::string Url(const std::string& path, bool untrusted = false) const;
  // Puts a file on the server.
  void Serve(const std::string& name, const std::string& bytes) const;
  // How many requests for path the server has received so far.
  int RequestCount(const std::string& path) const;
  // Requests received since the last call, as "path<TAB>user agent" lines; the log starts
  // afresh.
  std::vector<std::string> TakeRequests() const;

  const std::string& folder() const { return folder_; }
  const std::string& error() const { return error_; }
  int port() const { return port_; }
  int closedPort() const { return closedPort_; }
  // SHA-1 thumbprint of the trusted test authority (TLS only), upper-case hex.
  const std::string& authorityThumbprint() const { return thumbprint_; }

 private:
  std::string folder_;
  std::string error_;
  bool tls_ = false;
  int port_ = 0;
  int closedPort_ = 0;
  int untrustedPort_ = 0;
  std::string thumbprint_;
};

}  // namespace driver
