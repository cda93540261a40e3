#pragma once

class CVX50TextDoc;
class TransferSession;
struct ProtocolFunctionTable;

// What compile and write do before they build the image: the progress window
// (4 positions a screen and `progressBase` more, captioned as the write), the
// protocol library's entries when the image needs them, as the project alone
// decides (the document uses the library, or the write's header needs it:
// `withHeader` and HeaderNeedsProtocolLibrary), and the edited screen's
// working list tidied into its record. False, after the failure was shown and
// the window removed, when the command cannot go on.
bool StartImageCommand(TransferSession& session, CVX50TextDoc& doc, ProtocolFunctionTable& protocol,
    int progressBase, bool withHeader);
