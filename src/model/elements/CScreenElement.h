#pragma once

#include "model/elements/DisplayGeometry.h"
#include "model/elements/ElementKind.h"

#include <cstdint>
#include <memory>
#include <string>

class ByteReader;
class ByteWriter;
class CVX50TextDoc;
class QPainter;
class QRect;

// Colours as 0xRRGGBB.
constexpr std::uint32_t kDarkColour = 0x323232;
constexpr std::uint32_t kLightColour = 0xFFFFFF;
// Background of the simulated display, RGB(170, 212, 71).
constexpr std::uint32_t kSimulatedDisplayColour = 0xAAD447;

// A new element's station, and its address text (the address as a plain
// number, used while no protocol library names the addresses).
constexpr int kNewStation = 1;
constexpr char kNewAddressText[] = "0";

struct DotSize {
    int width = 0;
    int height = 0;
    bool operator==(const DotSize&) const = default;
};

// Base of the six screen-element classes: what every element placed on a
// screen has (selection, number, position and size in dots of the 192 x 64
// display, station, two colours) and the operations through which the canvas,
// the document, the undo history and the project file handle any element
// without knowing its class.
//
// Elements always live in std::shared_ptr (element lists share them); record
// readers and panel builders add themselves to the document through that
// pointer.
//
// Every class takes its copy constructor and assignment from the compiler:
// what a copy must not carry over either sits in a member that copies as a
// fresh state (NotCopied: the simulation's live values and their locks) or
// is set back by the class's Clone().
class CScreenElement : public std::enable_shared_from_this<CScreenElement> {
public:
    virtual ~CScreenElement() = default;

    // The kind code of the element's class, and the tool that places this
    // element (which also names its number class).
    virtual ElementKind Kind() const = 0;
    virtual ToolCode Tool() const = 0;
    int NumberClass() const { return NumberClassOfTool(Tool()); }

    // Draws the element on a painter whose target stands for the whole
    // display: `display` gives the scale only (its width / 192 and height /
    // 64); the element's box is measured from the painter's origin, as
    // BoxOnDisplay() computes it. `simulating` draws the simulated display.
    virtual void Draw(QPainter& painter, const QRect& display, bool simulating) const = 0;

    // Everything the editor's drawing (Draw with `simulating` false) reads
    // from the element, as bytes: on one display, equal keys paint equal
    // pixels, so the canvas keeps each element's drawing by its key. Each
    // class extends it beside its Draw. Empty while the drawing changes by
    // itself (it is then drawn afresh every time).
    virtual std::string EditorDrawingKey() const;

    // Stores the size; the picture also rebuilds its bitmap at that size.
    virtual void SetSize(int width, int height);

    // A new element of the same class and sub-kind equal to this one: number,
    // position and size always, the station for all but the picture. The
    // copy starts unselected, with a new element's address text; each class
    // says what else it leaves out.
    virtual std::shared_ptr<CScreenElement> Clone() const = 0;

    // The element's own project-file record (after the kind byte, which the
    // document writes). The writer resolves names through the document's
    // address table; the reader resolves stored addresses back to names
    // (repairing the table when needed), then appends the element to the
    // document's working list and stores that list into screen `screenIndex`.
    // A short record throws FormatError; a screen index outside the screens
    // throws std::out_of_range.
    virtual void WriteProjectRecord(ByteWriter& out, const CVX50TextDoc& doc) const = 0;
    virtual void ReadProjectRecord(ByteReader& in, CVX50TextDoc& doc, int screenIndex) = 0;

    // True for a static text with no text: the tidy commit drops those.
    virtual bool IsEmptyStaticText() const { return false; }

    void SetPosition(int x, int y)
    {
        m_x = x;
        m_y = y;
    }
    DotPoint GetPosition() const { return {m_x, m_y}; }
    DotSize GetSize() const { return {m_width, m_height}; }
    DotBox GetBox() const { return {m_x, m_y, m_width, m_height}; }
    int GetStation() const { return m_station; }
    void SetStation(int station) { m_station = station; }

    std::uint32_t GetDarkColour() const { return m_darkColour; }
    std::uint32_t GetLightColour() const { return m_lightColour; }
    void SetColours(std::uint32_t dark, std::uint32_t light)
    {
        m_darkColour = dark;
        m_lightColour = light;
    }

    // The element's box in pixels on a target of displayWidth x
    // displayHeight pixels that stands for the whole display.
    PixelRect BoxOnDisplay(int displayWidth, int displayHeight) const
    {
        return ElementPixelRect(GetBox(), displayWidth, displayHeight);
    }

    // Read and written directly by the canvas, the pages and the
    // screen-data window. 0 means not yet numbered.
    int Selected = 0;
    std::uint16_t Number = 0;

protected:
    CScreenElement() = default;
    CScreenElement(const CScreenElement&) = default;
    CScreenElement& operator=(const CScreenElement&) = default;

    // The compiler's copy of `source`, unselected: the start of every
    // class's Clone().
    template <class Element>
    static std::shared_ptr<Element> UnselectedCopy(const Element& source)
    {
        auto copy = std::make_shared<Element>(source);
        copy->Selected = 0;
        return copy;
    }
    // The colours of an element drawn inverse (on) or normally (off): inverse
    // swaps the dark and the light colour.
    void SetInverseColours(int on)
    {
        if (on)
            SetColours(kLightColour, kDarkColour);
        else
            SetColours(kDarkColour, kLightColour);
    }
    // The box as records store it: x, y, width and height, one byte each.
    void WriteRecordBox(ByteWriter& out) const;
    void ReadRecordBox(ByteReader& in);
    // The element number that ends every record of a file from version 9 on;
    // older files have none and leave the number as it is.
    void ReadRecordNumber(ByteReader& in, const CVX50TextDoc& doc);
    // Adds this element, with its kind code, to the document's working list
    // and stores that list into screen `screenIndex`.
    void AddToScreen(CVX50TextDoc& doc, int screenIndex);

private:
    int m_x = 0;
    int m_y = 0;
    int m_width = 0;
    int m_height = 0;
    int m_station = kNewStation;
    std::uint32_t m_darkColour = kDarkColour;
    std::uint32_t m_lightColour = kLightColour;
};
