#pragma once

#include "devices/GridTextRules.h"
#include "widgets/InPlaceEditList.h"

class CListCellEdit;
class DynamicTextRows;

// The editable value grid of the dynamic-text page and the preset-texts
// dialog: column 0 is never edited, column 1 holds values, column 2 texts.
// The cell editor checks what is typed into the value column by the filter,
// reports every change of its text (cellTextChanged) and commits it into the
// cell at once, so the cell follows every keystroke; when it closes it warns
// about repeated values.
class CEditListCtrl : public InPlaceEditList {
    Q_OBJECT
public:
    // The value tables hold at most this many rows; the repeat check and the
    // shading look no further.
    static constexpr int kTableRows = 128;

    explicit CEditListCtrl(QWidget* parent = nullptr);

    // Opens an editor over the cell and makes it the open editor; nullptr for
    // column 0, a cell that does not exist or a column narrower than 5 pixels.
    CListCellEdit* EditCell(int row, int column);

    // Characters the value column accepts.
    ValueFilter FilterMode() const { return m_filterMode; }
    void SetFilterMode(ValueFilter mode) { m_filterMode = mode; }

    // Bit shading: the value column of every row and the text column from
    // row 2 on are painted as disabled cells (a bit has only the values 0
    // and 1).
    bool BitShading() const { return m_bitShading; }
    void SetBitShading(bool on);

    // Dynamic-text mode: Up and Down work on the entries of the bound dynamic
    // text (`SetDynamicText`); off, they work in plain table mode.
    bool DynamicTextMode() const { return m_dynamicTextMode; }
    void SetDynamicTextMode(bool on) { m_dynamicTextMode = on; }
    // The entries the keys extend in dynamic-text mode; nullptr when the page
    // has no dynamic text bound (the keys then do nothing).
    DynamicTextRows* DynamicText() const { return m_dynamicText; }
    void SetDynamicText(DynamicTextRows* rows) { m_dynamicText = rows; }

    // The owner's last accepted value; a refused character brings it back.
    QString SavedText() const { return m_savedText; }
    void SetSavedText(const QString& text) { m_savedText = text; }

    // Table mode: Down moves no further than row 1.
    bool TwoRowLimit() const { return m_twoRowLimit; }
    void SetTwoRowLimit(bool on) { m_twoRowLimit = on; }

    // True when two value cells of the table hold the same non-empty text.
    bool HasRepeatedValues() const;

signals:
    // The editor's text changed (also when it opens): the text, upper-cased
    // when it is hexadecimal, and the cell.
    void cellTextChanged(const QString& text, int row, int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ValueFilter m_filterMode = ValueFilter::AnyText;
    bool m_bitShading = false;
    bool m_dynamicTextMode = true;
    DynamicTextRows* m_dynamicText = nullptr;
    QString m_savedText;
    bool m_twoRowLimit = true;
};
