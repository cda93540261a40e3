#pragma once

#include <QTabWidget>

// The tab control inside the docking bar: tabs drawn below their pages; a
// click on a tab shows its page. Pages added here stay owned by the caller's
// widget tree (the tab control becomes their parent).
class CCoolTabCtrl : public QTabWidget {
    Q_OBJECT
public:
    explicit CCoolTabCtrl(QWidget* parent = nullptr);

    // Appends a tab with `title` showing `page`; hidden unless it is active.
    void AddTab(QWidget* page, const QString& title);
    // Shows the active tab's page (the first tab when none is active).
    void UpdateTabs();
    // Shows tab `index`; nothing for the active tab or an index without a tab.
    void ActivateTab(int index);
};
