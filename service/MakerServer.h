#pragma once
#include "Framework.h"
#include "SelkorApi.h"

// The maker's web server. Its address is the one constant in MakerServer.cpp; the environment
// variable VANTREL_SERVER (an address such as "http://127.0.0.1:8080") points a test or a demo
// at a loopback server instead. Its base address is also the maker's home page.
class SELKOR_API CMakerServer {
public:
    // The base address without a trailing "/".
    static CString BaseUrl();
    // The base address followed by path, which begins with "/".
    static CString Address(const char* path);
};
