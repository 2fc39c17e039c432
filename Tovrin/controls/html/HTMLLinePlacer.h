#pragma once
#include <vector>

#include "HTMLLayout.h"

enum class HTMLAlign { kLeft, kCenter, kRight };

// Collects runs into the current line and, when the line is closed, moves them to their place:
// aligned in the width left of the margin, on the bottom of the line.
class CHTMLLinePlacer {
public:
    CHTMLLinePlacer(std::vector<HTMLRun>& runs, const HTMLLayoutSettings& settings);

    bool IsAtLineStart() const { return m_runs.size() == m_lineStart; }
    int RoomLeft() const { return m_width - m_lineWidth; }
    // run.rect only needs the run's size.
    void Add(HTMLRun run);
    // Closes the current line; a line without runs is emptyHeight tall.
    void Break(int emptyHeight, HTMLAlign align);

private:
    std::vector<HTMLRun>& m_runs;
    const int m_left;
    const int m_top;
    const int m_width;
    const int m_lineGap;
    size_t m_lineStart = 0;
    int m_lineWidth = 0;
    int m_lineIndex = 0;
    int m_heightAbove = 0;
};
