#include "simulator/SimulationWorker.h"

#include <sys/resource.h>
#include <unistd.h>

namespace {

// The worker's nice value: below the user-interface thread's priority.
constexpr int kWorkerNice = 5;

} // namespace

std::thread StartSimulationWorker(std::function<void()> pass)
{
    return std::thread([pass = std::move(pass)] {
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kWorkerNice);
        pass();
    });
}
