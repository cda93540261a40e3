#pragma once

#include <QImage>
#include <QWidget>

// The canvas: the panel's 192 x 64 display drawn at the size the view gives.
class CPaneCtrl : public QWidget {
public:
    explicit CPaneCtrl(QWidget* parent);

    // The insertion tool (0 select, 1 lamp ... 8 picture); back to 0 after a
    // placing click.
    int CurrentTool = 0;
    // The dot grid is drawn while this is 1 (one switch for the whole run).
    static inline int GridFlag = 0;
    // The bitmap the picture tool chose (its full path) for the next
    // placing click.
    QString PicturePath;
    QImage PictureBitmap;

protected:
    void paintEvent(QPaintEvent* event) override;
};
