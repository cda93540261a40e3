#pragma once

class CVX50TextDoc;
class QCheckBox;
class QComboBox;

// The password box ("加密") and the user-level list of the function-key and
// register pages, which edit the same two fields of their elements: the
// password flag and the level index.

// The list holds the levels the project defines ("无密码" alone while it
// defines none).
void FillUserLevels(QComboBox* list, int highestLevel);
// Selects `level` in the list; no entry when the list has none for it.
void ShowUserLevel(QComboBox* list, int level);

// The password box was clicked. Without a password level in the project the
// box is cleared again after message IdsSetPasswordFirst and nothing
// changes (false); otherwise the element takes the protection, and an
// element that loses it loses its level too.
bool PasswordsDefined(const CVX50TextDoc& document, QCheckBox* box);
template <class Element>
bool SetPasswordProtection(const CVX50TextDoc& document, QCheckBox* box, Element& element, bool checked)
{
    if (!PasswordsDefined(document, box))
        return false;
    element.SetPasswordProtected(checked);
    if (!checked)
        element.PasswordLevel = 0;
    return true;
}
