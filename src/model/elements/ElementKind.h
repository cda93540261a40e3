#pragma once

// Kind codes of screen elements: written as one byte before each element
// record of the project file and kept in every ElementRef.
enum ElementKind : int {
    KindFuncKey = 0,
    KindLamp = 1,
    KindRegister = 2,
    KindText = 3, // static or dynamic
    KindGraph = 4, // bar or curve
    KindPicture = 5,
};

constexpr bool IsElementKind(int kind)
{
    return kind >= KindFuncKey && kind <= KindPicture;
}

// A screen holds at most this many function keys: one per panel key.
constexpr int kMaxFunctionKeys = 24;

// The canvas's insertion tools. Each tool places one kind and sub-kind of
// element, so a tool code above 0 also names the element's number class:
// numbers are unique per class within a screen (static and dynamic texts,
// bar and curve graphs are numbered apart).
enum ToolCode : int {
    ToolSelect = 0,
    ToolLamp = 1,
    ToolFuncKey = 2,
    ToolStaticText = 3,
    ToolDynamicText = 4,
    ToolRegister = 5,
    ToolBarGraph = 6,
    ToolCurveGraph = 7,
    ToolPicture = 8,
};

constexpr int kNumberClassCount = 8;

// Index 0 to 7 of the number class of elements placed by `tool` (1 to 8).
constexpr int NumberClassOfTool(ToolCode tool)
{
    return static_cast<int>(tool) - 1;
}

// The element kind that `tool` (1 to 8) places.
constexpr ElementKind KindOfTool(ToolCode tool)
{
    switch (tool) {
    case ToolLamp:
        return KindLamp;
    case ToolFuncKey:
        return KindFuncKey;
    case ToolStaticText:
    case ToolDynamicText:
        return KindText;
    case ToolRegister:
        return KindRegister;
    case ToolBarGraph:
    case ToolCurveGraph:
        return KindGraph;
    default:
        return KindPicture;
    }
}
