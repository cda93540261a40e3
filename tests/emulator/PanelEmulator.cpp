#include "emulator/PanelEmulator.h"

#include "transfer/Checksums.h"
#include "transfer/Crc16.h"
#include "transfer/PanelFrames.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Silence that marks the end of what the program sent; it writes each frame
// in one go, so a short gap is enough.
constexpr int kFrameGapMs = 5;
// Silence after which an incomplete frame is dropped.
constexpr int kStaleInputMs = 200;
constexpr std::uint8_t kRefused = 0x80; // set in the function code of a refusal
constexpr std::uint8_t kWrongFunction = 0x7F;

void AppendCrc(std::vector<std::uint8_t>& frame)
{
    const std::size_t length = frame.size();
    frame.resize(length + 2);
    AppendCrc16(frame.data(), length);
}

std::vector<std::uint8_t> Reply(std::vector<std::uint8_t> head)
{
    AppendCrc(head);
    return head;
}

template <std::size_t N>
bool Matches(const std::vector<std::uint8_t>& frame, const std::array<std::uint8_t, N>& fixed)
{
    return frame.size() == N && std::equal(fixed.begin(), fixed.end(), frame.begin());
}

bool BeginFollows(const std::vector<std::uint8_t>& input)
{
    return input.size() >= kBeginFrame.size()
        && std::equal(kBeginFrame.begin() + 4, kBeginFrame.end(), input.begin() + 4);
}

// The length of the frame at the front of `input`; 0 for an unknown code.
std::size_t FrameLength(const std::vector<std::uint8_t>& input)
{
    switch (input[1]) {
    case kFunctionBegin:
        return BeginFollows(input) ? kBeginFrame.size() : kProbeFrame.size();
    case kFunctionBlockWrite:
        return kBlockFrameLength;
    case kFunctionBlockRead:
        return 5;
    case kFunctionVersion:
        return kVersionFrame.size();
    case kFunctionLockQuery:
        return kLockQueryFrame.size();
    case kFunctionPassword:
        return 6;
    case kFunctionEnd:
        return kEndFrame.size();
    default:
        return 0;
    }
}

void WriteAll(int fd, const std::vector<std::uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return;
        done += static_cast<std::size_t>(count);
    }
}

} // namespace

PanelEmulator::PanelEmulator() = default;

PanelEmulator::~PanelEmulator()
{
    Stop();
}

bool PanelEmulator::Start()
{
    if (m_master >= 0)
        return true;
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return false;
    char name[128];
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 || ::ptsname_r(m_master, name, sizeof name) != 0) {
        Stop();
        return false;
    }
    m_slavePath = name;
    m_slaveKeeper = ::open(name, O_RDWR | O_NOCTTY);
    termios raw{};
    if (m_slaveKeeper < 0 || ::tcgetattr(m_slaveKeeper, &raw) != 0) {
        Stop();
        return false;
    }
    ::cfmakeraw(&raw);
    ::tcsetattr(m_slaveKeeper, TCSANOW, &raw);
    m_stop = false;
    m_worker = std::thread([this] { Run(); });
    return true;
}

