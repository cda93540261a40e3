#pragma once

#include "transfer/PollCollection.h"
#include "transfer/image/BuildFailures.h"
#include "transfer/image/DeviceCommands.h"
#include "transfer/image/TextCoding.h"

class ByteWriter;
class CScreenElement;
class CVX50TextDoc;

// What the element records of one screen count together while the screen
// record is built: its registers (the record's byte 1), and its curves with
// their data points (where each curve's samples start in the panel).
struct ScreenTally {
    int registers = 0;
    bool anySettable = false;
    int curves = 0;
    int curvePoints = 0;
};

// Everything an element record is built from: the document and its address
// table, the protocol library's builders, the screen's poll lists (the
// elements' places in the screen memory), the character table the texts are
// coded into and the screen's tally.
struct ElementRecordContext {
    const CVX50TextDoc& doc;
    const DeviceCommands& commands;
    const BuildFailures& failures;
    TextCoder& coder;
    int screenIndex = 0;
    const PollLists& polls;
    ScreenTally& tally;

    // Whether device commands come from the protocol library and screens carry
    // poll plans (the main frame's switch, kept by the document).
    bool UseLibrary() const;
    ElementPlace Place(int elementIndex, int page) const { return {screenIndex, elementIndex, page}; }
};

// Appends the panel record of `element`, element `elementIndex` of the
// screen, by its kind: lamp, register, static or dynamic text, bar or curve
// graph, picture, function key. A failed check stops the build
// (ImageBuildStopped) after its message.
void AppendElementRecord(ByteWriter& out, ElementRecordContext& context, int elementIndex,
    const CScreenElement& element);
