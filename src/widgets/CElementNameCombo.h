#pragma once

#include <QComboBox>

#include <functional>
#include <string>
#include <vector>

// What an element-name combo binds: the element names it offers when its
// list opens (GBK), the name bound now, and the binding of a name the user
// chose or typed (false when the owner's rules refuse it). While `active`
// says no (nothing to bind to), the combo leaves its text and list alone.
struct ElementNameBinding {
    std::function<bool()> active;
    std::function<std::vector<std::string>()> names;
    std::function<std::string()> boundName;
    std::function<bool(const std::string&)> bind;
};

// The editable element-name combo of the dialogs and pages that bind a
// device address. It normally holds the bound name alone; opening the list
// fills it with the names of the group. A name is bound when it is chosen:
// picked in the list (a click on it, or Return on it), chosen with the list
// closed, or typed exactly; a typed name then opens the list on it and counts
// as chosen when the list closes with it still highlighted. Text that
// names no element gives way to the bound name when the editing ends. While
// the list is open, typing still goes into the edit part (the list keeps the
// keys that move through it, choose and close), so a name can be typed on
// past a shorter one.
class CElementNameCombo : public QComboBox {
    Q_OBJECT
public:
    explicit CElementNameCombo(QWidget* parent);

    void SetBinding(ElementNameBinding binding) { m_binding = std::move(binding); }
    // The combo holds `gbkName` alone (nothing for an empty name), and a
    // typed name no longer waits for the list to close.
    void ShowNameAlone(const std::string& gbkName);

    void showPopup() override;
    void hidePopup() override;
    bool IsListOpen() const { return m_open; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The list is about to open, and has closed (after the combo's own
    // handling, for owners that keep their own rules without a binding).
    // When an item was picked in the list, the list has closed once the
    // combo holds that item (Qt reports the pick after closing the list).
    void DropDown();
    void CloseUp();
    // A choice of the user has ended (a name picked or chosen, or the list
    // closed): the owner takes what was bound since, and may refill the
    // combo.
    void NameChosen();

private:
    bool Active() const { return m_binding.active && m_binding.active(); }
    void ShowBoundName();
    void OnDropDown();
    void OnCloseUp();
    void EndCloseUp();
    void OnSelChange(int index);
    void OnEditChange(const QString& text);
    void OnEditFinished();

    ElementNameBinding m_binding;
    bool m_open = false;
    // The name typed last or highlighted last in the open list.
    std::string m_rememberedName;
    // A typed name opened the list: closing it on that name binds it.
    bool m_pendingName = false;
    // The event the list's view is handling picks its highlighted item.
    bool m_pickInView = false;
    // The list closed for a pick that Qt has not reported yet.
    bool m_awaitingPick = false;
};
