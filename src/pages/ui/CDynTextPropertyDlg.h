#pragma once

#include "pages/ui/CAddressPropertyDlg.h"
#include "widgets/DynamicTextRows.h"

#include <QPointer>

class CEditListCtrl;
class CTextElement;
class InPlaceCellEdit;
class QCheckBox;
class QRadioButton;

// The dynamic text's page: position, double size and inverse, the number
// format of its values, the device bit or word it shows (type, group, name,
// station) and its value/text table, edited in place in a grid of 128 rows
// (row k is entry k). Every change the cell editor reports is written into
// the text at once; each typed character takes one undo snapshot, the text
// the editor opens with none. The grid's Up and Down keys extend the bound
// text's entries (DynamicTextRows).
class CDynTextPropertyDlg : public CAddressPropertyDlg, private DynamicTextRows {
    Q_OBJECT
public:
    CDynTextPropertyDlg(CVX50TextDoc& document, QWidget* parent);

    void LoadFromElement() override;
    void LoadAddressControls() override;
    // A placed text is bound like any, then takes over its address's preset.
    void LoadNewElement() override;

    // Takes over the preset of the bound address (the last preset of its
    // group, word address and bit): its pairs as the entries and the size
    // they need; without a preset the text only stays on the display. Marks
    // nothing modified and takes no snapshot: the callers do.
    void ApplyPresetText();

protected:
    BoundAddress Address() const override;
    void NameBound() override;
    unsigned TypeChosen(bool changed, int previousWidth) override;
    unsigned GroupChosen(bool changed) override;
    // Keys the grid and the fields leave stay on the page: they are not
    // meant for the elements on the canvas.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // ApplyPresetText; true when the text's entries or box changed.
    bool TakeOverPreset();

    int EntryCount() const override;
    void AppendEmptyEntry() override;
    void SetEntryValue(int index, const std::string& value) override;
    int WordSize() const override;

    // Rewrites the grid from the entries, the values in the text's format.
    void FillTextList();
    void LoadFormat();

    void OnDoubleSize(bool checked);
    void OnInverse(bool checked);
    void OnHexBcd();
    void OnDecimal();
    void OnSignedCheck(bool checked);
    void OnGridPress(const QPoint& point);
    void OnCellTextChanged(const QString& text, int row, int column);
    // A typed entry text: false when it is refused (the editor shows the
    // entry's text again).
    bool TakeEntryText(CTextElement& text, const std::string& typed, int row);
    // A typed value; a refused one gives way to the entry's value.
    void TakeEntryValue(CTextElement& text, const std::string& typed, int row);
    // Shows `text` in the open cell editor without reporting it again.
    void PutBackIntoEditor(const QString& text);
    // After a cell change: the text stays on the display; modified flag,
    // undo snapshot, repaint.
    void EndCellChange(CTextElement& text);

    QCheckBox* m_doubleSize;
    QCheckBox* m_inverse;
    QRadioButton* m_hex;
    QRadioButton* m_decimal;
    QCheckBox* m_signed;
    CEditListCtrl* m_grid;
    // The editor whose reports arrived last: a report from another one is
    // the text that editor opened with.
    QPointer<InPlaceCellEdit> m_reportingEditor;
};
