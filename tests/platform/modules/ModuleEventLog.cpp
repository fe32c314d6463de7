#include "ModuleEventLog.h"

#include <mutex>

namespace
{
struct SEventLog
{
    std::mutex mutex;
    std::vector<std::string> arrEvents;
};

// Never destroyed: modules still write to it from their exit-time detach.
SEventLog& EventLog()
{
    static SEventLog* pLog = new SEventLog;
    return *pLog;
}
} // namespace

void RecordModuleEvent(const std::string& strEvent)
{
    SEventLog& log = EventLog();
    const std::lock_guard<std::mutex> lock(log.mutex);
    log.arrEvents.push_back(strEvent);
}

std::vector<std::string> TakeModuleEvents()
{
    SEventLog& log = EventLog();
    const std::lock_guard<std::mutex> lock(log.mutex);
    std::vector<std::string> arrEvents;
    arrEvents.swap(log.arrEvents);
    return arrEvents;
}
