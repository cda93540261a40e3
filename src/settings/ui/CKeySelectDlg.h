#pragma once

#include "model/GlobalButton.h"
#include "settings/GlobalKeyChoices.h"

#include <QDialog>

#include <vector>

class CVX50TextDoc;
class QComboBox;

// Picks the key of a new global button among the keys that no button of
// `buttons` (the caller's working list) uses; ALM only while the project
// has no alarm block. After OK the caller reads ChosenKey(), a
// GlobalKeyCode.
class CKeySelectDlg : public QDialog {
    Q_OBJECT
public:
    CKeySelectDlg(const CVX50TextDoc& doc, std::vector<GlobalButton> buttons, QWidget* parent);

    int ChosenKey() const { return m_chosenKey; }
    void OnOK();

private:
    int m_chosenKey = kDefaultGlobalKey;
    std::vector<GlobalButton> m_buttons;
    QComboBox* m_keys;
};
