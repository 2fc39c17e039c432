#pragma once
#ifdef SELKOR_BUILD
#define SELKOR_API __declspec(dllexport)
#else
#define SELKOR_API __declspec(dllimport)
#endif
