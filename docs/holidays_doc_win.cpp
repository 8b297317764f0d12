// Downloading a holiday table with WinINet. The server is asked twice: once for the status and
// the headers, then once more for the body, which is read up to its announced length and
// parsed exactly as it arrived.
//
// The download runs before the first paint, so it is bounded: every network step has its own
// time-out and the whole table a deadline, after which it counts as failed and the local copy
// stands in. A server that accepts and never answers, or trickles its body, cannot keep the
// calendar from appearing.
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "docs/holidays_doc.h"

namespace {

constexpr DWORD kHttpFlags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT;
constexpr DWORD kHttpsFlags = kHttpFlags | INTERNET_FLAG_SECURE |
                              INTERNET_FLAG_IGNORE_CERT_DATE_INVALID |
                              INTERNET_FLAG_IGNORE_CERT_CN_INVALID;
static_assert(kHttpFlags == 0x84200000, "request flags for HTTP");
static_assert(kHttpsFlags == 0x84A03000, "request flags for HTTPS");

constexpr int kInternetOpenFailed = -1;
constexpr int kConnectFailed = -2;
constexpr int kOpenRequestFailed = -3;
constexpr int kSendRequestFailed = -4;
constexpr int kStatusQueryFailed = -5;
constexpr int kContentLengthMissing = -6;
constexpr int kOpenUrlFailed = -8;
constexpr int kNotATable = -1001;

constexpr DWORD kHttpOk = 200;

// The largest body the calendar accepts. A holiday table of every Japanese holiday since 1948
// is under 10 KB, so 4 MB leaves room for any table anyone will write, while a server that
// announces gigabytes cannot make the calendar reserve them.
constexpr DWORD kMaxTableBytes = 4 * 1024 * 1024;

// Longest wait for one step: connecting, sending a request, or any one read.
constexpr DWORD kStepTimeoutMs = 5000;
// Longest time one table may take from the first request to the last byte: with the start-up
// around it, the calendar still appears within about 10 s whatever the server does.
constexpr ULONGLONG kTableDeadlineMs = 9000;

// The time left for one table's download.
class Deadline {
 public:
  explicit Deadline(ULONGLONG budgetMs) : end(GetTickCount64() + budgetMs) {}
  bool Passed() const { return GetTickCount64() >= end; }
  // The time-out for the next step: never past the deadline, never 0 (which means "no limit").
  DWORD StepTimeout() const {
    ULONGLONG now = GetTickCount64();
    ULONGLONG left = now < end ? end - now : 1;
    return static_cast<DWORD>(std::min<ULONGLONG>(left, kStepTimeoutMs));
  }

 private:
  ULONGLONG end;
};

// Sets the connect, send and receive time-outs of a connection handle; its requests take
// them over when they are opened.
void LimitWaits(HINTERNET connection, DWORD timeoutMs) {
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    InternetSetOptionA(connection, option, &timeoutMs, sizeof timeoutMs);
  }
}

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle = nullptr) : handle(handle) {}
  ~InternetHandle() { reset(); }
  void reset(HINTERNET replacement = nullptr) {
    if (handle) InternetCloseHandle(handle);
    handle = replacement;
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  explicit operator bool() const { return handle != nullptr; }
  operator HINTERNET() const { return handle; }

 private:
  HINTERNET handle;
};

struct CrackedUrl {
  INTERNET_SCHEME scheme = INTERNET_SCHEME_UNKNOWN;
  char host[64] = "";
  INTERNET_PORT port = 0;
  char path[128] = "";
};

// Splits an HTTP or HTTPS address; false for anything else, including a host or a path too
// long for its buffer.
bool CrackHttpUrl(const std::string& source, CrackedUrl& url) {
  // A file path never loads the internet library: only these two schemes can pass below.
  if (_strnicmp(source.c_str(), "http:", 5) != 0 && _strnicmp(source.c_str(), "https:", 6) != 0) {
    return false;
  }
  URL_COMPONENTSA parts = {};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = 1;
  parts.lpszHostName = url.host;
  parts.dwHostNameLength = sizeof url.host;
  parts.lpszUrlPath = url.path;
  parts.dwUrlPathLength = sizeof url.path;
  if (!InternetCrackUrlA(source.c_str(), 0, ICU_ESCAPE, &parts)) return false;
  url.scheme = parts.nScheme;
  url.port = parts.nPort;
  return url.scheme == INTERNET_SCHEME_HTTP || url.scheme == INTERNET_SCHEME_HTTPS;
}

// A status other than 200, negated, is the result; it can never read as success.
int StatusFailure(DWORD status) {
  return status >= 1 && status < 1000 ? -static_cast<int>(status) : -999;
}

bool QueryNumber(HINTERNET request, DWORD info, DWORD& value) {
  DWORD size = sizeof value;
  return HttpQueryInfoA(request, info | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr) != FALSE;
}

