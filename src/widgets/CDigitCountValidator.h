#pragma once

#include <QValidator>

// Holds a number field's text to the digits of the field's range: an edit
// that would give the text more digits than the longer end of the range has
// is refused whole. So a number read from the field stays below ten times
// the longer end of its range (no INT_MAX, no 2^31 samples), and every
// handler checks its range and does its arithmetic on a small int. Texts
// that are not numbers are left to the field's reading, which reports them.
class CDigitCountValidator : public QValidator {
public:
    CDigitCountValidator(int min, int max, QObject* parent);

    void SetRange(int min, int max);
    State validate(QString& input, int& pos) const override;

private:
    int m_maxDigits = 1;
};
