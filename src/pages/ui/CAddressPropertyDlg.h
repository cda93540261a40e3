#pragma once

#include "devices/AddressChoices.h"
#include "pages/BoundAddress.h"
#include "pages/ui/CPropertyDlg.h"

#include <string>
#include <vector>

class CElementNameCombo;
class QComboBox;

// Base of the pages whose element names a device address: the element type
// list, the element group list and the editable element-name combo, bound to
// the element's type text, width, group name and element name. The page
// lays the three combos out and says how it binds (AddressRules).
//
// The element-name combo lists the names of the element's group when it
// opens. A name is bound when it is chosen with the list closed (a click on
// an item closes the list first), or as soon as it is typed exactly; a typed
// name then opens the list on it and takes its undo snapshot when the list
// closes with it still highlighted. Text that names no element gives way to
// the element's name when the editing ends.
class CAddressPropertyDlg : public CPropertyDlg {
    Q_OBJECT
public:
    CAddressPropertyDlg(CVX50TextDoc& document, QWidget* parent, AddressRules rules);

    // A page that offers one element type lists the groups of that type
    // whatever the width asked for or stored.
    void ResetAddressCombos(int width) override;
    void LoadAddressControls() override;
    // The lists for the element's width, then the element takes the listed
    // type, first group and first name, then it is loaded.
    void LoadNewElement() override;

protected:
    // The bound element's address fields; empty while unbound.
    virtual BoundAddress Address() const = 0;
    // Whether the element's value spans two registers, so that a name may be
    // bound only when its group also holds the next word address.
    virtual bool NeedsNextWord() const { return false; }
    // A name was bound by the user; the page takes its undo snapshot (and
    // whatever else it does for a new name).
    virtual void NameBound() { Commit(Snapshot); }
    // What the page does once the element took the type or the group the
    // user chose (`changed`: it differs from the element's before; a type
    // choice also tells the width before). Returns how the choice is
    // committed; by default one undo snapshot and the element's row, changed
    // or not.
    virtual unsigned TypeChosen(bool changed, int previousWidth) { return Snapshot | RefreshRow; }
    virtual unsigned GroupChosen(bool changed) { return Snapshot | RefreshRow; }

    QComboBox* TypeCombo() const { return m_type; }
    QComboBox* GroupCombo() const { return m_group; }
    CElementNameCombo* NameCombo() const { return m_name; }

private:
    void OnTypeSelChange(int index);
    void OnGroupSelChange(int index);

    // Binds `name` when the rules allow it; the commit is left to
    // CommitName.
    bool BindName(const BoundAddress& address, const std::string& name);
    // The width whose groups the lists hold for an element of `width`.
    int ListWidth(int width) const;
    // The names of the bound element's group, in table order.
    std::vector<std::string> ElementNamesOfGroup(const BoundAddress& address) const;
    // Commits the names bound since the last commit: modified flag,
    // NameBound, the element's row.
    void CommitName();
    // The three lists, their first entries selected.
    void ShowChoices(const AddressChoices& choices);
    void FillGroups(const std::vector<std::string>& groups);

    AddressRules m_rules;
    QComboBox* m_type;
    QComboBox* m_group;
    CElementNameCombo* m_name;
    // A name was bound and not committed yet.
    bool m_nameUnsaved = false;
};
