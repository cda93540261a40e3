#include "simulator/SimulationPass.h"

#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "simulator/AlarmWatch.h"
#include "simulator/PollDelivery.h"
#include "simulator/ScreenIndex.h"
#include "simulator/SimulationEvents.h"
#include "simulator/SimulationPort.h"
#include "simulator/SimulationShared.h"
#include "transfer/ScreenPollPlan.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int kFirstDeferredKey = 1;
constexpr int kLastDeferredKey = 24;
constexpr int kMomentaryOnHeld = 3;

// The register after the control register in its group: the report
// register. Nothing when the group, the control element or a next element
// is missing.
std::optional<DeviceElement> ReportRegister(const AddressTable& table, const PanelSettings& panel)
{
    const int groupIndex = FindElementGroupIndex(table, panel.ControlGroupName);
    if (groupIndex < 0)
        return std::nullopt;
    const std::vector<DeviceElement>& elements = table[static_cast<std::size_t>(groupIndex)].elements;
    const auto control = std::find_if(elements.begin(), elements.end(),
        [&panel](const DeviceElement& e) { return e.name == panel.ControlElementName; });
    if (control == elements.end() || control + 1 == elements.end())
        return std::nullopt;
    return *(control + 1);
}

} // namespace

SimulationPass::SimulationPass(const CVX50TextDoc& doc, const ProtocolFunctionTable& protocol, SimulationPort& port,
    SimulationShared& shared, SimulationEvents& events)
    : m_doc(doc)
    , m_protocol(protocol)
    , m_port(port)
    , m_shared(shared)
    , m_events(events)
{
}

void SimulationPass::Run()
{
    const bool complete = ReadControlRegister() && WriteReportRegister() && ReadPollGroups() && ReadAlarmBlocks();
    // A refused command or a cleared request ends the pass with nothing
    // published; a lost link is published at once.
    if (!complete && !m_linkLost)
        return;
    ReplayDeferredKey();
    PublishLinkState();
}

SimulationPass::Outcome SimulationPass::Exchange(Step step, const DeviceCommand& command,
    SimulationPort::Reply& reply, Watch watch)
{
    if (!command.Built())
        return Outcome::EndPass;
    const int expected = command.ReplyLength();
    if (expected < 1 || expected > SimulationPort::kBufferSize) {
        // A reply the buffer cannot take is not asked for.
        m_checkFailed[step] = true;
        return Outcome::Failed;
    }
    // The keys' exchanges queued meanwhile come first. Once one of them or
    // this one has failed, each further exchange would wait as long for a
    // device that is not there: the pass ends, its remaining values kept as
    // they were.
    if (m_port.RunQueuedExchanges())
        reply = m_port.Exchange(command.Bytes(), expected);
    else
        reply.error = kSerialNoReply;
    if (reply.error != kSerialOk) {
        m_linkLost = true;
        return Outcome::EndPass;
    }
    if (watch == Watch::Nothing)
        return Outcome::Good;
    // A short reply (an exception reply among them) is as bad as a corrupted one.
    const bool whole = CameWhole(m_protocol, command, reply);
    m_checkFailed[step] = m_checkFailed[step] || !whole;
    if (!m_shared.SimulationRequested)
        return Outcome::EndPass;
    return whole ? Outcome::Good : Outcome::Failed;
}

bool SimulationPass::ReadControlRegister()
{
    const PanelSettings& panel = m_doc.Panel;
    if (panel.AutoScreenSwitch != 1)
        return true;
    // A control element that is no longer in the table is not read.
    const int address = FindElementAddress(m_doc.AddressTable, panel.ControlGroupName, panel.ControlElementName);
    if (address < 0)
        return true;
    const DeviceCommand read = BuildReadRegister(m_protocol, panel.PanelStation, address, 1);
    SimulationPort::Reply reply;
    const Outcome outcome = Exchange(ControlStep, read, reply);
    if (outcome != Outcome::Good)
        return outcome != Outcome::EndPass;
    const std::optional<std::uint32_t> value = ReplyValue(ReplyTo(m_protocol, read, reply), 0, 16, true);
    if (!value) {
        m_checkFailed[ControlStep] = true;
        return true;
    }
    const int number = static_cast<int>(*value);
    int& last = m_shared.LastScreenRegisterValue;
    // The first read only records: the start's screen stays until the
    // register changes.
    if (last == -1 || last == number) {
        last = number;
        return true;
    }
    if (!SwitchScreen(number))
        return false;
    // Switched once per change, also when the clear below finds the link lost.
    last = number;
    if (panel.ClearAfterSwitch != 1)
        return true;
    const int mode = GetElementGroupMode(m_doc.AddressTable, panel.ControlGroupName);
    const DeviceCommand clear = BuildWriteRegister(m_protocol, panel.PanelStation, address, {0, 0}, mode);
    return Exchange(ControlStep, clear, reply, Watch::Nothing) != Outcome::EndPass;
}

