#pragma once
#ifdef TOVRIN_BUILD
#define TOVRIN_API __declspec(dllexport)
#else
#define TOVRIN_API __declspec(dllimport)
#endif
