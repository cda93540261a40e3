#include "simulator/KeypadFace.h"
#include "simulator/ui/KeypadFacePainter.h"

#include <QImage>
#include <QPainter>
#include <QTest>

class KeypadFaceTest : public QObject {
    Q_OBJECT
private slots:
    void DrawnFace()
    {
        QImage image(kFaceWidth, kFaceTop + kFaceHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PaintKeypadFace(painter);
        }
        image.save(QStringLiteral("keypad-face.png"));
    }
};

QTEST_MAIN(KeypadFaceTest)
#include "KeypadFaceTest.moc"
