#include "NGTPCommandHandler.h"

#include "CommandHandlerRegistry.h"
#include "CommandHandlerWindow.h"

namespace {

CString LowerName(const char* name) {
    CString lower(name);
    lower.MakeLower();
    return lower;
}

}  // namespace

const char* const CNGTPCommandHandler::kTimerNameKey = "#TIMERNAME#";

CNGTPCommandHandler::CNGTPCommandHandler() : m_window(std::make_unique<CommandHandlerWindow>(*this)) {
    if (!m_window->Create())
        ::MessageBoxA(nullptr, "The command handler could not create its window.", CommandHandlerWindow::kWindowText,
                      MB_OK | MB_ICONERROR);
}

CNGTPCommandHandler::~CNGTPCommandHandler() {
    // Names first: from then on no other thread can post to the window that goes next.
    CommandHandlerRegistry::UnregisterAll(this);
    m_window.reset();
}

void CNGTPCommandHandler::SetHandlerName(const char* name) {
    CString chosen;
    if (name)
        chosen = name;
    else
        chosen.Format("Handler_%llX_%08lX", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(this)),
                      ::GetTickCount());
    CommandHandlerRegistry::Register(this, LowerName(chosen));
}

CString CNGTPCommandHandler::GetHandlerName(int index) {
    CString name;
    if (CommandHandlerRegistry::NameAt(this, index, name))
        return name;
    SetHandlerName(nullptr);
    CommandHandlerRegistry::NameAt(this, 0, name);
    return name;
}

void CNGTPCommandHandler::DelHandlerName(const char* name) { CommandHandlerRegistry::Unregister(this, LowerName(name)); }

BOOL CNGTPCommandHandler::TimerExecute(const char* to, const char* from, const char* command, const char* key,
                                       const char* value, int delay, const char* timerName) {
    auto packet = std::make_unique<CNGTPParser>(from, to, command);
    if (key)
        packet->SetString(key, value);
    if (timerName)
        packet->SetString(kTimerNameKey, timerName);
    bool posted = false;
    CommandHandlerRegistry::WithHandler(LowerName(to), [&](CNGTPCommandHandler& receiver) {
        posted = receiver.Accept(std::move(packet), delay);
    });
    return posted;
}

BOOL CNGTPCommandHandler::KillTimerExecute(const char* timerName) {
    return timerName && m_window->Cancel(CString(timerName));
}

int CNGTPCommandHandler::OnExecute(CNGTPParser*) { return 0; }

bool CNGTPCommandHandler::Accept(std::unique_ptr<CNGTPParser> packet, int delay) {
    return m_window->Post(std::move(packet), delay);
}
