#pragma once

#include "base/CopyableAtomic.h"
#include "base/NotCopiedOnDemand.h"
#include "base/PackedText.h"
#include "model/elements/CScreenElement.h"
#include "model/elements/RegisterFormat.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

class QPen;

// A numeric field that shows one device value of 16 or 32 bits (in one or two
// registers) with its digits, decimals, HEX/BCD or decimal format and optional
// engineering scaling, and that the panel's user may set with the keypad.
//
// While simulating, the worker formats each polled value into the entry text
// (ShowLiveValue) and the keypad edits it (the entry operations); the text is
// guarded by a mutex because the painting reads it meanwhile. The entry text,
// its lock and the cursor blink are made when first reached; copies start
// with a new entry text and cursor blink.
class CRegisterElement : public CScreenElement {
public:
    CRegisterElement() = default;

    ElementKind Kind() const override { return KindRegister; }
    ToolCode Tool() const override { return ToolRegister; }
    void Draw(QPainter& painter, const QRect& display, bool simulating) const override;
    std::string EditorDrawingKey() const override;
    // A copy carries the typing flag and the entry cursor; it leaves out the
    // address text, the entry text and the cursor blink.
    std::shared_ptr<CScreenElement> Clone() const override;
    void WriteProjectRecord(ByteWriter& out, const CVX50TextDoc& doc) const override;
    void ReadProjectRecord(ByteReader& in, CVX50TextDoc& doc, int screenIndex) override;

    // Fills this new register from the fields of a register record read back
    // from the panel and adds it to screen `screenIndex`.
    struct PanelRecord {
        int x = 0;
        int y = 0;
        int flags = 0; // bit 0 double size, 1 inverse, 2 decimal, 3 signed, 5 password, 6 scaling, 7 left indent
        int digits = 5;
        int decimals = 0;
        int rawUpper = 0xFFFF;
        int rawLower = 0;
        int groupIndex = 0;
        int station = 1;
        int wordSize = 16;
        int wordAddress = 0;
        int registerCount = 1;
        int settable = 0;
        int engUpper = 0xFFFF;
        int engLower = 0;
        int passwordValue = 0; // level + 1 when protected
    };
    void LoadFromPanelRecord(CVX50TextDoc& doc, const PanelRecord& record, int screenIndex);

    void SetDigits(int digits) { Digits = digits; }
    void SetDecimals(int decimals) { Decimals = decimals; }
    void SetRawRange(int upper, int lower)
    {
        RawUpper = upper;
        RawLower = lower;
    }
    void SetHexBcd(int on) { SetFlag(kHexBcdFlag, on); }
    int IsHexBcd() const { return HasFlag(kHexBcdFlag); }
    int IsDecimal() const { return !IsHexBcd(); }
    void SetSigned(int on) { SetFlag(kSignedFlag, on); }
    int IsSigned() const { return HasFlag(kSignedFlag); }
    void SetEngineeringScale(int on) { SetFlag(kEngineeringFlag, on); }
    int IsEngineeringScale() const { return HasFlag(kEngineeringFlag); }
    void SetSettable(int on) { SetFlag(kSettableFlag, on); }
    int IsSettable() const { return HasFlag(kSettableFlag); }
    void SetPasswordProtected(int on) { SetFlag(kPasswordFlag, on); }
    int IsPasswordProtected() const { return HasFlag(kPasswordFlag); }
    void SetSpareFlag(int on) { SetFlag(kSpareFlag, on); }
    // Inverse drawing also swaps the dark and light colours.
    void SetInverse(int on);
    int IsInverse() const { return HasFlag(kInverseFlag); }
    void SetDoubleSize(int on) { m_doubleSize = on; }
    int GetDoubleSize() const { return m_doubleSize; }
    void SetAlignment(int mode) { m_alignment = mode; }
    int GetAlignment() const { return m_alignment; }
    void SetPreviewText(std::string_view text) { m_previewText = text; }
    std::string GetPreviewText() const { return std::string(m_previewText); }

    // The settings the live value and the entry are formatted with.
    RegisterFormat Format() const;

    // Simulation: formats a polled value (width 16 or 32) into the entry
    // text, unless the keypad is editing it.
    void ShowLiveValue(int value, int width);
    std::string GetEntryText() const;
    void SetEntryText(const std::string& text);

    // The keypad's value entry on the entry text at EntryCursor.
    void TypeDigit(char digit);
    void ClearEntry();
    void IncrementDigit();
    void DecrementDigit();
    void ToggleSign();
    void MoveCursorLeft();
    void MoveCursorRight();

    // The longest preview text a register has (the page allows no more);
    // the record writer cuts a longer one on a character boundary.
    static constexpr std::size_t kMaxPreviewBytes = 76;

    int Digits = 5;
    int Decimals = 0; // 0 to Digits
    int RegisterCount = 1;
    int WordSize = 16;
    PackedText GroupName;
    PackedText TypeText; // "16位字元件" or "32位字元件"
    PackedText AddressText{kNewAddressText}; // the address as a number, without the protocol library
    PackedText ElementName;
    int RawUpper = 0xFFFF;
    int RawLower = 0;
    int EngLower = 0;
    int EngUpper = 0xFFFF;
    int PasswordLevel = 0; // index of the level entry requires, with the password flag
    int EntryCursor = 0; // counted from the right end of the entry text, the point included
    CopyableAtomic<int> Typing{0}; // 1 while the keypad edits the entry text; polled values are then ignored

private:
    static constexpr std::uint8_t kHexBcdFlag = 0x01;
    static constexpr std::uint8_t kSignedFlag = 0x02;
    static constexpr std::uint8_t kEngineeringFlag = 0x04;
    static constexpr std::uint8_t kSettableFlag = 0x08;
    static constexpr std::uint8_t kPasswordFlag = 0x10;
    static constexpr std::uint8_t kSpareFlag = 0x20;
    static constexpr std::uint8_t kInverseFlag = 0x80;

    void SetFlag(std::uint8_t flag, int on);
    int HasFlag(std::uint8_t flag) const { return (m_flags & flag) ? 1 : 0; }
    bool IsNarrow() const { return RegisterCount == 1 && WordSize == 16; }
    // Draws the preview or the entry text in the element's box, and the
    // blinking cursor while the keypad edits.
    void DrawText(QPainter& painter, const PixelRect& box, bool simulating) const;
    QPen CursorPen() const;
    void ResolveStoredAddress(CVX50TextDoc& doc, int groupIndex, int wordAddress);
    // Runs one entry operation on the entry text under its lock.
    template <typename Operation>
    void EditEntry(Operation operation);

    int m_alignment = 0; // 0 right indent, 1 left indent
    int m_doubleSize = 0;
    std::uint8_t m_flags = 0; // beside the ints, not after the text: no padded word of its own
    PackedText m_previewText{"12345"};

    struct LiveEntry {
        std::mutex mutex;
        std::string text = "00000";
        // Cursor blink while the keypad edits: painting state only.
        std::uint32_t blinkStart = 0;
        std::uint32_t blinkNow = 0;
        int blinkRestart = 1;
    };
    NotCopiedOnDemand<LiveEntry> m_entry;
};
