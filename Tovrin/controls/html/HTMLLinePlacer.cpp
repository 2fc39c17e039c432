#include "HTMLLinePlacer.h"

#include <algorithm>

CHTMLLinePlacer::CHTMLLinePlacer(std::vector<HTMLRun>& runs, const HTMLLayoutSettings& settings)
    : m_runs(runs),
      m_left(settings.client.left + settings.margin.x),
      m_top(settings.client.top + settings.margin.y),
      m_width(settings.client.Width() - settings.margin.x),
      m_lineGap(settings.lineHeightOffset + 2),
      m_lineStart(runs.size()) {}

void CHTMLLinePlacer::Add(HTMLRun run) {
    const CSize size = run.rect.Size();
    run.rect = CRect(CPoint(m_lineWidth, 0), size);
    m_lineWidth += size.cx;
    m_runs.push_back(run);
}

void CHTMLLinePlacer::Break(int emptyHeight, HTMLAlign align) {
    int height = IsAtLineStart() ? emptyHeight : 0;
    for (size_t i = m_lineStart; i < m_runs.size(); ++i)
        height = std::max<int>(height, m_runs[i].rect.Height());

    int shift = 0;
    if (align == HTMLAlign::kCenter)
        shift = (m_width - m_lineWidth) / 2;
    else if (align == HTMLAlign::kRight)
        shift = m_width - m_lineWidth - 1;
    const int lineTop = m_top + m_heightAbove + m_lineGap * m_lineIndex + 1;
    for (size_t i = m_lineStart; i < m_runs.size(); ++i) {
        HTMLRun& run = m_runs[i];
        run.rect.OffsetRect(m_left + shift, lineTop + height - run.rect.Height() + run.verticalOffset);
    }

    m_heightAbove += height;
    ++m_lineIndex;
    m_lineStart = m_runs.size();
    m_lineWidth = 0;
}
