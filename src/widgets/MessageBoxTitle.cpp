#include "widgets/MessageBoxTitle.h"

#include <QGridLayout>
#include <QMessageBox>

namespace {

// Room a title bar takes beside its text: the window icon, the minimise,
// maximise and close buttons and the margins between them.
constexpr int TitleBarControlsWidth = 120;

} // namespace

void FitTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    // Title bars commonly draw their text in bold.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + TitleBarControlsWidth;
    // The box sets its own fixed size from its layout when it is shown, so
    // the width goes into the layout as an empty row across all columns.
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}
