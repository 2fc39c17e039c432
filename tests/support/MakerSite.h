#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

// The loopback maker's server that the test command starts (scripts/maker-server.sh): the files
// it serves and the requests it logged. Paths are relative to the site, with "/" or "\".
namespace MakerSite {

// False (and every test that needs the server should skip) when no server was started.
bool IsRunning();
// "http://127.0.0.1:PORT"
std::string BaseUrl();
std::string SitePath(const std::string& relative);
// Writes a file the server then serves (creating its folders). Text pages may hold {{base}} and
// {{sha256:PATH}}, which the server fills in.
bool Put(const std::string& relative, const std::string& bytes);
bool Copy(const std::string& relative, const char* localFile);
void Remove(const std::string& relative);

struct Request {
    std::string method;
    std::string path;  // decoded, without the query
    std::map<std::string, std::string> query;  // decoded from CP949 by the server
};
std::vector<Request> Requests();
// Only the requests whose path is path.
std::vector<Request> RequestsFor(const std::string& path);
void ClearRequests();

// Closes the server's port for ms milliseconds, so that connections are refused meanwhile.
bool GoOffline(DWORD ms);

}  // namespace MakerSite
