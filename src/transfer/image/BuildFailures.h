#pragma once

#include "transfer/image/TextCoding.h"

#include <string>
#include <string_view>

class UserInterface;

// A failed check of the image build: its message has been shown (and its
// element selected); the whole build stops. Caught where the build started.
struct ImageBuildStopped {};

// The element a failed check names: its screen and element index and the
// property page of its kind (0 function key, 1 lamp, 2 register, 3 text,
// 4 graph).
struct ElementPlace {
    int screenIndex = 0;
    int elementIndex = 0;
    int page = 0;
};

// Whether the editor goes to the element before or after the message box.
enum class ShowElement { BeforeMessage, AfterMessage };

// Shows a failed check's message through the user interface, selects the
// element it names, and stops the build by throwing ImageBuildStopped.
class BuildFailures {
public:
    explicit BuildFailures(UserInterface& ui) : m_ui(ui) {}

    [[noreturn]] void Stop(int messageId) const;
    // A composed message; `showAfter` (when given) is shown after it.
    [[noreturn]] void StopWithText(const std::string& gbkText, const ElementPlace* showAfter = nullptr) const;
    [[noreturn]] void StopAt(int messageId, const ElementPlace& place, ShowElement when) const;

    // The coded text, or a stop: 61402 when the character table is full,
    // 61403 naming a character without a glyph; `place` (when given) is shown
    // after the message.
    CodedText Code(TextCoder& coder, std::string_view text, const ElementPlace* place) const;

private:
    UserInterface& m_ui;
};
