// The key executor: the function bound to a key, carried out on the device,
// and the release of a momentary key.

#include "simulator/SimulatedKeypad.h"

#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CFuncKeyElement.h"
#include "model/elements/PanelKeys.h"
#include "simulator/CoilAction.h"
#include "simulator/KeyFunction.h"
#include "simulator/PasswordCheck.h"
#include "simulator/SimulationShared.h"
#include "simulator/StepLimit.h"
#include "simulator/ValueBytes.h"

#include <optional>

namespace {

constexpr int kCoilGroupMode = 1;
constexpr int kMomentaryOnHeld = 3;
constexpr int kMomentaryOffHeld = 4;

bool IsMomentary(int action)
{
    return action == CoilMomentaryOn || action == CoilMomentaryOff;
}

std::vector<std::uint8_t> WordBytes(std::uint16_t word)
{
    return ValueBytes(word, 16, true);
}

} // namespace

bool SimulatedKeypad::ExecuteKey(int key)
{
    const ScreenRecord* screen = CurrentScreen();
    if (!screen)
        return true;
    std::optional<KeyFunction> function;
    for (const ElementRef& ref : screen->Elements) {
        if (ref.kind != KindFuncKey || !ref.element)
            continue;
        const auto& bound = static_cast<const CFuncKeyElement&>(*ref.element);
        if (bound.GetKey() != key)
            continue;
        // Function keys rest while the alarm display is shown.
        if (m_shared.AlarmDisplayOn)
            return false;
        if (bound.IsPasswordProtected() && !LevelGranted(GrantedLevel, bound.PasswordLevel)) {
            StartPrompt(ref.element);
            return false;
        }
        function = FunctionOfKey(bound);
        if (key == KeyEsc)
            EscFunctionFound = 1;
        break;
    }
    if (!function) {
        const int panelCode = GlobalKeyCode(key);
        for (const GlobalButton& button : m_doc.GlobalButtons) {
            if (button.KeyCode != panelCode)
                continue;
            if ((button.Flags & GlobalButton::ProtectedFlag) && !LevelGranted(GrantedLevel, button.UserLevel)) {
                StartPrompt(nullptr);
                PendingGlobalButton = button;
                return false;
            }
            m_shared.AlarmDisplayOn = false;
            function = FunctionOfButton(button);
            if (key == KeyEsc)
                EscFunctionFound = 1;
        }
    }
    if (!function)
        return false;
    // A bound key is taken even when the device cannot be reached: it never
    // falls back to the key's own rule.
    if (!m_shared.LinkTimeout)
        Perform(*function);
    return true;
}

void SimulatedKeypad::Perform(const KeyFunction& function)
{
    switch (function.kind) {
    case KeyFunction::Coil:
        PerformCoil(function);
        return;
    case KeyFunction::SetRegister:
        PerformSetRegister(function);
        return;
    case KeyFunction::Jump:
        if (SwitchScreen(function.targetScreen))
            Redraw();
        return;
    case KeyFunction::Increment:
    case KeyFunction::Decrement:
        PerformStep(function);
        return;
    default: // a function the panel does not know
        return;
    }
}

void SimulatedKeypad::PerformCoil(const KeyFunction& function)
{
    const AddressTable& table = m_doc.AddressTable;
    const int address = FindElementAddress(table, function.groupName, function.elementName);
    const int groupMode = GetElementGroupMode(table, function.groupName);
    if (address < 0 || groupMode < 0 || groupMode > 2 || function.coilAction < CoilOn
        || function.coilAction > CoilMomentaryOff)
        return;
    const bool momentary = IsMomentary(function.coilAction);
    if (momentary)
        StoreMomentaryKey(function, address, groupMode);

    // A press that did not reach the device has nothing to release.
    KeyDevice::Then<KeyDevice::Result> written = [this, momentary](KeyDevice::Result result) {
        if (result != KeyDevice::Result::Done && momentary)
            m_shared.MomentaryCoilState = 0;
    };
    const int station = function.station;
    if (groupMode != kCoilGroupMode) {
        PerformCoilInWord(function, address, groupMode, std::move(written));
    } else if (const std::optional<bool> state = CoilState(function.coilAction)) {
        m_device.WriteCoil(station, address, *state, std::move(written));
    } else {
        m_device.ReadCoil(station, address,
            [this, station, address, written = std::move(written)](std::optional<bool> current) {
                if (current)
                    m_device.WriteCoil(station, address, !*current, written);
                else
                    written(KeyDevice::Result::Failed);
            });
    }
}

