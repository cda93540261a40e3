#pragma once

class QWidget;

// Sets the Tab order of the fields inside `root` to the order in which its
// layouts show them: the items of a row or column in their order, the rows
// of a form or grid top to bottom and each row left to right, and a group
// box's fields together before whatever follows the group. Without this the
// order is the order in which the fields were created. Call it once the
// layout is built; fields that are only hidden and shown keep their place.
void SetTabOrderByLayout(QWidget& root);
