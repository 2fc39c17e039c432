#pragma once
#include <map>
#include <string>
#include <variant>

#include "CString.h"
#include "TovrinApi.h"

// One command packet of the in-process command system: sender, receiver, command, return marker
// and named values (texts or integers). Keys compare with case; setting a key replaces its value
// whatever type it had.
class TOVRIN_API CNGTPParser {
public:
    CNGTPParser() = default;
    CNGTPParser(const char* from, const char* to, const char* command);

    // A heap copy that the receiver of a posted packet owns.
    CNGTPParser* Clone() const { return new CNGTPParser(*this); }

    void SetFrom(const char* from) { m_from = from; }
    void SetTo(const char* to) { m_to = to; }
    void SetCommand(const char* command) { m_command = command; }
    void SetReturn(const char* marker) { m_return = marker; }
    const CString& GetFrom() const { return m_from; }
    const CString& GetTo() const { return m_to; }
    const CString& GetCommand() const { return m_command; }
    const CString& GetReturn() const { return m_return; }
    // Without regard to case (double-byte aware).
    bool IsCommand(const char* command) const;

    void SetString(const char* key, const char* value);
    void SetInt(const char* key, int value);
    bool HasValue(const char* key) const;
    // The default when the key is missing or holds the other type.
    CString GetString(const char* key, const char* defaultValue = "") const;
    int GetInt(const char* key, int defaultValue = 0) const;

private:
    using Value = std::variant<CString, int>;

    CString m_from;
    CString m_to;
    CString m_command;
    CString m_return;
    std::map<std::string, Value> m_values;
};
