#pragma once

#include "widgets/InPlaceCellEdit.h"

class CAddressListCtrl;

// The in-place editor of the address grid. A typed address that breaks the
// address rule, or a name longer than 10 bytes, brings back the last
// accepted text; every typed character is committed and reported. Tab and
// Shift+Tab move between the name and the address of the row, the arrows
// and Page keys between rows; Enter commits and keeps editing; Esc ends
// without a final commit. Whichever way it is left, a name or address that
// another row holds shows a warning and the editor stays open.
class CAddressCellEdit : public InPlaceCellEdit {
    Q_OBJECT
public:
    CAddressCellEdit(CAddressListCtrl* list, int row, int column, const QString& initialText);

protected:
    void FocusLost() override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void Edited();
    // Checks the new text; a refused text is replaced by the last accepted one.
    void CheckTypedText();
    QString TrimmedText() const;
    bool IsHeldByOtherRow() const;
    // Shows the repeat warning when another row holds the text; true when it did.
    bool WarnIfHeldByOtherRow() const;
    // Opens an editor on another cell unless the text is held by another row.
    void MoveTo(int row, int column);
    void AppendTrailingRows();

    CAddressListCtrl* m_grid;
    QString m_lastAccepted;
};
