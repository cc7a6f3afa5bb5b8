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

  const std::filesystem::path& Folder() const { return m_folder; }
  void Refuse(std::u16string reason);

 private:
  std::filesystem::path m_folder;
  std::u16string m_refusal;
  MediumFolderScope* m_outer;
};

}  // namespace kestrova