void PanelEmulator::Stop()
{
    m_stop = true;
    if (m_worker.joinable())
        m_worker.join();
    for (int* fd : {&m_slaveKeeper, &m_master}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

std::string PanelEmulator::DevicePath() const
{
    return m_slavePath;
}

void PanelEmulator::SetLineSpeed(int baud)
{
    m_baud = baud;
}

void PanelEmulator::SetFirmwareVersion(std::uint8_t code)
{
    std::lock_guard lock(m_mutex);
    m_version = code;
}

void PanelEmulator::SetLock(Lock lock, std::uint16_t password)
{
    std::lock_guard guard(m_mutex);
    m_lock = lock;
    m_password = password;
    m_unlocked = false;
}

void PanelEmulator::InjectFault(std::uint8_t function, Fault fault, int times, int delayMs)
{
    std::lock_guard lock(m_mutex);
    for (int i = 0; i < times; ++i)
        m_faults[function].push_back({fault, delayMs});
}

void PanelEmulator::ClearFaults()
{
    std::lock_guard lock(m_mutex);
    m_faults.clear();
}

std::optional<PanelEmulator::Block> PanelEmulator::StoredBlock(std::uint8_t number) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_blocks.find(number);
    if (it == m_blocks.end())
        return std::nullopt;
    return it->second;
}

std::vector<std::uint8_t> PanelEmulator::StoredArea(std::uint8_t firstBlock) const
{
    std::lock_guard lock(m_mutex);
    std::vector<std::uint8_t> area;
    for (int number = firstBlock; number <= 0xFF; ++number) {
        const auto it = m_blocks.find(static_cast<std::uint8_t>(number));
        if (it == m_blocks.end())
            break;
        area.insert(area.end(), it->second.begin(), it->second.end());
    }
    return area;
}

void PanelEmulator::LoadArea(std::uint8_t firstBlock, const std::vector<std::uint8_t>& bytes)
{
    std::lock_guard lock(m_mutex);
    for (std::size_t offset = 0, number = firstBlock; offset < bytes.size() && number <= 0xFF;
         offset += kBlockSize, ++number) {
        Block block{};
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), std::min(kBlockSize, bytes.size() - offset),
            block.begin());
        m_blocks[static_cast<std::uint8_t>(number)] = block;
    }
}

void PanelEmulator::ClearBlocks()
{
    std::lock_guard lock(m_mutex);
    m_blocks.clear();
}

bool PanelEmulator::InWrite() const
{
    std::lock_guard lock(m_mutex);
    return m_inWrite;
}

std::vector<std::vector<std::uint8_t>> PanelEmulator::ReceivedFrames() const
{
    std::lock_guard lock(m_mutex);
    return m_frames;
}

int PanelEmulator::FrameCount(std::uint8_t function) const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(std::count_if(m_frames.begin(), m_frames.end(),
        [function](const auto& frame) { return frame[1] == function; }));
}

bool PanelEmulator::WaitForFrames(std::size_t count, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_frameArrived.wait_for(lock, std::chrono::milliseconds(timeoutMs),
        [&] { return m_frames.size() >= count; });
}

void PanelEmulator::Run()
{
    std::vector<std::uint8_t> input;
    Clock::time_point frameStart = Clock::now();
    int silentMs = 0;
    while (!m_stop) {
        pollfd entry{m_master, POLLIN, 0};
        const int ready = ::poll(&entry, 1, kFrameGapMs);
        if (ready > 0 && (entry.revents & POLLIN)) {
            std::uint8_t chunk[512];
            const ssize_t count = ::read(m_master, chunk, sizeof chunk);
            if (count > 0) {
                m_bytesReceived += static_cast<std::size_t>(count);
                if (input.empty())
                    frameStart = Clock::now();
                input.insert(input.end(), chunk, chunk + count);
            }
            silentMs = 0;
            continue;
        }
        if (ready > 0) // hang-up or error without data: do not spin
            ::usleep(kFrameGapMs * 1000);
        silentMs += kFrameGapMs;
        if (!input.empty())
            ParseInput(input, frameStart);
        if (silentMs >= kStaleInputMs)
            input.clear();
    }
}

PanelEmulator::Clock::time_point PanelEmulator::ReplyDue(Clock::time_point frameStart, std::size_t frameLength,
    std::size_t replyLength) const
{
    const int baud = m_baud;
    if (baud <= 0)
        return frameStart;
    constexpr int kBitsPerCharacter = 10;
    const auto wire = std::chrono::duration<double>(
        static_cast<double>((frameLength + replyLength) * kBitsPerCharacter) / baud);
    return frameStart + std::chrono::duration_cast<Clock::duration>(wire);
}

void PanelEmulator::ParseInput(std::vector<std::uint8_t>& input, Clock::time_point& frameStart)
{
    while (input.size() >= 2) {
        const std::size_t length = FrameLength(input);
        if (length == 0) { // not a frame start: resynchronise
            input.erase(input.begin());
            continue;
        }
        if (input.size() < length)
            return;
        std::vector<std::uint8_t> frame(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(length));
        input.erase(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(length));
        std::vector<std::uint8_t> reply = Answer(frame);
        const Clock::time_point due = ReplyDue(frameStart, frame.size(), reply.size());
        SendReply(frame[1], std::move(reply), due);
        // A frame that came with this one waited on the line until now.
        frameStart = std::max(due, frameStart);
    }
}

