#include "MakerSite.h"

#include <wininet.h>

#include <sstream>

#include "FileProbe.h"

namespace {

std::string Environment(const char* name) {
    char value[512];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string ServerFolder() { return Environment("VANTREL_SERVER_SITE"); }

std::string LogPath() { return ServerFolder() + "\\requests.log"; }

void MakeFoldersFor(const std::string& path) {
    for (size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char next = text[++i];
        out += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    return out;
}

MakerSite::Request ParseLine(const std::string& line) {
    MakerSite::Request request;
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');)
        fields.push_back(field);
    if (fields.empty())
        return request;
    size_t space = fields[0].find(' ');
    request.method = fields[0].substr(0, space);
    request.path = space == std::string::npos ? "" : fields[0].substr(space + 1);
    for (size_t i = 1; i < fields.size(); ++i) {
        size_t equals = fields[i].find('=');
        request.query[Unescape(fields[i].substr(0, equals))] =
            equals == std::string::npos ? "" : Unescape(fields[i].substr(equals + 1));
    }
    return request;
}

}  // namespace

namespace MakerSite {

bool IsRunning() { return !BaseUrl().empty() && !ServerFolder().empty(); }

std::string BaseUrl() { return Environment("VANTREL_SERVER"); }

std::string SitePath(const std::string& relative) {
    std::string path = ServerFolder() + "\\site\\" + relative;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

bool Put(const std::string& relative, const std::string& bytes) {
    std::string path = SitePath(relative);
    MakeFoldersFor(path);
    return FileProbe::WriteBytes(path.c_str(), bytes);
}

bool Copy(const std::string& relative, const char* localFile) {
    std::string path = SitePath(relative);
    MakeFoldersFor(path);
    return CopyFileA(localFile, path.c_str(), FALSE) != FALSE;
}

void Remove(const std::string& relative) { DeleteFileA(SitePath(relative).c_str()); }

std::vector<Request> Requests() {
    std::vector<Request> requests;
    std::string log = FileProbe::ReadBytes(LogPath().c_str());
    if (log == "<missing>")
        return requests;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            requests.push_back(ParseLine(line));
    }
    return requests;
}

std::vector<Request> RequestsFor(const std::string& path) {
    std::vector<Request> matching;
    for (const Request& request : Requests())
        if (request.path == path)
            matching.push_back(request);
    return matching;
}

void ClearRequests() { FileProbe::WriteBytes(LogPath().c_str(), ""); }

bool GoOffline(DWORD ms) {
    HINTERNET session = InternetOpenA("MakerSiteTest", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!session)
        return false;
    std::string url = BaseUrl() + "/__control/offline?ms=" + std::to_string(ms);
    HINTERNET request = InternetOpenUrlA(session, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    bool answered = request != nullptr;
    if (request) {
        char body[64];
        DWORD read = 0;
        InternetReadFile(request, body, sizeof body, &read);
        InternetCloseHandle(request);
    }
    InternetCloseHandle(session);
    // The port closes just after the answer; wait until it refuses.
    Sleep(300);
    return answered;
}

}  // namespace MakerSite
