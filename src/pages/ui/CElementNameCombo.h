#pragma once

#include <QComboBox>

// The editable element-name combo of the address-bound pages. It tells its
// page when its list is about to open (the page fills it with the names of
// the element's group) and when it has closed, and whether it is open: a
// selection made in the open list only highlights a name, a selection that
// arrives with the list closed binds it. While the list is open, typing
// still goes into the edit part (the list keeps the keys that move through
// it, choose and close), so a name can be typed on past a shorter one.
class CElementNameCombo : public QComboBox {
    Q_OBJECT
public:
    explicit CElementNameCombo(QWidget* parent);

    void showPopup() override;
    void hidePopup() override;
    bool IsListOpen() const { return m_open; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void DropDown();
    void CloseUp();

private:
    bool m_open = false;
};
