// FindResourceA, LoadResource, LockResource and SizeofResource over the resource modules registered by the
// generated resource sources, and GetModuleHandleA for the program itself.
//
// A module handle is the address of its ResourceModule; a resource handle (HRSRC) is the address of its
// ResourceEntry; the loaded resource (HGLOBAL) is the address of its bytes. Each is looked up among the
// registered modules before it is used, so handles that were never made give null or 0, not a crash.
//
// GetModuleHandleA(nullptr) returns a handle of its own that stands for the program: the resource calls treat
// it (and a null module, as Windows does) as the one resource module the program links. A program that links
// none or several has no such module, and finding a resource through the program's handle then fails.
#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/posix/resource_module.h"

using posix::ResourceEntry;
using posix::ResourceModule;

namespace {

struct ModuleRegistry {
  std::mutex mutex;
  std::vector<const ResourceModule*> modules;
};

ModuleRegistry& Registry() {
  static ModuleRegistry registry;
  return registry;
}

// The program's own module handle: the address of this object, which no resource module can have.
const char kProgramModule = 0;

HMODULE ProgramModuleHandle() {
  return reinterpret_cast<HMODULE>(const_cast<char*>(&kProgramModule));
}

HMODULE HandleOf(const ResourceModule* module) {
  return reinterpret_cast<HMODULE>(const_cast<ResourceModule*>(module));
}

// The registered module that `handle` names, with the program's handle (or null, which means the program on
// Windows too) standing for the only one there is. Null for anything else. The caller holds the registry's lock.
const ResourceModule* ResolveModule(const ModuleRegistry& registry, HMODULE handle) {
  if (handle == nullptr || handle == ProgramModuleHandle()) {
    return registry.modules.size() == 1 ? registry.modules.front() : nullptr;
  }
  for (const ResourceModule* module : registry.modules) {
    if (HandleOf(module) == handle) {
      return module;
    }
  }
  return nullptr;
}

// The entry of `module` that `resource` names, or null. The caller holds the registry's lock.
const ResourceEntry* ResolveEntry(const ModuleRegistry& registry, HMODULE module, HRSRC resource) {
  const ResourceModule* owner = ResolveModule(registry, module);
  if (owner == nullptr || resource == nullptr) {
    return nullptr;
  }
  for (std::size_t i = 0; i < owner->entryCount; ++i) {
    const ResourceEntry* entry = &owner->entries[i];
    if (reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(entry)) == resource) {
      return entry;
    }
  }
  return nullptr;
}

// The number that a resource name or type stands for: MAKEINTRESOURCEA's, or a string "#" and a decimal number
// up to 65535, as Windows reads it. False for any other string: a POSIX program has only numbered resources.
bool ResourceNumber(LPCSTR nameOrType, WORD& number) {
  if (nameOrType == nullptr) {
    return false;
  }
  if (IS_INTRESOURCE(nameOrType)) {
    number = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(nameOrType));
    return true;
  }
  if (nameOrType[0] != '#' || nameOrType[1] == '\0') {
    return false;
  }
  unsigned long value = 0;
  for (const char* digit = nameOrType + 1; *digit != '\0'; ++digit) {
    if (*digit < '0' || *digit > '9') {
      return false;
    }
    value = value * 10 + static_cast<unsigned long>(*digit - '0');
    if (value > 0xFFFF) {
      return false;
    }
  }
  number = static_cast<WORD>(value);
  return true;
}

}  // namespace

namespace posix {

HMODULE RegisterResourceModule(const ResourceModule& module) {
  ModuleRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  if (std::find(registry.modules.begin(), registry.modules.end(), &module) == registry.modules.end()) {
    registry.modules.push_back(&module);
  }
  return HandleOf(&module);
}

}  // namespace posix

// The program's module for a null name; null for any other name, since a POSIX program loads no Windows DLLs.
HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
  return moduleName == nullptr ? ProgramModuleHandle() : nullptr;
}

// Resources are found by number only (MAKEINTRESOURCEA or "#number"), and so are their types: any other string
// name or type finds nothing, as does a module handle that names no registered module.
HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  WORD id = 0;
  WORD typeId = 0;
  if (!ResourceNumber(name, id) || !ResourceNumber(type, typeId)) {
    return nullptr;
  }

  ModuleRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  const ResourceModule* owner = ResolveModule(registry, module);
  if (owner == nullptr) {
    return nullptr;
  }
  for (std::size_t i = 0; i < owner->entryCount; ++i) {
    const ResourceEntry& entry = owner->entries[i];
    if (entry.id == id && entry.type == typeId) {
      return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(&entry));
    }
  }
  return nullptr;
}

// The resource's bytes, which lie in the program's read-only data and need no loading.
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
  ModuleRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  const ResourceEntry* entry = ResolveEntry(registry, module, resource);
  return entry == nullptr ? nullptr : const_cast<BYTE*>(entry->data);
}

// What LoadResource returned is already the address of the bytes; anything else gives null.
LPVOID WINAPI LockResource(HGLOBAL resourceData) {
  ModuleRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  for (const ResourceModule* module : registry.modules) {
    for (std::size_t i = 0; i < module->entryCount; ++i) {
      if (module->entries[i].data == resourceData) {
        return resourceData;
      }
    }
  }
  return nullptr;
}

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
  ModuleRegistry& registry = Registry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  const ResourceEntry* entry = ResolveEntry(registry, module, resource);
  return entry == nullptr ? 0 : entry->size;
}
