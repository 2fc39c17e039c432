#pragma once
// Export switch of the framework DLL: every module shares its heap and its window map.
#ifdef FRAMEWORK_BUILD
#define FX_API __declspec(dllexport)
#else
#define FX_API __declspec(dllimport)
#endif
