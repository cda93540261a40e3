#pragma once

#include "devices/AddressTableRows.h"
#include "devices/ElementGroup.h"

#include <QDialog>

#include <map>
#include <vector>

class CAddressListCtrl;
class CVX50TextDoc;
class QAction;
class QTabBar;
class QTimer;

// The address-table editor of the project's device: one tab per element
// group over one address grid whose cells are edited in place. It works on
// its own copy of the device's table, taken at construction. OK puts the
// copy back into the project and, when anything was changed, writes the
// device's file; Save does the same without closing (asking first) and
// rebinds the project's elements to the table; Save As writes the table as
// another device; Cancel leaves the project's table as it was. A device that
// is not user-defined (CANEDIT 0) is shown read-only. Nothing here marks the
// project modified.
class CAddressTableDlg : public QDialog {
    Q_OBJECT
public:
    CAddressTableDlg(CVX50TextDoc& document, QWidget* parent);

    // The commands of the menu bar, by command id.
    static constexpr int SaveCommand = 32828;
    static constexpr int SaveAsCommand = 32827;
    static constexpr int ExitCommand = 2;
    static constexpr int NewGroupCommand = 32821;
    static constexpr int DeleteGroupCommand = 32822;
    static constexpr int NewElementCommand = 32817;
    static constexpr int DeleteElementCommand = 32835;
    QAction* MenuAction(int commandId) const;

    void OnSave();
    void OnSaveAs();
    void OnNewGroup();
    void OnDeleteGroup();
    void OnNewElement();
    void OnDeleteElement();
    void OnOK();
    void OnCancel();

    // The grid and the tabs, for tests and the benchmark.
    CAddressListCtrl* List() const { return m_list; }
    QTabBar* Tabs() const { return m_tabs; }
    bool IsModified() const { return m_modified; }

protected:
    void reject() override;

private:
    void CreateMenu();
    void SetMenuStates();
    // The tabs, one per group; the first group shown (none when empty).
    void ListGroups();
    void OnTabChange(int index);
    // The rows of group `index` by the display rule; the selection is cleared.
    void ShowGroup(int index);
    // The grid's rows above the empty ones below them.
    std::vector<AddressRowText> ShownRows() const;
    // The shown group takes the grid's rows (nothing while no group is shown).
    void CommitShownGroup(RowCommit commit);
    void OnLeftButton(const QPoint& point, Qt::KeyboardModifiers modifiers);
    void OnKey(int key);
    void OnAutoScroll();
    // The project's table becomes a copy of the editor's groups.
    void PutBack();
    // Writes the project's table to its device's file; false when it failed.
    bool WriteDeviceTable() const;
    void Close(int result);

    CVX50TextDoc& m_document;
    AddressTable m_groups;
    bool m_modified = false;
    int m_shownGroup = -1; // the group of the tab shown; -1 while none
    QTabBar* m_tabs;
    CAddressListCtrl* m_list;
    QTimer* m_scrollTimer;
    std::map<int, QAction*> m_actions;
};

// Runs the address-table editor on the project's device.
int RunAddressTableEditor(CVX50TextDoc& document, QWidget* parent);
