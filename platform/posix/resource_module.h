// Resources linked into a POSIX program. On Windows the resource compiler puts a program's resources into its
// image; here cmake/BitmapResources.cmake generates a source file per resource module that holds the bytes
// and registers them with RegisterResourceModule. FindResourceA, LoadResource, LockResource and SizeofResource
// then work over the registered modules.
#pragma once

#include <cstddef>

#include "platform/win32.h"

namespace posix {

struct ResourceEntry {
  WORD type;  // RT_BITMAP's number, 2, for bitmaps
  WORD id;
  const BYTE* data;
  DWORD size;
};

struct ResourceModule {
  const char* name;
  const ResourceEntry* entries;
  std::size_t entryCount;
};

// Makes `module` known to the resource calls and returns its handle. `module` must outlive the program's use of
// it (the generated modules are static). Registering the same module again returns the same handle.
HMODULE RegisterResourceModule(const ResourceModule& module);

}  // namespace posix
