#include "foundation/LiveObjectRegistry.h"

#include "foundation/Log.h"

#include <QtGlobal>
#include <algorithm>
#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// Objects may die on any thread (the last reference decides), so the list is guarded.
struct Registry {
    std::mutex mutex;
    bool tracking = false;
    std::uint64_t nextSequence = 0;
    std::unordered_map<const ILiveObject*, std::uint64_t> objects; // object -> creation order
};

Registry& TheRegistry() {
    static Registry* registry = new Registry; // never destroyed: objects may outlive static data
    return *registry;
}

} // namespace

void SetLiveObjectTracking(bool on) {
    Registry& r = TheRegistry();
    const std::lock_guard lock(r.mutex);
    r.tracking = on;
}

bool LiveObjectTracking() {
    Registry& r = TheRegistry();
    const std::lock_guard lock(r.mutex);
    return r.tracking;
}

void RegisterLiveObject(const ILiveObject* object) {
    Registry& r = TheRegistry();
    const std::lock_guard lock(r.mutex);
    if (r.tracking && object)
        r.objects.emplace(object, r.nextSequence++);
}

void UnregisterLiveObject(const ILiveObject* object) {
    Registry& r = TheRegistry();
    const std::lock_guard lock(r.mutex);
    r.objects.erase(object);
}

int LiveObjectCount() {
    Registry& r = TheRegistry();
    const std::lock_guard lock(r.mutex);
    return static_cast<int>(r.objects.size());
}

int ReportLiveObjects() {
    Registry& r = TheRegistry();
    std::vector<std::pair<std::uint64_t, const ILiveObject*>> listed;
    {
        const std::lock_guard lock(r.mutex);
        if (!r.tracking) {
            r.objects.clear();
            return 0;
        }
        r.tracking = false;
        for (const auto& [object, sequence] : r.objects)
            listed.emplace_back(sequence, object);
    }
    std::sort(listed.begin(), listed.end());
    // Names are asked for outside the lock: an object's ClassName may create or free objects.
    for (const auto& [sequence, object] : listed) {
        const auto identity = reinterpret_cast<quintptr>(dynamic_cast<const void*>(object));
        WriteLogLevel(QStringLiteral("trash object: ") + object->ClassName() + QStringLiteral(" (") +
                          QString::number(identity) + QStringLiteral(")"),
                      LogLevelLeaks);
    }
    WriteLogLevel(QStringLiteral("Total trash objects: ") + QString::number(listed.size()), LogLevelLeaks);
    const std::lock_guard lock(r.mutex);
    r.tracking = true;
    r.objects.clear();
    return static_cast<int>(listed.size());
}
