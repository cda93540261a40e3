#pragma once

#include <QDialogButtonBox>

#include <functional>

class QDialog;

// A dialog's "确定" and "取消" buttons, for its layout. OK runs `onOk`, which
// accepts the dialog once its checks pass; Cancel runs `onCancel`, the
// dialog's reject when none is given.
QDialogButtonBox* OkCancelButtons(QDialog* dialog, std::function<void()> onOk, std::function<void()> onCancel = {});
