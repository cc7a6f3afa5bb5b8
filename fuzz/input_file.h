// The fuzz input as a file: the readers under test take paths, so every input is written to a
// file in a folder of this process below the temporary folder (TMPDIR).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrova::fuzz {

// The folder of this process (made on first use), as an engine path.
const std::u16string& InputFolder();

// Writes the bytes to the file of that name in InputFolder() and returns its path.
std::u16string WriteInputFile(const char* name, const std::uint8_t* data, std::size_t size);

// Removes InputFolder() with everything in it.
void RemoveInputFolder();

}  // namespace kestrova::fuzz
