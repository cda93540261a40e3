#pragma once

#include <QDockWidget>

// The left pane of the main window: a bar with a title that holds one
// widget (the tab control). It stays at the window's left edge: it cannot be
// moved, floated, closed or resized by the user, and keeps nothing between
// runs.
class CCoolBar : public QDockWidget {
    Q_OBJECT
public:
    // `width` is the bar's fixed width in pixels.
    CCoolBar(const QString& title, QWidget* parent, int width);
};
