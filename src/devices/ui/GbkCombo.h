#pragma once

#include <string>
#include <vector>

class QComboBox;

// The combo's items become `texts` (GBK), item `selected` chosen (-1: none).
void FillGbkCombo(QComboBox* combo, const std::vector<std::string>& texts, int selected = 0);

// The GBK text of the combo's item `index`.
std::string GbkItemText(const QComboBox* combo, int index);
