#include "simulator/SimulationPort.h"

#include <QEventLoop>

SimulationPort::SimulationPort()
    : m_thread([this] { Serve(); })
{
}

SimulationPort::~SimulationPort()
{
    Close();
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_jobAdded.notify_all();
    m_thread.join();
}

void SimulationPort::Run(const std::function<void(CPanelSerial&)>& work)
{
    Job job{&work};
    std::unique_lock lock(m_mutex);
    m_jobs.push_back(&job);
    m_jobAdded.notify_all();
    m_jobDone.wait(lock, [&job] { return job.done; });
}

void SimulationPort::Serve()
{
    // The port registers socket notifiers as it opens, which need an event
    // dispatcher on their thread; making an event loop gives the thread one.
    // The loop never runs: the exchanges wait on the port themselves.
    const QEventLoop dispatcherOwner;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_jobAdded.wait(lock, [this] { return m_quit || !m_jobs.empty(); });
        if (m_jobs.empty())
            return;
        Job* job = m_jobs.front();
        m_jobs.pop_front();
        lock.unlock();
        (*job->work)(m_serial);
        lock.lock();
        job->done = true;
        m_jobDone.notify_all();
    }
}

SimulationPort::Reply SimulationPort::Exchange(std::span<const std::uint8_t> command, int replyLength)
{
    Reply reply;
    if (replyLength < 1 || replyLength > kBufferSize || command.size() > static_cast<std::size_t>(kBufferSize)) {
        reply.error = kSerialBadArgument;
        return reply;
    }
    Run([&](CPanelSerial& serial) {
        reply.error = serial.CommandSend(command.data(), static_cast<int>(command.size()), reply.bytes.data(),
            replyLength);
        reply.received = serial.ReceivedCount();
    });
    return reply;
}

void SimulationPort::Close()
{
    Run([](CPanelSerial& serial) { serial.Close(); });
}

bool SimulationPort::IsOpen()
{
    bool open = false;
    Run([&open](CPanelSerial& serial) { open = serial.IsOpen(); });
    return open;
}
