#pragma once

#include "base/NotCopiedOnDemand.h"
#include "base/PackedText.h"
#include "model/elements/CScreenElement.h"
#include "model/elements/CurveSampleRing.h"
#include "model/elements/GraphScale.h"

#include <atomic>
#include <string>
#include <vector>

// A bar graph or a curve graph (fixed when the element is made) of one device
// value of 16 or 32 bits against a scale from the zero to the full scale. In
// the editor the bar is a third full and the curve runs through its preview
// samples; while simulating they show the polled values.
//
// The simulation worker writes the current value and the polled samples that
// the painting reads: the value is atomic, the samples are a locked ring.
// They are made when the simulation first reaches them; copies start
// without any of them.
class CGraphElement : public CScreenElement {
public:
    explicit CGraphElement(int curve);

    ElementKind Kind() const override { return KindGraph; }
    ToolCode Tool() const override { return m_curve ? ToolCurveGraph : ToolBarGraph; }
    void Draw(QPainter& painter, const QRect& display, bool simulating) const override;
    std::string EditorDrawingKey() const override;
    // A copy leaves out the address text, the colours and the live state.
    std::shared_ptr<CScreenElement> Clone() const override;
    // The record starts with the graph type; the reader is called after the
    // document has read it and made the element with it.
    void WriteProjectRecord(ByteWriter& out, const CVX50TextDoc& doc) const override;
    void ReadProjectRecord(ByteReader& in, CVX50TextDoc& doc, int screenIndex) override;

    // The fields of a bar or curve record read back from the panel.
    struct PanelRecord {
        int x = 0;
        int y = 0;
        int format = 0;
        int zero = 0;
        int fullScale = 0xFFFF;
        int width = 0;
        int height = 0;
        int wordAddress = 0;
        int station = 1;
        int registerCount = 1;
        int wordSize = 16;
        int groupIndex = 0;
        int dataPoints = -1; // -1 for a bar
        int sampleInterval = -1;
    };
    void LoadFromPanelRecord(CVX50TextDoc& doc, const PanelRecord& record, int screenIndex);

    int IsCurve() const { return m_curve; }
    int IsHexBcd() const { return m_hexBcd; }
    void SetHexBcd(int on) { m_hexBcd = on ? 1 : 0; }
    int IsSigned() const { return m_signed; }
    void SetSigned(int on) { m_signed = on ? 1 : 0; }
    void SetUnsignedDecimal(int on) { m_unsignedDecimal = on ? 1 : 0; }
    int GetDirection() const { return m_direction; }
    // Stores the bar's direction (1 up, 2 down, 3 left, 4 right) and returns
    // 1; a curve has no direction and returns 0.
    int SetDirection(int direction);
    int GetDataPoints() const { return DataPoints; }
    int GetSampleInterval() const { return SampleInterval; }

    // The register count of the kind the element is.
    int RegisterCount() const { return m_curve ? CurveRegisterCount : BarRegisterCount; }
    void SetRegisterCount(int count) { (m_curve ? CurveRegisterCount : BarRegisterCount) = count; }
    GraphScale Scale() const;
    // The bar's preview value, or the curve's preview samples, rebuilt from
    // the scale (and the data points).
    void RebuildPreview();

    // Simulation: keeps the polled value (width 16 or 32) clamped to the
    // scale; a curve also appends it to its samples, at most DataPoints + 1.
    void ShowLiveValue(int value, int width);

    int BarRegisterCount = 1;
    int WordSize = 16;
    PackedText TypeText;
    PackedText GroupName;
    PackedText ElementName;
    PackedText AddressText{kNewAddressText}; // the address as a number, without the protocol library
    // A signed scale of one 16-bit register reads back sign-extended.
    int FullScale = 0xFFFF;
    int Zero = 0;
    int PreviewValue = 0x5555; // the level a bar shows in the editor
    int DataPoints = 4; // intervals across the curve's plot
    int SampleInterval = 2; // seconds between two samples
    int CurveRegisterCount = 1;
    std::vector<int> PreviewSamples;

    // What the simulation shows, made when the simulation first reaches it.
    struct LiveState {
        std::atomic<int> CurrentValue{0};
        CurveSampleRing PolledSamples;
        // For the simulation worker: tick of the last sample and the request
        // to empty the samples at the next pass.
        int LastSampleTick = 0;
        std::atomic<int> ResetRequest{0};
    };
    LiveState& Live() { return m_live.Get(); }
    const LiveState& Live() const { return m_live.Get(); }

private:
    void ResolveStoredAddress(CVX50TextDoc& doc, int groupIndex, int wordAddress);
    // Draws the bar and returns 1, or 0 for an unknown direction.
    int DrawBar(QPainter& painter, const PixelRect& box, int direction, bool simulating) const;
    void DrawCurve(QPainter& painter, const PixelRect& box, bool simulating) const;

    const int m_curve;
    int m_hexBcd = 0;
    int m_unsignedDecimal = 1;
    int m_signed = 0;
    int m_direction = 1;
    NotCopiedOnDemand<LiveState> m_live;
};
