#include "CommandHandlerRegistry.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct Registry {
    std::mutex lock;
    std::map<std::string, CNGTPCommandHandler*> byName;
    std::map<CNGTPCommandHandler*, std::vector<std::string>> namesOf;

    void Forget(CNGTPCommandHandler* handler, const std::string& name) {
        auto names = namesOf.find(handler);
        if (names == namesOf.end())
            return;
        names->second.erase(std::remove(names->second.begin(), names->second.end(), name), names->second.end());
        if (names->second.empty())
            namesOf.erase(names);
    }
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

void CommandHandlerRegistry::Register(CNGTPCommandHandler* handler, const CString& name) {
    Registry& registry = TheRegistry();
    const std::lock_guard<std::mutex> hold(registry.lock);
    const std::string key(name.GetString());
    CNGTPCommandHandler*& holder = registry.byName[key];
    if (holder == handler)
        return;
    if (holder)
        registry.Forget(holder, key);
    holder = handler;
    registry.namesOf[handler].push_back(key);
}

void CommandHandlerRegistry::Unregister(CNGTPCommandHandler* handler, const CString& name) {
    Registry& registry = TheRegistry();
    const std::lock_guard<std::mutex> hold(registry.lock);
    const std::string key(name.GetString());
    auto found = registry.byName.find(key);
    if (found == registry.byName.end() || found->second != handler)
        return;
    registry.byName.erase(found);
    registry.Forget(handler, key);
}

void CommandHandlerRegistry::UnregisterAll(CNGTPCommandHandler* handler) {
    Registry& registry = TheRegistry();
    const std::lock_guard<std::mutex> hold(registry.lock);
    auto names = registry.namesOf.find(handler);
    if (names == registry.namesOf.end())
        return;
    for (const std::string& name : names->second)
        registry.byName.erase(name);
    registry.namesOf.erase(names);
}

bool CommandHandlerRegistry::NameAt(CNGTPCommandHandler* handler, int index, CString& name) {
    Registry& registry = TheRegistry();
    const std::lock_guard<std::mutex> hold(registry.lock);
    auto names = registry.namesOf.find(handler);
    if (names == registry.namesOf.end() || index < 0 || index >= static_cast<int>(names->second.size()))
        return false;
    name = names->second[index].c_str();
    return true;
}

bool CommandHandlerRegistry::WithHandler(const CString& name, const std::function<void(CNGTPCommandHandler&)>& use) {
    Registry& registry = TheRegistry();
    const std::lock_guard<std::mutex> hold(registry.lock);
    auto found = registry.byName.find(std::string(name.GetString()));
    if (found == registry.byName.end())
        return false;
    use(*found->second);
    return true;
}
