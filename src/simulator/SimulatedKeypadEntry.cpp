// Value entry on the displayed screen's settable registers: SET picks one,
// the digit and arrow keys edit its text, ENT writes the value and moves on.

#include "simulator/SimulatedKeypad.h"

#include "StringIds.h"
#include "base/UserInterface.h"
#include "devices/AddressLookup.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/CRegisterElement.h"
#include "model/elements/PanelKeys.h"
#include "simulator/EntryConversion.h"
#include "simulator/PasswordCheck.h"
#include "simulator/SettableSearch.h"
#include "simulator/ValueBytes.h"

void SimulatedKeypad::StartTyping(CRegisterElement& reg)
{
    reg.Typing = 1;
    reg.EntryCursor = 0;
}

void SimulatedKeypad::StopTyping()
{
    if (const std::shared_ptr<CRegisterElement> reg = EntryRegister.lock()) {
        reg->Typing = 0;
        reg->EntryCursor = 0;
    }
}

void SimulatedKeypad::EnterRegister(const ScreenRecord& screen, int index)
{
    const auto reg = std::static_pointer_cast<CRegisterElement>(screen.Elements[static_cast<std::size_t>(index)].element);
    EntryRegister = reg;
    if (reg->IsPasswordProtected()) {
        PasswordDigits = 0;
        PasswordRequester = reg;
        if (!LevelGranted(GrantedLevel, reg->PasswordLevel)) {
            PasswordEntryMode = 1;
            PasswordValue = 0;
        }
    }
    ValueEntryMode = 1;
    NextEntryIndex = index + 1;
    if (PasswordEntryMode == 0)
        StartTyping(*reg);
}

void SimulatedKeypad::OnKeySet()
{
    if (ValueEntryMode == 1) {
        // The text typed so far is dropped.
        StopTyping();
        PasswordEntryMode = 0;
    }
    const ScreenRecord& screen = *CurrentScreen();
    const int found = FindNextSettable(screen.Elements, NextEntryIndex, true);
    if (found >= 0)
        EnterRegister(screen, found);
    else
        ValueEntryMode = 0; // nothing on this screen to enter a value into
}

void SimulatedKeypad::WriteEntry()
{
    const std::shared_ptr<CRegisterElement> reg = EntryRegister.lock();
    if (!reg)
        return;
    const int width = EntryWidth(reg->WordSize, reg->RegisterCount);
    const std::optional<std::uint32_t> value = ConvertEntry(reg->GetEntryText(), reg->Format(), width);
    const int address = FindElementAddress(m_doc.AddressTable, reg->GroupName, reg->ElementName);
    // A refused value stays on the display for the user to correct.
    if (!value || address < 0)
        return;
    const std::vector<std::uint8_t> bytes = ValueBytes(*value, width, m_doc.HighFront == 1);
    m_device.WriteRegisters(reg->GetStation(), address, bytes, GetElementGroupMode(m_doc.AddressTable, reg->GroupName),
        [this](KeyDevice::Result result) { EntryWritten(result); });
}

void SimulatedKeypad::EntryWritten(KeyDevice::Result result)
{
    if (result == KeyDevice::Result::NotBuilt)
        CurrentUi().ShowMessage(IdsWriteRegisterFailed);
    if (result != KeyDevice::Result::Done)
        return;

    StopTyping();
    PasswordEntryMode = 0;
    ValueEntryMode = 0;
    // On to the next settable register after it; the last one ends entry.
    // (The device may have switched screens while the write was under way.)
    if (const ScreenRecord* screen = CurrentScreen()) {
        const int next = FindNextSettable(screen->Elements, NextEntryIndex, false);
        if (next >= 0)
            EnterRegister(*screen, next);
    }
    Redraw();
}

void SimulatedKeypad::EditEntry(KeyAction action, int key)
{
    const std::shared_ptr<CRegisterElement> reg = EntryRegister.lock();
    if (!reg)
        return;
    switch (action) {
    case KeyAction::TypeDigit:
        reg->TypeDigit(static_cast<char>('0' + key - KeyDigit0));
        break;
    case KeyAction::ClearEntry:
        reg->EntryCursor = 0;
        reg->ClearEntry();
        break;
    case KeyAction::ToggleSign:
        reg->ToggleSign();
        break;
    case KeyAction::CursorLeft:
        reg->MoveCursorLeft();
        break;
    case KeyAction::CursorRight:
        reg->MoveCursorRight();
        break;
    case KeyAction::IncrementDigit:
        reg->IncrementDigit();
        break;
    case KeyAction::DecrementDigit:
        reg->DecrementDigit();
        break;
    default:
        break;
    }
}