std::vector<std::uint8_t> PanelEmulator::Answer(const std::vector<std::uint8_t>& frame)
{
    std::lock_guard lock(m_mutex);
    m_frames.push_back(frame);
    m_frameArrived.notify_all();
    const auto faults = m_faults.find(frame[1]);
    if (faults != m_faults.end() && !faults->second.empty() && faults->second.front().fault == Fault::NoReply) {
        faults->second.pop_front();
        return {};
    }
    const bool crcGood = ReplyCrc16IsValid(frame.size(), frame.data());
    if (frame[0] != kPageStation)
        return {};
    switch (frame[1]) {
    case kFunctionBegin:
        if (!Matches(frame, kBeginFrame) && !Matches(frame, kProbeFrame))
            return {};
        m_inWrite = true;
        return Reply({kPageStation, kFunctionBegin});
    case kFunctionBlockWrite:
        if (!crcGood)
            return {};
        if (!m_inWrite)
            return Reply({kPageStation, kFunctionBlockWrite | kRefused, frame[2]});
        std::copy_n(frame.begin() + 3, kBlockSize, m_blocks[frame[2]].begin());
        return Reply({kPageStation, kFunctionBlockWrite, frame[2]});
    case kFunctionBlockRead:
        return crcGood ? AnswerBlockRead(frame[2]) : std::vector<std::uint8_t>{};
    case kFunctionVersion:
        return Matches(frame, kVersionFrame) ? Reply({kPageStation, kFunctionVersion, m_version})
                                              : std::vector<std::uint8_t>{};
    case kFunctionLockQuery:
        return Matches(frame, kLockQueryFrame)
            ? Reply({kPageStation, kFunctionLockQuery, static_cast<std::uint8_t>(m_lock), 0, 0, 0})
            : std::vector<std::uint8_t>{};
    case kFunctionPassword: {
        if (!crcGood)
            return {};
        const bool right = m_lock == Lock::Password && (frame[2] | frame[3] << 8) == m_password;
        m_unlocked = m_unlocked || right;
        const std::uint8_t answer = right ? kFunctionBegin : kFunctionPassword | kRefused;
        return Reply({kPageStation, answer, frame[2], frame[3]});
    }
    case kFunctionEnd:
        if (!Matches(frame, kEndFrame))
            return {};
        m_inWrite = false;
        m_unlocked = false;
        return Reply({kPageStation, kFunctionEnd});
    default:
        return {};
    }
}

std::vector<std::uint8_t> PanelEmulator::AnswerBlockRead(std::uint8_t number)
{
    if (m_lock == Lock::Refuse || (m_lock == Lock::Password && !m_unlocked))
        return Reply({kPageStation, kFunctionBlockRead | kRefused, number});
    std::vector<std::uint8_t> reply{kPageStation, kFunctionBlockRead, number};
    const auto it = m_blocks.find(number);
    if (it == m_blocks.end())
        reply.insert(reply.end(), kBlockSize, 0xFF);
    else
        reply.insert(reply.end(), it->second.begin(), it->second.end());
    return Reply(std::move(reply));
}

void PanelEmulator::SendReply(std::uint8_t function, std::vector<std::uint8_t> reply, Clock::time_point due)
{
    if (reply.empty())
        return;
    int delayMs = 0;
    {
        std::lock_guard lock(m_mutex);
        auto& faults = m_faults[function];
        if (!faults.empty()) {
            const PendingFault pending = faults.front();
            faults.pop_front();
            switch (pending.fault) {
            case Fault::None:
            case Fault::NoReply: // handled before the frame was served
                break;
            case Fault::WrongCode:
                reply[1] = kWrongFunction;
                reply.resize(reply.size() - 2);
                AppendCrc(reply);
                break;
            case Fault::BadCrc:
                reply.back() ^= 0xFF;
                break;
            case Fault::SlowReply:
                delayMs = pending.delayMs;
                break;
            case Fault::ShortReply:
                reply.resize(2);
                break;
            }
        }
    }
    std::this_thread::sleep_until(due + std::chrono::milliseconds(delayMs));
    WriteAll(m_master, reply);
}
