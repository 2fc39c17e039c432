#pragma once

// Arrays made with new[] and not yet deleted by code linked into this program (the engine and
// the tests; not the framework or Tovrin DLLs). Compare two readings on one thread.
long LiveArrayAllocations();
