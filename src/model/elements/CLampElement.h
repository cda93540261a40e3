#pragma once

#include "base/CopyableAtomic.h"
#include "base/PackedText.h"
#include "model/elements/CScreenElement.h"

#include <string>

// Indicator lamp (kind 1): a round or square lamp that shows one device bit.
// The editor draws it unlit for positive logic and lit for negative logic;
// while the simulation runs it shows the live state the worker sets.
class CLampElement : public CScreenElement {
public:
    ElementKind Kind() const override { return KindLamp; }
    ToolCode Tool() const override { return ToolLamp; }
    void Draw(QPainter& painter, const QRect& display, bool simulating) const override;
    std::string EditorDrawingKey() const override;
    // A copy carries the live state; it leaves out the address text and the
    // colours.
    std::shared_ptr<CScreenElement> Clone() const override;
    // 13 bytes, whatever the version.
    void WriteProjectRecord(ByteWriter& out, const CVX50TextDoc& doc) const override;
    // 11 bytes before version 9, else 13.
    void ReadProjectRecord(ByteReader& in, CVX50TextDoc& doc, int screenIndex) override;

    // Fills this lamp from the fields of a lamp record read back from the
    // panel (style code 0 to 7: bit 0 double size, bit 1 negative logic,
    // bit 2 round) and adds it to screen `screenIndex`.
    void LoadFromPanelRecord(CVX50TextDoc& doc, int x, int y, int styleCode, int wordAddress, int groupIndex,
        int station, int rawAddress, int rawLowAddress, int bit, int screenIndex);

    void SetShape(int shape) { m_shape = shape; }
    int GetShape() const { return m_shape; } // 1 round, 0 square
    void SetDoubleSize(int on) { m_doubleSize = on; }
    int GetDoubleSize() const { return m_doubleSize; }
    void SetLogic(int logic) { m_logic = logic; }
    int GetLogic() const { return m_logic; } // 1 positive: lit when the bit is 1
    // The live state shown while simulating: 1 unlit, 0 lit. Set by the
    // simulation worker while the canvas draws.
    void SetState(int state) { m_state.store(state, std::memory_order_relaxed); }
    int GetState() const { return m_state.load(std::memory_order_relaxed); }

    int WordSize = 0; // element type of the address: 0 bit element
    PackedText GroupName;
    PackedText TypeText;
    PackedText AddressText{kNewAddressText}; // raw address while the protocol library is not used
    PackedText ElementName;
    int RawLowAddress = 0; // second raw address byte while the library is not used

private:
    void ResolveReadAddress(CVX50TextDoc& doc, int wordAddress, int bitCode, int groupIndex);

    CopyableAtomic<int> m_state{1};
    int m_doubleSize = 0;
    int m_shape = 1;
    int m_logic = 1;
};
