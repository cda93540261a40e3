#pragma once

#include <functional>
#include <thread>

// Starts a thread that runs `pass` as the simulation's worker: at a nice
// value below the user-interface thread's priority. Throws std::system_error
// when no thread can be made, as std::thread does.
std::thread StartSimulationWorker(std::function<void()> pass);
