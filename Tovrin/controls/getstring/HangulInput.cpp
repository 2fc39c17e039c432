#include "HangulInput.h"

HangulInput::~HangulInput() { Release(); }

void HangulInput::Apply(HWND window) {
    if (window != m_window)
        Release();
    m_window = window;
    HIMC context = ::ImmGetContext(window);
    const bool borrowed = context != nullptr;
    if (!context && !m_ownContext) {
        m_ownContext = ::ImmCreateContext();
        if (m_ownContext)
            ::ImmAssociateContext(window, m_ownContext);
    }
    if (!context)
        context = m_ownContext;
    if (!context)
        return;
    DWORD conversion = 0;
    DWORD sentence = 0;
    ::ImmGetConversionStatus(context, &conversion, &sentence);
    ::ImmSetOpenStatus(context, TRUE);
    ::ImmSetConversionStatus(context, conversion | IME_CMODE_HANGUL, sentence);
    if (borrowed)
        ::ImmReleaseContext(window, context);
}

void HangulInput::Release() {
    if (m_ownContext) {
        if (m_window && ::IsWindow(m_window))
            ::ImmAssociateContext(m_window, nullptr);
        ::ImmDestroyContext(m_ownContext);
    }
    m_ownContext = nullptr;
    m_window = nullptr;
}
