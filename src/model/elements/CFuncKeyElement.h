#pragma once

#include "base/PackedText.h"
#include "model/elements/CScreenElement.h"

#include <cstdint>
#include <string>

// Function key (kind 0): gives one of the panel's 24 keys an action while its
// screen is shown (set a coil, set a register, jump to a screen, increment or
// decrement a register within a limit), optionally behind a password level,
// and draws that key's face on the screen.
class CFuncKeyElement : public CScreenElement {
public:
    // Actions (flags bits 3 to 5).
    enum Action { SetCoil = 0, SetRegister = 1, ScreenJump = 2, Increment = 3, Decrement = 4 };

    ElementKind Kind() const override { return KindFuncKey; }
    ToolCode Tool() const override { return ToolFuncKey; }
    void Draw(QPainter& painter, const QRect& display, bool simulating) const override;
    std::string EditorDrawingKey() const override;
    // A copy leaves out the address text and the colours.
    std::shared_ptr<CScreenElement> Clone() const override;
    // 34 bytes, whatever the version.
    void WriteProjectRecord(ByteWriter& out, const CVX50TextDoc& doc) const override;
    // 32 bytes before version 9, else 34.
    void ReadProjectRecord(ByteReader& in, CVX50TextDoc& doc, int screenIndex) override;

    // Fills this key from the fields of a key record read back from the
    // panel (`panelKeyCode` is a GlobalKeyCode) and adds it to screen
    // `screenIndex`. Names are looked up, never repaired.
    void LoadFromPanelRecord(CVX50TextDoc& doc, int x, int y, int panelKeyCode, int flags, int wordAddress,
        int station, int action, int coilOperation, int targetScreen, int registerCount, int wordSize,
        int groupIndex, int bit, int passwordValue, int limit, int stepValue, int screenIndex);

    void SetHandIcon(int on) { SetFlag(0x01, on); }
    int HasHandIcon() const { return (m_flags & 0x01) ? 1 : 0; }
    void SetInvisible(int on) { SetFlag(0x02, on); }
    int IsInvisible() const { return (m_flags & 0x02) ? 1 : 0; }
    void SetPasswordProtected(int on) { SetFlag(0x04, on); }
    int IsPasswordProtected() const { return (m_flags & 0x04) ? 1 : 0; }
    // A value above 4 is ignored.
    void SetAction(int action);
    int GetAction() const { return (m_flags >> 3) & 0x07; }
    // Also sets the colours: dark and light swap while inverse.
    void SetInverse(int on);
    int IsInverse() const { return (m_flags & 0x80) ? 1 : 0; }
    void SetCoilOperation(int operation) { m_coilOperation = operation; }
    int GetCoilOperation() const { return m_coilOperation; }
    void SetKey(int key) { m_key = key; }
    int GetKey() const { return m_key; }
    void SetDoubleSize(int on) { m_doubleSize = on; }
    int GetDoubleSize() const { return m_doubleSize; }
    void SetDataFormat(int format) { m_dataFormat = format; }
    int GetDataFormat() const { return m_dataFormat; }
    std::uint8_t GetFlags() const { return m_flags; }

    // Address binding.
    PackedText GroupName;
    PackedText TypeText; // "位元件", "16位字元件" or "32位字元件"
    PackedText AddressText{kNewAddressText}; // raw address while the protocol library is not used
    PackedText ElementName;
    int WordSize = 0; // 0 bit (coil actions), 16 or 32
    int RawLowAddress = 0; // second raw address byte while the library is not used
    // Action parameters.
    int RegisterCount = 1;
    int PasswordLevel = 0; // level index, meaningful with the password flag
    int TargetScreen = 1;
    int StepValue = 1;
    int Limit = 0; // upper limit of increment, lower limit of decrement
    int SetValue = 0;

private:
    void SetFlag(std::uint8_t bit, int on) { m_flags = on ? (m_flags | bit) : (m_flags & ~bit); }
    void ResolveReadAddress(CVX50TextDoc& doc, int wordAddress, int bitCode, int groupIndex);

    int m_dataFormat = 0; // 0 HEX, 1 unsigned, 2 signed
    int m_doubleSize = 0;
    std::uint8_t m_flags = 0; // bit 0 hand, 1 invisible, 2 password, 3-5 action, 7 inverse
    int m_coilOperation = 0; // 0 ON, 1 OFF, 2 toggle, 3 momentary ON, 4 momentary OFF
    int m_key = 4; // ESC
};
