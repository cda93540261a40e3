// Placeholder start-up until the main frame exists.
#include <QApplication>
#include <QMainWindow>

#include "StringTable.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QString::fromUtf8(StringUtf8(61227)));
    window.showMaximized();
    return app.exec();
}
