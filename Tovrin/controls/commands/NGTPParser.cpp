#include "NGTPParser.h"

namespace {

std::string KeyOf(const char* key) { return key ? key : ""; }

}  // namespace

CNGTPParser::CNGTPParser(const char* from, const char* to, const char* command)
    : m_from(from), m_to(to), m_command(command) {}

bool CNGTPParser::IsCommand(const char* command) const { return m_command.CompareNoCase(command ? command : "") == 0; }

void CNGTPParser::SetString(const char* key, const char* value) { m_values[KeyOf(key)] = CString(value); }

void CNGTPParser::SetInt(const char* key, int value) { m_values[KeyOf(key)] = value; }

bool CNGTPParser::HasValue(const char* key) const { return m_values.count(KeyOf(key)) != 0; }

CString CNGTPParser::GetString(const char* key, const char* defaultValue) const {
    auto found = m_values.find(KeyOf(key));
    if (found == m_values.end() || !std::holds_alternative<CString>(found->second))
        return CString(defaultValue);
    return std::get<CString>(found->second);
}

int CNGTPParser::GetInt(const char* key, int defaultValue) const {
    auto found = m_values.find(KeyOf(key));
    if (found == m_values.end() || !std::holds_alternative<int>(found->second))
        return defaultValue;
    return std::get<int>(found->second);
}
