#pragma once
#include "SelkorApi.h"

// A request whose only purpose is to reach the maker's server (the usage log, a crash report):
// the answer is not read and every failure is swallowed.
class SELKOR_API CServiceRequest {
public:
    static void Touch(const char* url);
};