void SimulatedKeypad::PerformCoilInWord(const KeyFunction& function, int address, int groupMode,
    KeyDevice::Then<KeyDevice::Result> written)
{
    const int bit = FindElementBit(m_doc.AddressTable, function.groupName, function.elementName);
    const int station = function.station;
    const int action = function.coilAction;
    m_device.ReadValue(station, address, 16, true,
        [this, station, address, groupMode, bit, action, written = std::move(written)](
            std::optional<std::uint32_t> word) {
            const std::optional<WordBitChange> change = word
                ? ChangeWordBit(static_cast<std::uint16_t>(*word), bit, action)
                : std::nullopt;
            if (!change)
                return written(KeyDevice::Result::Failed);
            if (IsMomentary(action))
                MomentaryReleaseWord = change->release;
            m_device.WriteRegisters(station, address, WordBytes(change->written), groupMode, written);
        });
}

void SimulatedKeypad::StoreMomentaryKey(const KeyFunction& function, int address, int groupMode)
{
    MomentaryStation = function.station;
    MomentaryAddress = address;
    MomentaryGroupMode = groupMode;
    m_shared.MomentaryCoilState = function.coilAction == CoilMomentaryOn ? kMomentaryOnHeld : kMomentaryOffHeld;
}

void SimulatedKeypad::PerformSetRegister(const KeyFunction& function)
{
    const AddressTable& table = m_doc.AddressTable;
    const int address = FindElementAddress(table, function.groupName, function.elementName);
    if (address < 0)
        return;
    m_device.WriteRegisters(function.station, address, ValueBytes(function.value, function.width, m_doc.HighFront == 1),
        GetElementGroupMode(table, function.groupName));
}

void SimulatedKeypad::PerformStep(const KeyFunction& function)
{
    const AddressTable& table = m_doc.AddressTable;
    const int address = FindElementAddress(table, function.groupName, function.elementName);
    if (address < 0)
        return;
    const bool highFront = m_doc.HighFront == 1;
    const int groupMode = GetElementGroupMode(table, function.groupName);
    m_device.ReadValue(function.station, address, function.width, highFront,
        [this, function, address, highFront, groupMode](std::optional<std::uint32_t> value) {
            if (!value)
                return;
            const StepDirection direction = function.kind == KeyFunction::Increment ? StepDirection::Increment
                                                                                     : StepDirection::Decrement;
            const NumberFormat format = function.dataFormat == 2 ? NumberFormat::Signed : NumberFormat::Unsigned;
            const std::optional<std::uint32_t> stepped = SteppedValue(direction, format, function.width, *value,
                function.step, function.limit);
            if (stepped)
                m_device.WriteRegisters(function.station, address, ValueBytes(*stepped, function.width, highFront),
                    groupMode);
        });
}

void SimulatedKeypad::ReleaseKey()
{
    if (WaitForExchanges([this] { ReleaseKey(); }))
        return;
    const int held = m_shared.MomentaryCoilState;
    if (held != kMomentaryOnHeld && held != kMomentaryOffHeld)
        return;
    const int address = MomentaryAddress;
    const KeyDevice::Then<KeyDevice::Result> released = [this, held, address](KeyDevice::Result result) {
        // Released: alarms may rise again.
        m_shared.MomentaryCoilState = 0;
        if (result != KeyDevice::Result::Done || held != kMomentaryOffHeld)
            return;
        for (const AlarmBlock& block : m_doc.AlarmBlocks)
            if (address >= block.StartAddress && address <= block.StartAddress + block.AlarmCount) {
                m_shared.AlarmDisplayOn = true;
                return;
            }
    };
    if (MomentaryGroupMode == kCoilGroupMode)
        m_device.WriteCoil(MomentaryStation, address, held == kMomentaryOffHeld, released);
    else
        m_device.WriteRegisters(MomentaryStation, address, WordBytes(MomentaryReleaseWord), MomentaryGroupMode,
            released);
}
