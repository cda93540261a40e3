#pragma once

#include <string>

// The panel's 24 keys. Function keys number them by key code (left 0, right
// 1, up 2, down 3, ESC 4, SET 5, ENT 6, ALM 7, '0' to '9' 8 to 17, '+/-' 18,
// CLR 19, F1 to F4 20 to 23); the project file stores a file code and the
// panel image the panel's own code (GlobalKeyCode). The face bitmap ids name
// the pictures a function key shows for the key: normal, inverse, invisible.
struct PanelKeyInfo {
    int fileCode;
    int panelCode;
    int nameId; // string id of the key's name, "'ESC'键" ...
    int faceNormal;
    int faceInverse;
    int faceInvisible;
    const char* label; // the text on the key's face (UTF-8)
    int deferredCode; // 1 to 24
};

constexpr int kPanelKeyCount = 24;

// Key codes of the keys that the system treats apart.
enum PanelKeyCode : int {
    KeyLeft = 0,
    KeyRight = 1,
    KeyUp = 2,
    KeyDown = 3,
    KeyEsc = 4,
    KeySet = 5,
    KeyEnt = 6,
    KeyAlm = 7,
    KeyDigit0 = 8, // '0' to '9' are 8 to 17
    KeyPlusMinus = 18,
    KeyClr = 19,
    KeyF1 = 20, // F1 to F4 are 20 to 23
};

// The key of `keyCode`; nullptr outside 0 to 23.
const PanelKeyInfo* PanelKey(int keyCode);
// Key codes back from the stored codes; -1 when no key has the code.
int KeyFromFileCode(int fileCode);
int KeyFromPanelCode(int panelCode);
// The key whose name ("'ESC'键" ..., GBK bytes) is `gbkName`; -1 when no key
// has that name. Lists of keys show names, and a chosen entry is turned back
// into its key this way.
int KeyFromName(const std::string& gbkName);
int KeyFromDeferredCode(int deferredCode);

// The panel's own code (GlobalKeyCode, what global buttons and the panel
// image store) of key `keyCode`; -1 outside 0 to 23.
int GlobalKeyCode(int keyCode);
// The string id of the name of the key with GlobalKeyCode `globalCode`
// ("'3'键" for 0 ...); 0 outside 0 to 23.
int GlobalKeyNameId(int globalCode);
