#pragma once

#include "widgets/PortParameterSet.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;

// "设置通信参数": edits one of the panel's two port parameter sets. It opens
// on the caller's set; on OK the caller takes Values().
class CCommParamDlg : public QDialog {
    Q_OBJECT

public:
    explicit CCommParamDlg(const PortParameterSet& shown, QWidget* parent = nullptr);

    // The choice of each group: as opened until OK, as left at OK. A group
    // without a choice (a baud the dialog does not offer) gives 0.
    PortParameterSet Values() const { return m_values; }

    void accept() override;

private:
    PortParameterSet ReadGroups() const;
    QGroupBox* AddGroup(const QString& title, const QString& name, QButtonGroup* group,
        const std::initializer_list<std::pair<int, QString>>& choices, int shown);

    QButtonGroup* m_baud;
    QButtonGroup* m_parity;
    QButtonGroup* m_dataBits;
    QButtonGroup* m_stopBits;
    PortParameterSet m_values;
};
