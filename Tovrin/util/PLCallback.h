#pragma once

// Receives the progress of a long operation such as CUtilityLib::DownloadURL. Called on the
// thread that runs the operation; text is never null (it is empty when there is nothing to say).
class CPLCallback {
public:
    virtual ~CPLCallback() = default;
    virtual void OnProgress(int percent, const char* text) = 0;
};
