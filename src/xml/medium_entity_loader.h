// The only way libxml2 reads files while a document of a medium is loaded: the document, its
// DTD and any external entity must be local files inside the medium folder. URLs of other
// schemes, catalogs and files elsewhere are refused, so that loading a medium never reaches the
// network or another part of the file system.
#pragma once

#include <filesystem>
#include <string>

namespace kestrova {

// While an object lives, every file libxml2 asks for on this thread goes through the medium
// loader with this folder as the limit. Names are resolved ignoring letter case, as on the
// media. Scopes nest; a thread without a scope gets libxml2's own loader.
class MediumFolderScope {
 public:
  explicit MediumFolderScope(const std::filesystem::path& mediumFolder);
  ~MediumFolderScope();
  MediumFolderScope(const MediumFolderScope&) = delete;
  MediumFolderScope& operator=(const MediumFolderScope&) = delete;

  // Why the first file that could not be given to the parser was refused or not found, as one
  // line; empty when every file asked for was read.
  const std::u16string& RefusalReason() const { return m_refusal; }

  // True when the document's own file (the first file read in the scope) holds a NUL byte,
  // which no document in an encoding of the media may hold: the parser takes one for the end
  // of its input and would not look at what follows.
  bool NulInDocument() const { return m_nulInDocument; }

  const std::filesystem::path& Folder() const { return m_folder; }
  void Refuse(std::u16string reason);
  // Where the reads of the file being opened note a NUL byte: the document's flag for the
  // first file of the scope, none for the DTD and entities that follow.
  bool* DocumentNulFlag();

 private:
  std::filesystem::path m_folder;
  std::u16string m_refusal;
  MediumFolderScope* m_outer;
  bool m_documentOpened = false;
  bool m_nulInDocument = false;
};

}  // namespace kestrova
