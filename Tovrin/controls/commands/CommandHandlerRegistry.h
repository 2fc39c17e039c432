#pragma once
#include <functional>

#include "CString.h"

class CNGTPCommandHandler;

// The process-wide map of handler names (lower case) to handlers, and each handler's names in
// the order they were registered. Every call takes one lock, so handlers on any thread may
// register and address each other.
namespace CommandHandlerRegistry {

// A name held by another handler moves to this one.
void Register(CNGTPCommandHandler* handler, const CString& name);
// Only this handler's own registration goes.
void Unregister(CNGTPCommandHandler* handler, const CString& name);
void UnregisterAll(CNGTPCommandHandler* handler);
// false (name unchanged) when index is out of range.
bool NameAt(CNGTPCommandHandler* handler, int index, CString& name);
// Runs use with the receiver while the lock is held, so the receiver cannot be destroyed
// meanwhile; false when no handler holds the name.
bool WithHandler(const CString& name, const std::function<void(CNGTPCommandHandler&)>& use);

}  // namespace CommandHandlerRegistry
