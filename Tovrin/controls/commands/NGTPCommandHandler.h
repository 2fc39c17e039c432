#pragma once
#include <windows.h>

#include <memory>

#include "CString.h"
#include "NGTPParser.h"
#include "TovrinApi.h"

class CommandHandlerWindow;

// An object that receives command packets under one or more process-wide names. Delayed
// deliveries travel through a hidden window of the handler's own and arrive on the thread that
// created the handler, while it dispatches messages. Destroying the handler removes its names
// and frees the packets still waiting for it. Any thread may send; KillTimerExecute and the
// destruction belong to the creating thread, which owns the window.
class TOVRIN_API CNGTPCommandHandler {
public:
    // The message the hidden window posts to itself: wParam the delay in ms, lParam the packet.
    static const UINT kDelayedCommandMessage = 0x810C;
    // The key under which a delayed delivery carries its name.
    static const char* const kTimerNameKey;

    CNGTPCommandHandler();
    virtual ~CNGTPCommandHandler();
    CNGTPCommandHandler(const CNGTPCommandHandler&) = delete;
    CNGTPCommandHandler& operator=(const CNGTPCommandHandler&) = delete;

    // Lower-cased; null makes a name of the object's address and the tick count. A name held by
    // another handler moves to this one.
    void SetHandlerName(const char* name);
    // For an index out of range a generated name is registered first and the first name returned.
    CString GetHandlerName(int index = 0);
    void DelHandlerName(const char* name);

    // Delivers a packet (from, to, command, and value under key when key is not null) to the
    // handler registered as to after delay ms. A named delivery carries timerName under
    // kTimerNameKey and can be cancelled with KillTimerExecute. FALSE when nobody holds the name
    // or the packet could not be posted.
    BOOL TimerExecute(const char* to, const char* from, const char* command, const char* key, const char* value,
                      int delay, const char* timerName);
    // Cancels this handler's pending deliveries of that name; FALSE when there was none.
    BOOL KillTimerExecute(const char* timerName);

    // Each delivered packet; it is freed when this returns.
    virtual int OnExecute(CNGTPParser* packet);

private:
    bool Accept(std::unique_ptr<CNGTPParser> packet, int delay);

    std::unique_ptr<CommandHandlerWindow> m_window;
};
