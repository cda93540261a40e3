// A Modbus RTU slave for trying the simulation by hand: serves station 1 (or
// the station given as the first argument) with 1024 coils and 1024 holding
// registers on a pseudo-terminal, prints the terminal's path to point a COM
// port at (VX50_COM<n>), and runs until interrupted. A second argument makes
// every reply come that many milliseconds late. SIGUSR1 makes it fall
// silent (it still receives), SIGUSR2 makes it answer again.

#include "modbusslave/ModbusSlave.h"

#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <pthread.h>

int main(int argc, char** argv)
{
    // The slave's threads leave the signals to this one.
    sigset_t handled;
    sigemptyset(&handled);
    for (int signal : {SIGINT, SIGTERM, SIGUSR1, SIGUSR2})
        sigaddset(&handled, signal);
    pthread_sigmask(SIG_BLOCK, &handled, nullptr);

    const int station = argc > 1 ? std::atoi(argv[1]) : 1;
    const int delayMs = argc > 2 ? std::atoi(argv[2]) : 0;
    try {
        ModbusSlave slave(station);
        if (delayMs > 0)
            slave.ReplyLate(delayMs, INT_MAX);
        std::printf("Modbus RTU slave, station %d, on %s\n", station, slave.ClientPath().c_str());
        std::printf("Ctrl+C ends it; kill -USR1 makes it fall silent, kill -USR2 answer again.\n");
        std::fflush(stdout);
        for (int signal = 0; sigwait(&handled, &signal) == 0 && signal != SIGINT && signal != SIGTERM;) {
            slave.SetSilent(signal == SIGUSR1);
            std::printf(signal == SIGUSR1 ? "Silent.\n" : "Answering.\n");
            std::fflush(stdout);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
