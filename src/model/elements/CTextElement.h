#pragma once

#include "base/NotCopied.h"
#include "base/PackedText.h"
#include "model/elements/CScreenElement.h"
#include "model/elements/DynTextEntry.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A text on the display. A static text shows a fixed string; a dynamic text
// is bound to a device bit or 16-bit word and shows the entry whose value the
// device holds (in the editor, its preview entry). The dynamic flag is fixed
// when the element is made.
//
// While simulating, the worker picks the shown entry (SelectStateByValue);
// the painting reads it, so it is atomic. The entries themselves change only
// on the user-interface thread, never while a simulation runs.
class CTextElement : public CScreenElement {
public:
    explicit CTextElement(int dynamic);

    ElementKind Kind() const override { return KindText; }
    ToolCode Tool() const override { return IsDynamic() ? ToolDynamicText : ToolStaticText; }
    void Draw(QPainter& painter, const QRect& display, bool simulating) const override;
    std::string EditorDrawingKey() const override;
    // A copy leaves out the address text and starts with no entry shown.
    std::shared_ptr<CScreenElement> Clone() const override;
    // The record starts with the dynamic flag; the reader is called after the
    // document has read that flag and made the element with it.
    void WriteProjectRecord(ByteWriter& out, const CVX50TextDoc& doc) const override;
    void ReadProjectRecord(ByteReader& in, CVX50TextDoc& doc, int screenIndex) override;
    bool IsEmptyStaticText() const override { return !IsDynamic() && m_staticText.empty(); }

    // The fields of a text record read back from the panel. A static text
    // passes its text as the only entry.
    struct PanelRecord {
        int x = 0;
        int y = 0;
        int flags = 0;
        std::vector<std::string> texts;
        std::vector<int> values;
        int groupIndex = 0;
        int station = 1;
        int wordSize = 16;
        int wordAddress = 0;
        int bit = 0;
    };
    void LoadFromPanelRecord(CVX50TextDoc& doc, const PanelRecord& record, int screenIndex);

    // Value format: HEX/BCD clears the signed flag too; call SetSigned after it.
    void SetHexBcd(int on);
    int IsHexBcd() const { return (m_flags & (kDecimalFlag | kSignedFlag)) == 0 ? 1 : 0; }
    void SetSigned(int on) { SetFlag(kSignedFlag, on); }
    int IsSigned() const { return HasFlag(kSignedFlag); }
    // Inverse drawing also swaps the dark and light colours.
    void SetInverse(int on);
    int IsInverse() const { return HasFlag(kInverseFlag); }
    void SetDynamic(int on) { SetFlag(kDynamicFlag, on); }
    int IsDynamic() const { return HasFlag(kDynamicFlag); }

    void SetDoubleSize(int on) { m_doubleSize = on; }
    int GetDoubleSize() const { return m_doubleSize; }
    void SetText(std::string_view text) { m_staticText = text; }
    std::string GetText() const { return std::string(m_staticText); }
    // The entry drawn in the editor.
    void SetStateMode(int index) { m_previewEntry = index; }

    // Entries; the caller keeps texts within DynTextEntry::kMaxTextBytes.
    void AddState(const std::string& text, const std::string& value);
    void SetEntries(std::vector<DynTextEntry> entries) { m_entries = std::move(entries); }
    // Throws std::out_of_range for an index outside the entries.
    void SetState(int index, const std::string& text, const std::string& value);
    // A copy of the entry; an empty text and the value "0" outside the entries.
    DynTextEntry GetState(int index) const;
    std::string GetStateText(int index) const;
    std::string GetStateValue(int index) const;
    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }
    const std::vector<DynTextEntry>& Entries() const { return m_entries; }

    // Simulation: shows the first entry whose value has the low 16 bits of
    // `value`, or none.
    void SelectStateByValue(int value);
    // The index of the entry the last polled value chose; -1 for none.
    int ShownEntry() const { return m_live.shownEntry; }

    int WordSize = 16; // 0 bound to a bit, 16 or 32 bound to a word
    PackedText GroupName;
    PackedText TypeText; // "位元件", "16位字元件" or "32位字元件"
    PackedText AddressText{kNewAddressText}; // the address as a number, without the protocol library
    PackedText ElementName;

private:
    static constexpr std::uint8_t kDecimalFlag = 0x01;
    static constexpr std::uint8_t kSignedFlag = 0x02;
    static constexpr std::uint8_t kInverseFlag = 0x08;
    static constexpr std::uint8_t kDynamicFlag = 0x10;

    void SetFlag(std::uint8_t flag, int on);
    int HasFlag(std::uint8_t flag) const { return (m_flags & flag) ? 1 : 0; }
    void WriteStaticRecord(ByteWriter& out) const;
    void WriteDynamicRecord(ByteWriter& out, const CVX50TextDoc& doc) const;
    void ReadStaticRecord(ByteReader& in);
    void ReadDynamicRecord(ByteReader& in, CVX50TextDoc& doc);
    void ResolveStoredAddress(CVX50TextDoc& doc, int groupIndex, int wordAddress, int bitCode);
    // The text drawn: the static text, or the chosen entry's text.
    std::string ShownText(bool simulating) const;

    std::vector<DynTextEntry> m_entries;
    std::uint8_t m_flags = 0;
    int m_doubleSize = 0;
    PackedText m_staticText;
    int m_previewEntry = 0;

    struct LiveState {
        std::atomic<int> shownEntry{-1};
    };
    NotCopied<LiveState> m_live;
};
