#include "CommandHandlerWindow.h"

#include <algorithm>

#include "NGTPCommandHandler.h"
#include "TovrinModule.h"

namespace {

const char kWindowClass[] = "TovrinCommandHandlerWindow";
const UINT_PTR kFirstTimerId = 10000;
const UINT_PTR kLastTimerId = 60000;

}  // namespace

const char CommandHandlerWindow::kWindowText[] = "RERUCommandHandler Embeded Window";

CommandHandlerWindow::~CommandHandlerWindow() {
    // Destroyed while the derived object still exists; the queued messages go with the window.
    if (m_hWnd)
        DestroyWindow();
}

bool CommandHandlerWindow::Create() {
    if (m_hWnd || !RegisterTovrinWindowClass(kWindowClass))
        return false;
    HookWindowCreate();
    HWND window = ::CreateWindowExA(0, kWindowClass, kWindowText, WS_CHILD, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    TovrinModule(), nullptr);
    UnhookWindowCreate();
    return window && m_hWnd == window;
}

bool CommandHandlerWindow::Post(std::unique_ptr<CNGTPParser> packet, int delay) {
    const std::lock_guard<std::mutex> hold(m_lock);
    if (!m_hWnd)
        return false;
    const LPARAM posted = reinterpret_cast<LPARAM>(packet.get());
    m_deliveries.push_back({std::move(packet)});
    if (PostMessage(CNGTPCommandHandler::kDelayedCommandMessage, static_cast<WPARAM>(std::max(delay, 0)), posted))
        return true;
    m_deliveries.pop_back();
    return false;
}

bool CommandHandlerWindow::Cancel(const CString& timerName) {
    const std::lock_guard<std::mutex> hold(m_lock);
    bool found = false;
    for (auto delivery = m_deliveries.begin(); delivery != m_deliveries.end();) {
        const CNGTPParser& packet = *delivery->packet;
        if (delivery->cancelled || !packet.HasValue(CNGTPCommandHandler::kTimerNameKey) ||
            packet.GetString(CNGTPCommandHandler::kTimerNameKey) != timerName) {
            ++delivery;
            continue;
        }
        found = true;
        if (delivery->timerId) {
            KillTimer(delivery->timerId);
            delivery = m_deliveries.erase(delivery);
        } else {
            // Its message still points at the packet: freed when the message arrives.
            delivery->cancelled = true;
            ++delivery;
        }
    }
    return found;
}

LRESULT CommandHandlerWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case CNGTPCommandHandler::kDelayedCommandMessage:
        OnDelayedCommand(static_cast<UINT>(wParam), reinterpret_cast<const CNGTPParser*>(lParam));
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CommandHandlerWindow::OnDelayedCommand(UINT delay, const CNGTPParser* packet) {
    const std::lock_guard<std::mutex> hold(m_lock);
    auto delivery = std::find_if(m_deliveries.begin(), m_deliveries.end(), [packet](const Delivery& d) {
        return d.packet.get() == packet && d.timerId == 0;
    });
    if (delivery == m_deliveries.end())
        return;
    const UINT_PTR timerId = delivery->cancelled ? 0 : FreeTimerId();
    if (timerId && SetTimer(timerId, delay))
        delivery->timerId = timerId;
    else
        m_deliveries.erase(delivery);
}

void CommandHandlerWindow::OnTimer(UINT_PTR timerId) {
    std::unique_ptr<CNGTPParser> packet;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        auto delivery = std::find_if(m_deliveries.begin(), m_deliveries.end(),
                                     [timerId](const Delivery& d) { return d.timerId == timerId; });
        if (delivery == m_deliveries.end())
            return;
        KillTimer(timerId);
        packet = std::move(delivery->packet);
        m_deliveries.erase(delivery);
    }
    // Unlocked: the handler may post again, or register names, while it executes.
    m_owner.OnExecute(packet.get());
}

UINT_PTR CommandHandlerWindow::FreeTimerId() const {
    for (UINT_PTR id = kFirstTimerId; id <= kLastTimerId; ++id) {
        const bool used = std::any_of(m_deliveries.begin(), m_deliveries.end(),
                                      [id](const Delivery& d) { return d.timerId == id; });
        if (!used)
            return id;
    }
    return 0;
}
