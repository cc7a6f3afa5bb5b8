#include "xml/file_url.h"

#include <memory>
#include <string_view>

#include <libxml/uri.h>
#include <libxml/xmlstring.h>

namespace kestrova {
namespace {

bool IsKeptInUrl(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/';
}

struct UriDeleter {
  void operator()(xmlURIPtr uri) const { xmlFreeURI(uri); }
};

}  // namespace

std::string FileUrlFromPath(const std::filesystem::path& absolutePath) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const char byte : absolutePath.generic_string()) {
    const auto c = static_cast<unsigned char>(byte);
    if (IsKeptInUrl(c)) {
      url.push_back(byte);
    } else {
      url.push_back('%');
      url.push_back(kHex[c >> 4]);
      url.push_back(kHex[c & 0x0F]);
    }
  }
  return url;
}

std::optional<std::filesystem::path> PathFromFileUrl(const char* url) {
  if (url == nullptr) {
    return std::nullopt;
  }
  const std::unique_ptr<xmlURI, UriDeleter> uri(xmlParseURI(url));
  if (!uri || uri->scheme == nullptr ||
      xmlStrcasecmp(reinterpret_cast<const xmlChar*>(uri->scheme),
                    reinterpret_cast<const xmlChar*>("file")) != 0 ||
      uri->path == nullptr || uri->path[0] != '/' || uri->opaque != nullptr) {
    return std::nullopt;
  }
  const std::string_view server = uri->server != nullptr ? uri->server : "";
  if (!server.empty() && server != "localhost") {
    return std::nullopt;
  }
  return std::filesystem::path(uri->path);
}

}  // namespace kestrova
