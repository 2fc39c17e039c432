#pragma once
#include <string>
#include <vector>

#include "history/RegFileReader.h"

// Whether a backup file's entries are back in the registry, read through the wide calls.
namespace RestoreCheck {

// "HKCU\..." and the other short root names the registry checks write into their findings, as
// the full names of the file's key headers; other text unchanged.
std::wstring FullKeyName(const std::wstring& findingPath);

// What a finding's key path stands for in the file: a key found as a whole (the key itself and
// every key below it) or one value (its key's path, a backslash and its name; the default value
// by the key's path alone). True when all of it is in the registry with the file's types and
// bytes; false when anything differs or is missing, or when the path stands for nothing in the
// file.
bool IsRestored(const std::vector<RegFileReader::Key>& keys, const std::wstring& findingPath);

}  // namespace RestoreCheck
