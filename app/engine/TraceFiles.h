#pragma once

// Single files of other programs that a routine deletes or rewrites in place. A link in their
// place is never deleted nor written through (CPathGuard::IsLink): its target is someone else's.
namespace TraceFiles {

// The path names an existing file that is no link.
bool IsPlainFile(const char* path);

// DeleteFileA of a plain file; a link, a folder or a missing path is left alone.
void Delete(const char* path);

}  // namespace TraceFiles
