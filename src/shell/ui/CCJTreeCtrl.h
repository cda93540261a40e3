#pragma once

#include <QColor>
#include <QTreeWidget>

#include <functional>

class CMainFrame;
class CVX50TextDoc;
struct ScreenRecord;

// The project tree on the "工程" tab: the root "画面" with one item per
// screen and the root "地址表". Every item carries an int: 0 for the screens
// root, 65545 for the address-table root, screen number + 9 for a screen.
// The tree does not switch screens itself: it emits TreeSelect and the main
// frame loads the selected screen. Every way the selection moves (click,
// right click, keys) ends in TreeSelect, so the selected item and the edited
// screen never part. A right click on a screen opens the screen commands;
// Up and Down follow the screens' Up-key and Down-key links.
class CCJTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int ScreensRootData = 0;
    static constexpr int AddressRootData = 65545;
    static constexpr int ScreenDataOffset = 9;

    explicit CCJTreeCtrl(QWidget* parent = nullptr);

    static int ItemData(const QTreeWidgetItem* item);
    // Whether item data `data` stands for a screen (not for a root).
    static bool IsScreenData(int data) { return data > ScreensRootData && data < AddressRootData; }
    static void SetItemData(QTreeWidgetItem* item, int data);

    QTreeWidgetItem* ScreensRoot() const { return topLevelItem(0); }
    QTreeWidgetItem* AddressRoot() const { return topLevelItem(1); }
    // Empties the tree and inserts the two roots in `color`, the screens root
    // expanded.
    void ResetRoots(const QString& screens, const QString& addressTable, const QColor& color);
    // Appends a screen item under the screens root.
    QTreeWidgetItem* AppendScreenItem(const QString& text, int data);
    // A screen item's text: the description, or "画面" and the number when
    // the description is empty.
    static QString ScreenItemText(const ScreenRecord& screen);
    // Lists the document's screens under the screens root in ascending
    // number order and selects the edited screen's item.
    void ListScreens(const CVX50TextDoc& doc);

    // Pre-order navigation; nullptr when there is no such item.
    QTreeWidgetItem* GetNextTreeItem(QTreeWidgetItem* item) const;
    QTreeWidgetItem* GetPrevTreeItem(QTreeWidgetItem* item) const;
    // From `item` (the first root when null) down the last children.
    QTreeWidgetItem* GetLastTreeItem(QTreeWidgetItem* item) const;
    // The first item in pre-order whose data is `data`.
    QTreeWidgetItem* FindItemByData(int data) const;
    void SetItemColor(QTreeWidgetItem* item, const QColor& color);

    // Clicks are taken only while `accepts` answers true (an editor exists
    // and no simulation runs).
    void SetClickGuard(std::function<bool()> accepts) { m_acceptsClicks = std::move(accepts); }

    // Data of the edited screen's item (10 after the first File New).
    int CurrentScreenItemData = 0;
    // Data of the item under the last right click.
    int RightClickedItemData = 0;
    // 1 from the deletion of a screen until the next click on the tree: the
    // screens root then stands for the last screen.
    static inline int ScreenDeletedMark = 0;

    // The commands of the screen popup menu, on the right-clicked item.
    void OnNewScreen();
    void OnDeleteScreen();
    void OnCopyScreen();
    void OnScreenProperties();
    void OnInsertScreen();

signals:
    // A screen item or a root was selected; `byClick` is true for a left
    // click (only then does the address-table root open its editor).
    void TreeSelect(bool byClick);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool AcceptsInput() const { return !m_acceptsClicks || m_acceptsClicks(); }
    CMainFrame* Frame() const;
    void OnRightClick(QTreeWidgetItem* item, const QPoint& globalPos);
    // The screen-properties dialog of the edited screen; on OK the item shows
    // the new description.
    void RunScreenProperties();
    // New, copy and insert act on a right-clicked screen while the project
    // has room (the limit's message otherwise).
    bool MayAddScreen() const;
    // Follows the edited screen's Up-key (or Down-key) link.
    void FollowScreenLink(bool up);

    std::function<bool()> m_acceptsClicks;
};