// One GET request on a connection of its own, sent with every wait limited to timeoutMs.
class HttpGet {
 public:
  HttpGet(HINTERNET internet, const CrackedUrl& url, DWORD flags, DWORD timeoutMs)
      : connection(InternetConnectA(internet, url.host, url.port, nullptr, nullptr,
                                    INTERNET_SERVICE_HTTP, 0, 0)) {
    if (!connection) {
      result = kConnectFailed;
      return;
    }
    LimitWaits(connection, timeoutMs);
    char object[128];
    std::snprintf(object, sizeof object, "%s", url.path);
    request.reset(HttpOpenRequestA(connection, "GET", object, nullptr, nullptr, nullptr, flags, 0));
    if (!request) {
      result = kOpenRequestFailed;
      return;
    }
    if (!HttpSendRequestA(request, nullptr, 0, nullptr, 0)) result = kSendRequestFailed;
  }

  // 0 once the request is sent and its headers have arrived, else the step that failed.
  int result = 0;
  InternetHandle connection;
  InternetHandle request;
};

struct Headers {
  int result = 0;
  DWORD status = 0;
  DWORD contentLength = 0;
};

// The first request: status and Content-Length, no body. Last-Modified is not asked for: many
// servers send none, and a table that arrives without it is as good as any other.
Headers RequestHeaders(HINTERNET internet, const CrackedUrl& url, DWORD flags) {
  Headers headers;
  HttpGet get(internet, url, flags, kStepTimeoutMs);
  if (get.result != 0) {
    headers.result = get.result;
    return headers;
  }
  if (!QueryNumber(get.request, HTTP_QUERY_STATUS_CODE, headers.status)) {
    headers.result = kStatusQueryFailed;
    return headers;
  }
  if (headers.status != kHttpOk) {
    headers.result = StatusFailure(headers.status);
    return headers;
  }
  if (!QueryNumber(get.request, HTTP_QUERY_CONTENT_LENGTH, headers.contentLength)) {
    headers.result = kContentLengthMissing;
    headers.contentLength = 0;
  }
  return headers;
}

// Reads up to length bytes; the body ends early when the server closes the connection. Each
// read takes only what has arrived, so the deadline is looked at whenever data comes in, however
// slowly, and each wait is cut to the time left (Wine keeps the connection's 5 s instead). A
// failed or timed-out read, or a passed deadline, is a failed download: false, and the loop
// never retries.
bool ReadBody(HINTERNET file, std::vector<char>& body, DWORD length, const Deadline& deadline) {
  body.resize(length);
  DWORD total = 0;
  while (total < length) {
    if (deadline.Passed()) return false;
    DWORD timeout = deadline.StepTimeout();
    InternetSetOptionA(file, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
    DWORD available = 0;
    if (!InternetQueryDataAvailable(file, &available, 0, 0)) return false;
    if (available == 0) break;
    DWORD got = 0;
    if (!InternetReadFile(file, body.data() + total, std::min(available, length - total), &got)) {
      return false;
    }
    if (got == 0) break;
    total += got;
  }
  body.resize(total);
  return true;
}

// The second request: the body itself, with the flags of the first, so the cache is bypassed,
// no redirect is followed and the certificate is judged alike for both. Its status is checked
// as well, so an error page sent in place of the table (a server busy between the two
// requests) is never taken for it.
int DownloadBody(HINTERNET internet, const CrackedUrl& url, DWORD flags, DWORD length,
                 std::vector<char>& body, const Deadline& deadline) {
  if (deadline.Passed()) return kOpenUrlFailed;
  HttpGet get(internet, url, flags, deadline.StepTimeout());
  if (get.result != 0) return kOpenUrlFailed;
  DWORD status = 0;
  if (!QueryNumber(get.request, HTTP_QUERY_STATUS_CODE, status)) return kStatusQueryFailed;
  if (status != kHttpOk) return StatusFailure(status);
  return ReadBody(get.request, body, length, deadline) ? 0 : kNotATable;
}

}  // namespace

int HolidaysDoc::Open(const std::string& source) {
  CrackedUrl url;
  if (!CrackHttpUrl(source, url)) return LoadFile(source);
  DWORD flags = url.scheme == INTERNET_SCHEME_HTTPS ? kHttpsFlags : kHttpFlags;
  document.reset();
  origin = HOLIDAYS_NONE;

  InternetHandle internet(
      InternetOpenA("WININET Zanto", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!internet) return kInternetOpenFailed;
  Deadline deadline(kTableDeadlineMs);
  Headers headers = RequestHeaders(internet, url, flags);
  if (headers.status != kHttpOk) return headers.result;
  if (headers.contentLength > kMaxTableBytes) return kNotATable;

  std::vector<char> body;
  int bodyResult = DownloadBody(internet, url, flags, headers.contentLength, body, deadline);
  if (bodyResult != 0) return bodyResult;
  document = std::make_unique<XMLDocument>();
  if (document->Parse(body.data(), body.size()) != tinyxml2::XML_SUCCESS) {
    document.reset();
    return kNotATable;
  }
  origin = HOLIDAYS_DOWNLOADED;
  return headers.result;
}