bool SimulationPass::SwitchScreen(int number)
{
    const int index = ScreenIndexOf(m_doc, number);
    if (index < 0) {
        // No such screen: the displayed one is loaded again.
        m_events.ScreenSwitched();
        return true;
    }
    PollLists lists;
    if (CollectScreenAddressesSilently(m_doc, index, lists)) {
        m_shared.SimulationRequested = false;
        m_events.ScreenAddressesMissing();
        return false;
    }
    m_shared.ReplacePollPlan(BuildPollGroups(m_doc, m_protocol.GetReadCoilPos, std::move(lists.wordBits),
                                 std::move(lists.coils), std::move(lists.words)),
        number);
    m_events.ScreenSwitched();
    return true;
}

bool SimulationPass::WriteReportRegister()
{
    const PanelSettings& panel = m_doc.Panel;
    if (panel.ReportScreen != 1)
        return true;
    const std::optional<DeviceElement> target = ReportRegister(m_doc.AddressTable, panel);
    if (!target)
        return true;
    const int screen = m_shared.DisplayedScreen;
    const int mode = GetElementGroupMode(m_doc.AddressTable, panel.ControlGroupName);
    const DeviceCommand write = BuildWriteRegister(m_protocol, panel.PanelStation, target->wordAddress,
        {static_cast<std::uint8_t>(screen / 256), static_cast<std::uint8_t>(screen % 256)}, mode);
    SimulationPort::Reply reply;
    return Exchange(ReportStep, write, reply) != Outcome::EndPass;
}

bool SimulationPass::ReadPollGroups()
{
    const std::vector<PollGroup> plan = m_shared.CopyPollPlan();
    SimulationPort::Reply reply;
    for (const PollGroup& group : plan) {
        const DeviceCommand read = group.kind == CoilBitsGroup
            ? BuildReadBit(m_protocol, group.station, group.startAddress, group.length)
            : BuildReadRegister(m_protocol, group.station, group.startAddress, group.length);
        const Outcome outcome = Exchange(PollStep, read, reply);
        if (outcome == Outcome::EndPass)
            return false;
        if (outcome == Outcome::Good)
            DeliverPollGroup(group, ReplyTo(m_protocol, read, reply), m_doc.GetScreens(), m_doc.HighFront == 1,
                m_shared.TimerTicks);
    }
    return true;
}

bool SimulationPass::ReadAlarmBlocks()
{
    const std::vector<AlarmBlock>& blocks = m_doc.AlarmBlocks;
    const int count = std::min(static_cast<int>(blocks.size()), kMaxAlarmBlocks);
    std::array<AlarmRead, kMaxAlarmBlocks> reads{};
    for (int k = 0; k < count; ++k)
        reads[static_cast<std::size_t>(k)] = PlanAlarmRead(blocks[static_cast<std::size_t>(k)]);
    m_shared.WithAlarms([&](AlarmState& state) {
        state.AlarmRaised = false;
        for (int k = 0; k < count; ++k)
            state.AlarmStartBits[static_cast<std::size_t>(k)] = reads[static_cast<std::size_t>(k)].firstBit;
    });

    SimulationPort::Reply reply;
    for (int k = 0; k < count; ++k) {
        const auto index = static_cast<std::size_t>(k);
        const AlarmRead& read = reads[index];
        const int station = blocks[index].Station;
        const DeviceCommand command = read.coils ? BuildReadBit(m_protocol, station, read.address, read.count)
                                                 : BuildReadRegister(m_protocol, station, read.address, read.count);
        const Outcome outcome = Exchange(AlarmStep, command, reply);
        if (outcome == Outcome::EndPass)
            return false;
        std::optional<AlarmBits> fresh;
        if (outcome == Outcome::Good) {
            fresh = AlarmBitsOfReply(read, ReplyTo(m_protocol, command, reply));
            m_checkFailed[AlarmStep] = m_checkFailed[AlarmStep] || !fresh;
        }
        m_shared.WithAlarms([&](AlarmState& state) {
            const bool displayOn = m_shared.AlarmDisplayOn;
            // While the alarm display is on the bits follow the device, but
            // nothing rises.
            if (fresh && TakeAlarmBits(state.AlarmSnapshot[index], *fresh, read) && !displayOn
                && m_shared.MomentaryCoilState != kMomentaryOnHeld)
                state.AlarmRaised = true;
            // A rising alarm opens the alarm display (which only the keypad
            // closes).
            if (!displayOn && state.AlarmRaised)
                m_shared.AlarmDisplayOn = true;
        });
    }
    return true;
}

void SimulationPass::ReplayDeferredKey()
{
    int key = m_shared.DeferredKey;
    while (key >= kFirstDeferredKey && key <= kLastDeferredKey
        && !m_shared.DeferredKey.compare_exchange_weak(key, -1)) {
    }
    if (key >= kFirstDeferredKey && key <= kLastDeferredKey)
        m_events.DeferredKeyReplayed(key);
}

void SimulationPass::PublishLinkState()
{
    m_shared.LinkTimeout = m_linkLost;
    m_shared.DataError = std::any_of(m_checkFailed.begin(), m_checkFailed.end(), [](bool f) { return f; });
    m_events.PassCompleted();
}
