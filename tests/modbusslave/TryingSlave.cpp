// A Modbus RTU slave for trying the simulation by hand: serves station 1 (or
// the station given as the first argument) with 1024 coils and 1024 holding
// registers on a pseudo-terminal, prints the terminal's path to point a COM
// port at (VX50_COM<n>), and runs until interrupted.

#include "modbusslave/ModbusSlave.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <pthread.h>

int main(int argc, char** argv)
{
    // The slave's threads leave the stop signals to this one.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);

    const int station = argc > 1 ? std::atoi(argv[1]) : 1;
    try {
        ModbusSlave slave(station);
        std::printf("Modbus RTU slave, station %d, on %s\n", station, slave.ClientPath().c_str());
        std::printf("Ctrl+C ends it.\n");
        std::fflush(stdout);
        int signal = 0;
        sigwait(&stop, &signal);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
