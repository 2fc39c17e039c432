#pragma once

// Sends a crash report file to the maker's server when the service file asks for reports
// ([INFO] CRINFO not 0); the file is deleted after the attempt, kept otherwise.
class CCrashUpload {
public:
    static void Send(const char* reportFile);
};
