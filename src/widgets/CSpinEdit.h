#pragma once

#include "widgets/CStepEdit.h"

#include <optional>

class CDigitCountValidator;

// An integer field: the arrows step the number by one within their range,
// write it into the edit and report it like typing does; what the number
// means and whether it is accepted is for the handler of Edited(). The
// field takes no more digits than its range has (CDigitCountValidator), so
// what the handler reads is a small int, and it is wide enough to show
// either end of its range.
class CSpinEdit : public CStepEdit {
    Q_OBJECT
public:
    CSpinEdit(int min, int max, QWidget* parent);

    // The range the arrows keep the number in, and the typed one.
    void SetRange(int min, int max);
    // The numbers a user may type, where they go beyond the arrows' range.
    void SetTypedRange(int min, int max);

    // Writes `value` into the edit without reporting it; an edit that
    // already shows the value keeps its text and caret.
    void SetValue(int value);
    // The edit's number; none when the text is not an integer.
    std::optional<int> Value() const;
    // The number; when the text is not an integer the integer prompt is
    // shown and none returned.
    std::optional<int> ReadInteger() const;
    // The number when it is an integer within min..max; otherwise the
    // integer or range prompt is shown and none returned.
    std::optional<int> ReadValue(int min, int max) const;

private:
    void Step(int delta);

    int m_min;
    int m_max;
    CDigitCountValidator* m_digits;
};

// The number of a field without arrows, read as CSpinEdit reads its own: the
// number when `edit` holds an integer within min..max; otherwise the integer
// or range prompt is shown and none returned.
std::optional<int> ReadFieldValue(const QLineEdit& edit, int min, int max);
