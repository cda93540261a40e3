#pragma once

#include <QObject>

// While a command that talks to the panel runs on the user-interface thread,
// the windows go on painting (the command lets events through as it moves its
// progress window on) but the editor takes no input: mouse, keyboard, wheel
// and drop input, shortcuts and requests to close a window are dropped,
// except in the message boxes and dialogs that the command itself opens
// modally and in the popups they open (lists, menus, completers). When the
// block ends, the input that came meanwhile is dropped too, rather than acted
// on after the command.
class TransferInputBlock : public QObject {
public:
    TransferInputBlock();
    ~TransferInputBlock() override;
    TransferInputBlock(const TransferInputBlock&) = delete;
    TransferInputBlock& operator=(const TransferInputBlock&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
