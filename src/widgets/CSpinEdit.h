#pragma once

#include "widgets/CStepEdit.h"

#include <optional>

// An integer field: the arrows step the number by one within their range,
// write it into the edit and report it like typing does; what the number
// means and whether it is accepted is for the handler of Edited().
class CSpinEdit : public CStepEdit {
    Q_OBJECT
public:
    CSpinEdit(int min, int max, QWidget* parent);

    // The range the arrows keep the number in.
    void SetRange(int min, int max);

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
};

// The number of a field without arrows, read as CSpinEdit reads its own: the
// number when `edit` holds an integer within min..max; otherwise the integer
// or range prompt is shown and none returned.
std::optional<int> ReadFieldValue(const QLineEdit& edit, int min, int max);
