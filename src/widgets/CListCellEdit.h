#pragma once

#include "widgets/InPlaceCellEdit.h"

class CEditListCtrl;

// The in-place editor of the value grid. Every change of its text is
// filtered, reported to the owner and committed into the cell; Enter commits
// and keeps editing; Esc ends the edit (the cell keeps what was typed); Up
// and Down move the editor to the row above or below.
class CListCellEdit : public InPlaceCellEdit {
    Q_OBJECT
public:
    CListCellEdit(CEditListCtrl* list, int row, int column, const QString& initialText);

protected:
    void Opened() override;
    void FocusLost() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void TextChanged();
    // Puts the editor's text, normalised in the value column, into the cell.
    void Commit();
    void MoveDown();
    void MoveUp();
    void MoveDownInDynamicText();
    void MoveUpInDynamicText();
    // Gives each row up to `lastRow` an entry of the bound dynamic text.
    void AddEntriesThrough(int lastRow);
    // Ends this edit when the table holds repeated values; true when it did.
    bool EndOnRepeatedValues();
    void MoveTo(int row);
    bool IsValueEmpty(int row) const;

    CEditListCtrl* m_grid;
};
