#pragma once

#include <QValidator>

// Keeps a line edit's text within a number of GBK bytes (a Chinese
// character counts two): an edit that would make it longer is refused
// whole, so no character is ever split.
class CGbkLimitValidator : public QValidator {
public:
    CGbkLimitValidator(int maxBytes, QObject* parent);

    void SetLimit(int maxBytes) { m_maxBytes = maxBytes; }
    State validate(QString& input, int& pos) const override;

private:
    int m_maxBytes;
};
