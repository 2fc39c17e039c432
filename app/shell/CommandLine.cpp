#include "CommandLine.h"

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

}  // namespace

// A byte scan is safe in code page 949: no trail byte is a quote or a blank.
const char* ArgumentsAfterProgramPath(const char* commandLine) {
    if (!commandLine)
        return "";
    const char* at = commandLine;
    if (*at == '"') {
        ++at;
        while (*at && *at != '"')
            ++at;
        if (*at == '"')
            ++at;
    } else {
        while (*at && !IsBlank(*at))
            ++at;
    }
    while (IsBlank(*at))
        ++at;
    return at;
}
