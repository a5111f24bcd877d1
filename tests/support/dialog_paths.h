// The build hands the tests Unix paths (the module, the art directory); the
// Windows side reaches them through drive Z:, which maps the Unix root.
#pragma once

#include <string>

inline std::string WindowsPathOfUnixPath(const std::string& unixPath) {
  std::string path = unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return !unixPath.empty() && unixPath[0] == '/' ? "Z:" + path : path;
}
