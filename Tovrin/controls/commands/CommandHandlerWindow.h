#pragma once
#include <windows.h>

#include <list>
#include <memory>
#include <mutex>

#include "NGTPParser.h"
#include "Wnd.h"

class CNGTPCommandHandler;

// The hidden message-only window of one command handler. A posted packet waits in the queue,
// then on a timer of its own (ids 10000 to 60000); when the timer fires it is killed and the
// handler executes the packet. The window owns every packet from the post on.
class CommandHandlerWindow : public CWnd {
public:
    static const char kWindowText[];

    explicit CommandHandlerWindow(CNGTPCommandHandler& owner) : m_owner(owner) {}
    ~CommandHandlerWindow() override;

    bool Create();
    // Any thread.
    bool Post(std::unique_ptr<CNGTPParser> packet, int delay);
    // The window's thread. Returns whether a delivery of that name was pending.
    bool Cancel(const CString& timerName);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Delivery {
        std::unique_ptr<CNGTPParser> packet;
        UINT_PTR timerId = 0;  // 0 while the message is still in the queue
        bool cancelled = false;
    };

    void OnDelayedCommand(UINT delay, const CNGTPParser* packet);
    void OnTimer(UINT_PTR timerId);
    UINT_PTR FreeTimerId() const;

    CNGTPCommandHandler& m_owner;
    std::mutex m_lock;
    std::list<Delivery> m_deliveries;
};
