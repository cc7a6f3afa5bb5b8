// Parsing an XML file of a medium with validation against the DTD that its document type
// declaration names.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "xml/xml_document.h"

namespace kestrova {

struct ValidatingLoadResult {
  enum class Status {
    kLoaded,
    kRejected,      // not well-formed, not valid, or a file it needs refused or missing
    kLibraryError,  // the parser could not be set up
  };
  Status status = Status::kRejected;
  std::shared_ptr<XmlDocument> document;  // set when loaded
  // Why the file was rejected, or what failed in the library: one line, no line breaks.
  std::u16string reason;
};

// Loads the file (an existing regular file inside mediumFolder). The DTD and any external entity
// are read only from mediumFolder and below (see MediumFolderScope); nothing else is read.
// Entities are expanded within libxml2's default limits on expansion and nesting depth.
// A document without a document type declaration loads unvalidated.
ValidatingLoadResult LoadValidatedDocument(const std::filesystem::path& file,
                                           const std::filesystem::path& mediumFolder);

}  // namespace kestrova
