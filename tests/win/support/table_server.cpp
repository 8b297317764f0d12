#include "support/table_server.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "support/driver.h"
#include "support/wine_host.h"

namespace driver {

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool TableServer::Start(const std::string& servedFolder, bool tls) {
  folder_ = servedFolder;
  tls_ = tls;
  std::vector<std::string> args = {"python3", std::string(ZANTO_SOURCE_DIR) + "/tests/win/support/holiday_server.py",
                                   UnixPath(folder_)};
  if (tls) args.push_back("--tls");
  // Under Wine the server runs as a Linux process of its own.
  if (!RunLinux(args, false)) {
    error_ = "the server could not be started (no __wine_unix_spawnvp)";
    return false;
  }
  const std::string portFile = folder_ + "port";
  const std::string errorFile = folder_ + "tls-error";
  if (!WaitUntil([&] { return Exists(portFile) || Exists(errorFile); }, 30000, 50)) {
    error_ = "the server did not start within 30 s";
    return false;
  }
  if (Exists(errorFile)) {
    error_ = ReadText(errorFile);
    return false;
  }
  std::istringstream fields(ReadText(portFile));
  fields >> port_ >> closedPort_ >> untrustedPort_ >> thumbprint_;
  return port_ > 0;
}

void TableServer::Stop() {
  if (!port_) return;
  Serve("shutdown", "");
  port_ = 0;
  const std::string stopped = folder_ + "stopped";
  WaitUntil([&] { return Exists(stopped); }, 20000, 50);
}

std::string TableServer::Url(const std::string& path, bool untrusted) const {
  const int port = untrusted ? untrustedPort_ : port_;
  return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port) + path;
}

void TableServer::Serve(const std::string& name, const std::string& bytes) const {
  std::ofstream out(folder_ + name, std::ios::binary | std::ios::trunc);
  out << bytes;
}

int TableServer::RequestCount(const std::string& path) const {
  std::istringstream log(ReadText(folder_ + "requests.log"));
  int count = 0;
  for (std::string line; std::getline(log, line);) {
    if (line.compare(0, path.size() + 1, path + "\t") == 0) ++count;
  }
  return count;
}

std::vector<std::string> TableServer::TakeRequests() const {
  const std::string path = folder_ + "requests.log";
  std::istringstream log(ReadText(path));
  DeleteFileA(path.c_str());
  std::vector<std::string> lines;
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  return lines;
}

}  // namespace driver
