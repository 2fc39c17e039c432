#pragma once
// Iteration handle of the framework's collections: opaque and pointer-sized, null at the end.
struct FxPositionTag;
typedef FxPositionTag* POSITION;
