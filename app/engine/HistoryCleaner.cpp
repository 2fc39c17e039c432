#include "HistoryCleaner.h"

#include <cstring>
#include <memory>

#include "Mbcs.h"
#include "RunProgress.h"

namespace {

// A finding holds at most this many characters; longer ones are cut.
const int kFindingMaxChars = 1023;

void AppendBounded(CString& text, const char* part) {
    if (part)
        text += CString(part, static_cast<int>(strnlen(part, kFindingMaxChars + 1)));
}

// Cuts at a character boundary, so no lone lead byte is left at the end.
CString CutFinding(const CString& text) {
    if (text.GetLength() <= kFindingMaxChars)
        return text;
    int length = 0;
    while (length < kFindingMaxChars) {
        int step = Mbcs::CharLength(text.GetString() + length);
        if (step == 0 || length + step > kFindingMaxChars)
            break;
        length += step;
    }
    return text.Left(length);
}

}  // namespace

CHistoryCleaner::CHistoryCleaner(HWND notifyWindow, HANDLE stopEvent, int logoutFlag)
    : m_notifyWindow(notifyWindow), m_stopEvent(stopEvent), m_logoutFlag(logoutFlag) {}

bool CHistoryCleaner::IsStopRequested() const {
    return m_stopEvent && WaitForSingleObject(m_stopEvent, 0) == WAIT_OBJECT_0;
}

void CHistoryCleaner::AddFinding(const char* category, const char* entry, const char* keyPath) {
    // Each part is read no further than the cut, however long the caller's text is.
    CString joined;
    AppendBounded(joined, category);
    joined += '\t';
    AppendBounded(joined, entry);
    joined += '\t';
    AppendBounded(joined, keyPath);
    CString finding = CutFinding(joined);
    m_findings.Add(finding);

    if (!m_notifyWindow || IsStopRequested())
        return;
    std::unique_ptr<char[]> text(new char[finding.GetLength() + 1]);
    memcpy(text.get(), finding.GetString(), finding.GetLength() + 1);
    // The receiver deletes a posted text; one that was not posted is ours to free.
    if (PostMessageA(m_notifyWindow, WM_RUN_PROGRESS, kProgressRegistryFinding, reinterpret_cast<LPARAM>(text.get())))
        text.release();
}
