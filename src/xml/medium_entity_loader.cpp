#include "xml/medium_entity_loader.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <system_error>

#include <libxml/parserInternals.h>
#include <libxml/xmlIO.h>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "xml/file_url.h"

namespace kestrova {
namespace {

thread_local MediumFolderScope* t_scope = nullptr;
xmlExternalEntityLoader g_libraryLoader = nullptr;

std::u16string Quoted(const std::u16string& name) { return u"『" + name + u"』"; }

// A file given to the parser, and where a NUL byte read from it is noted (the document's own
// file only).
struct InputFile {
  std::FILE* stream;
  bool* nulSeen;
};

int ReadFile(void* context, char* buffer, int length) {
  auto* input = static_cast<InputFile*>(context);
  const size_t got = std::fread(buffer, 1, static_cast<size_t>(length), input->stream);
  if (input->nulSeen != nullptr && std::memchr(buffer, 0, got) != nullptr) *input->nulSeen = true;
  return got == 0 && std::ferror(input->stream) ? -1 : static_cast<int>(got);
}

int CloseFile(void* context) {
  auto* input = static_cast<InputFile*>(context);
  const int result = std::fclose(input->stream) == 0 ? 0 : -1;
  delete input;
  return result;
}

xmlParserInputPtr OpenInput(const std::filesystem::path& file, bool* nulSeen,
                            xmlParserCtxtPtr context) {
  std::FILE* stream = std::fopen(file.c_str(), "rb");
  if (stream == nullptr) {
    return nullptr;
  }
  auto* opened = new InputFile{stream, nulSeen};
  xmlParserInputBufferPtr buffer =
      xmlParserInputBufferCreateIO(&ReadFile, &CloseFile, opened, XML_CHAR_ENCODING_NONE);
  if (buffer == nullptr) {
    CloseFile(opened);
    return nullptr;
  }
  xmlParserInputPtr input = xmlNewIOInputStream(context, buffer, XML_CHAR_ENCODING_NONE);
  if (input == nullptr) {
    xmlFreeParserInputBuffer(buffer);
    return nullptr;
  }
  // The input's name is the base that names inside it are resolved against.
  input->filename = reinterpret_cast<char*>(
      xmlStrdup(reinterpret_cast<const xmlChar*>(FileUrlFromPath(file).c_str())));
  return input;
}

xmlParserInputPtr LoadFromMedium(MediumFolderScope& scope, const char* url,
                                 xmlParserCtxtPtr context) {
  const std::u16string shownUrl = Utf8ToUtf16(url != nullptr ? url : "");
  const auto path = PathFromFileUrl(url);
  if (!path) {
    scope.Refuse(url == nullptr ? std::u16string(u"外部ファイルの名前を解釈できません。")
                                : u"外部ファイル" + Quoted(shownUrl) +
                                      u"はローカルのファイルではないため読み込みません。");
    return nullptr;
  }
  const std::filesystem::path wanted = path->lexically_normal();
  if (!LiesInsideFolder(wanted, scope.Folder())) {
    scope.Refuse(u"外部ファイル" + Quoted(FromFsPath(wanted)) +
                 u"は媒体のフォルダーの外にあるため読み込みません。");
    return nullptr;
  }
  const std::u16string shownName = FromFsPath(wanted.lexically_relative(scope.Folder()));
  const auto found = ResolvePathIgnoringCase(wanted);
  const auto real = found ? RealPath(*found) : std::nullopt;
  if (!real || !IsRegularFile(*real)) {
    scope.Refuse(u"外部ファイル" + Quoted(shownName) + u"が見つかりません。");
    return nullptr;
  }
  // A link may lead out of the folder although its name lies inside.
  if (!LiesInsideFolder(*real, scope.Folder())) {
    scope.Refuse(u"外部ファイル" + Quoted(shownName) +
                 u"は媒体のフォルダーの外にあるため読み込みません。");
    return nullptr;
  }
  xmlParserInputPtr input = OpenInput(*real, scope.DocumentNulFlag(), context);
  if (input == nullptr) {
    scope.Refuse(u"外部ファイル" + Quoted(shownName) + u"を読み込めません。");
  }
  return input;
}

xmlParserInputPtr LoadEntity(const char* url, const char* id, xmlParserCtxtPtr context) {
  if (t_scope == nullptr) {
    return g_libraryLoader(url, id, context);
  }
  return LoadFromMedium(*t_scope, url, context);
}

}  // namespace

MediumFolderScope::MediumFolderScope(const std::filesystem::path& mediumFolder) : m_outer(t_scope) {
  static std::once_flag once;
  std::call_once(once, [] {
    g_libraryLoader = xmlGetExternalEntityLoader();
    xmlSetExternalEntityLoader(&LoadEntity);
  });
  std::error_code error;
  m_folder = std::filesystem::weakly_canonical(std::filesystem::absolute(mediumFolder), error);
  if (error) {
    m_folder = std::filesystem::absolute(mediumFolder).lexically_normal();
  }
  if (!m_folder.has_filename() && m_folder.has_parent_path()) {
    m_folder = m_folder.parent_path();
  }
  t_scope = this;
}

MediumFolderScope::~MediumFolderScope() { t_scope = m_outer; }

bool* MediumFolderScope::DocumentNulFlag() {
  if (m_documentOpened) return nullptr;
  m_documentOpened = true;
  return &m_nulInDocument;
}

void MediumFolderScope::Refuse(std::u16string reason) {
  if (m_refusal.empty()) {
    m_refusal = std::move(reason);
  }
}

}  // namespace kestrova
